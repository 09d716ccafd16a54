#include "storage/RecentProjects.h"

#include <algorithm>
#include <sstream>

namespace kestrel {

namespace {

// One path a line: a project file's name never holds a line break (the file could not
// carry it).
constexpr const char* kKey = "recentProjects";

void Store(Platform& platform, const std::vector<std::string>& paths) {
    std::string value;
    for (const std::string& p : paths) value += p + "\n";
    platform.SetSetting(kKey, value);
}

}  // namespace

std::vector<std::string> RecentProjects(Platform& platform) {
    std::vector<std::string> paths;
    std::istringstream lines(platform.Setting(kKey));
    for (std::string line; std::getline(lines, line) && paths.size() < MaxRecentProjects;)
        if (!line.empty() && std::find(paths.begin(), paths.end(), line) == paths.end()) paths.push_back(line);
    return paths;
}

void RememberRecentProject(Platform& platform, const std::string& path) {
    if (path.empty() || path.find('\n') != std::string::npos) return;
    std::vector<std::string> paths = RecentProjects(platform);
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > MaxRecentProjects) paths.resize(MaxRecentProjects);
    Store(platform, paths);
}

void ForgetRecentProject(Platform& platform, const std::string& path) {
    std::vector<std::string> paths = RecentProjects(platform);
    std::erase(paths, path);
    Store(platform, paths);
}

void ClearRecentProjects(Platform& platform) { Store(platform, {}); }

}  // namespace kestrel
