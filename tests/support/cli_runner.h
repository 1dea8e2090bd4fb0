#pragma once
// Runs aqualen-cli as a child process and captures what it prints.

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace aqualen::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A scratch directory for one test program run.
inline std::string ScratchDir()
{
    static std::string dir = [] {
        char pattern[] = "/tmp/aqualen-cli-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

inline std::string WriteScratchFile(const std::string& name, const std::string& content)
{
    const std::string path = ScratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// `arguments` is appended to the program path as shell words. `before` is
// shell text run first in the same shell ("ulimit -f 8;"); empty redirections
// mean the usual ones: standard input from `stdinText`, standard output and
// error captured. Otherwise they replace them ("<&-", ">/dev/full").
inline CliResult RunCliShell(const std::string& before, const std::string& arguments, const std::string& stdinRedirect,
                             const std::string& stdoutRedirect, const std::string& stdinText = "")
{
    const std::string outPath = ScratchDir() + "/out.txt";
    const std::string errPath = ScratchDir() + "/err.txt";
    const std::string inPath = WriteScratchFile("stdin.txt", stdinText);
    std::remove(outPath.c_str());
    const std::string in = stdinRedirect.empty() ? " <'" + inPath + "'" : " " + stdinRedirect;
    const std::string out = stdoutRedirect.empty() ? " >'" + outPath + "'" : " " + stdoutRedirect;
    const std::string command =
        before + " '" + std::string(AQUALEN_CLI_PATH) + "' " + arguments + in + out + " 2>'" + errPath + "'";
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadWholeFile(outPath);
    result.err = ReadWholeFile(errPath);
    return result;
}

// `arguments` is appended to the program path as shell words; `stdinText`,
// when given, is fed on standard input.
inline CliResult RunCli(const std::string& arguments, const std::string& stdinText = "")
{
    return RunCliShell("", arguments, "", "", stdinText);
}

} // namespace aqualen::test
