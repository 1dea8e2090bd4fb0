#include "cli/analytic_options.h"

#include <optional>
#include <string>

#include "series/number_text.h"

namespace aqualen::cli {

namespace {

std::optional<std::string> OptionOf(const ParsedArgs& parsed, const std::string& name)
{
    const auto it = parsed.options.find(name);
    if (it == parsed.options.end())
        return std::nullopt;
    return it->second;
}

} // namespace

bool ReadAnalyticOptions(const ParsedArgs& parsed, char separator, dist::Distribution fallback, AnalyticChoice& choice)
{
    dist::FitOptions& o = choice.options;
    const auto usage = [&](const char* reason) {
        choice.reason = reason;
        choice.status = kExitUsage;
        return false;
    };
    o.distribution = fallback;
    if (const auto d = OptionOf(parsed, "--dist")) {
        if (*d == "p3")
            o.distribution = dist::Distribution::PearsonIII;
        else if (*d == "km")
            o.distribution = dist::Distribution::KritskyMenkel;
        else
            return usage("--dist takes p3 or km");
    }
    if (const auto m = OptionOf(parsed, "--method")) {
        const struct {
            const char* word;
            dist::Method method;
        } methods[] = {{"moments", dist::Method::Moments},
                       {"sample", dist::Method::SampleMoments},
                       {"quantile", dist::Method::GraphicAnalytic},
                       {"ml", dist::Method::MaxLikelihood},
                       {"given", dist::Method::Given}};
        bool known = false;
        for (const auto& entry : methods)
            if (*m == entry.word) {
                o.method = entry.method;
                known = true;
            }
        if (!known)
            return usage("--method takes moments, sample, quantile, ml or given");
    }
    if (const auto b = OptionOf(parsed, "--band")) {
        if (*b == "80" || *b == "90" || *b == "95")
            o.bandLevel = std::stoi(*b);
        else
            return usage("--band takes 80, 90 or 95");
    }
    // The numbers are read as the dialog reads its boxes.
    const auto number = [&](const char* name, double& field) {
        const auto text = OptionOf(parsed, name);
        if (!text)
            return true;
        const std::optional<double> value = ParseNumber(*text, separator);
        if (!value) {
            choice.reason = "'" + *text + "' is not a valid floating point value";
            choice.status = kExitRejected;
            return false;
        }
        field = *value;
        return true;
    };
    if (OptionOf(parsed, "--ratio"))
        o.fixRatio = true;
    if (!number("--ratio", o.ratio) || !number("--mean", o.givenMean) || !number("--cv", o.givenCv) ||
        !number("--cs", o.givenCs))
        return false;
    if (o.method == dist::Method::Given) {
        if (!OptionOf(parsed, "--mean") || !OptionOf(parsed, "--cv") || (!OptionOf(parsed, "--cs") && !o.fixRatio))
            return usage("--method given needs --mean, --cv and --cs (or --ratio)");
    } else if (OptionOf(parsed, "--mean") || OptionOf(parsed, "--cv") || OptionOf(parsed, "--cs")) {
        return usage("--mean, --cv and --cs go with --method given");
    }
    return true;
}

dist::FitOptions AnalyticOptions(const CommandLine& line, char separator, dist::Distribution fallback)
{
    AnalyticChoice choice;
    if (!ReadAnalyticOptions(line.Parsed(), separator, fallback, choice)) {
        if (choice.status == kExitUsage)
            line.Refuse(choice.reason);
        line.Reject(choice.reason, choice.status);
    }
    return choice.options;
}

} // namespace aqualen::cli
