#include "model/DialogFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "model/Paths.h"

namespace kestrel {

namespace {

std::string HomeFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    return home ? std::string(home) : std::string();
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::string DialogStartFolder(Editor& ed) {
    if (ed.Prj && !ed.Prj->PrjFileName.empty()) return ed.Prj->PrjDir;
    const std::string last = ed.platform.Setting(LastFolderSetting);
    if (IsFolder(last)) return last;
    return HomeFolder();
}

void RememberDialogFolder(Editor& ed, const std::string& chosenFile) {
    const std::string folder = FolderPart(chosenFile);
    if (!folder.empty()) ed.platform.SetSetting(LastFolderSetting, folder);
}

}  // namespace kestrel
