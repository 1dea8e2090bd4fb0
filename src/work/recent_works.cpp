#include "work/recent_works.h"

#include <algorithm>

#include "work/work_format.h"

namespace aqualen::work {

std::vector<std::string> WithRecentWork(std::vector<std::string> list, const std::string& path)
{
    list = WithoutRecentWork(std::move(list), path);
    list.insert(list.begin(), path);
    if (list.size() > static_cast<size_t>(kMaxRecentWorks))
        list.resize(static_cast<size_t>(kMaxRecentWorks));
    return list;
}

std::vector<std::string> WithoutRecentWork(std::vector<std::string> list, const std::string& path)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::string& entry) { return entry.empty() || entry == path; }),
               list.end());
    return list;
}

} // namespace aqualen::work
