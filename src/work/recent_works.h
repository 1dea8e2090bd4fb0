#pragma once
// The list behind "Последние работы": the latest first, each file once, at
// most kMaxRecentWorks entries.

#include <string>
#include <vector>

namespace aqualen::work {

// The list with `path` put first (moved there when it was already listed),
// cut to the limit.
std::vector<std::string> WithRecentWork(std::vector<std::string> list, const std::string& path);

// The list without `path` (a file that could not be opened any more).
std::vector<std::string> WithoutRecentWork(std::vector<std::string> list, const std::string& path);

} // namespace aqualen::work
