#pragma once
// The recent projects: the files last opened or saved, most recent first, remembered
// between runs.

#include <string>
#include <vector>

#include "model/Platform.h"

namespace kestrel {

inline constexpr size_t MaxRecentProjects = 8;

std::vector<std::string> RecentProjects(Platform& platform);
// Puts `path` first, once.
void RememberRecentProject(Platform& platform, const std::string& path);
void ForgetRecentProject(Platform& platform, const std::string& path);
void ClearRecentProjects(Platform& platform);

}  // namespace kestrel
