// The Open command: replaces the project being edited by one read from a project file.
#include "storage/OpenCommand.h"

#include <exception>
#include <filesystem>

#include "model/DialogFolder.h"
#include "model/Error.h"
#include "model/History.h"
#include "model/Paths.h"
#include "storage/PrjFileReader.h"
#include "storage/RecentProjects.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

constexpr const char* kOpenText =
    "Open new project will lost the before operation, do you want continue?";
constexpr const char* kOpenFilter = "XML File (*.XML)|*.XML";

// Any change since the last open, save or New is work that opening would lose. The
// project is replaced only once a file has been read, so a cancelled dialog keeps it.
bool MayReplaceProject(Editor& ed) {
    return !HasUnsavedChanges(ed) ||
           ed.platform.Message("Warning", kOpenText, Buttons::YesNo, Icon::Warning) == Answer::Yes;
}

}  // namespace

void btnOpenPrjClick(Editor& ed) { btnOpenPrjClick(ed, &ReadPrjFile); }

void btnOpenPrjClick(Editor& ed, ProjectReader read) {
    if (!MayReplaceProject(ed)) return;
    ed.SaveAsMode = false;

    // A cancelled dialog ends the command: the file already known is not read again.
    const std::string path = ed.platform.OpenFile(kOpenFilter, DialogStartFolder(ed));
    if (path.empty()) return;
    RememberDialogFolder(ed, path);
    OpenProjectFile(ed, path, read);
}

void OpenRecentProject(Editor& ed, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ForgetRecentProject(ed.platform, path);
        ed.platform.Warn("The project \"" + path +
                         "\" cannot be found; it has been removed from the recent projects.");
        return;
    }
    if (!MayReplaceProject(ed)) return;
    OpenProjectFile(ed, path);
}

void OpenProjectFile(Editor& ed, const std::string& path) { OpenProjectFile(ed, path, &ReadPrjFile); }

void OpenProjectFile(Editor& ed, const std::string& path, ProjectReader read) {
    // The file is read into a fresh project; the one being edited is replaced only
    // when the whole file has been read, so a damaged file leaves it as it was.
    auto fresh = ed.NewProject();
    fresh->PrjFileName = path;
    fresh->PrjDir = FolderPart(path);
    fresh->TimeCount = 0;
    try {
        read(*fresh);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error("Cannot open the project file \"" + path + "\": " + e.what());
    }
    // The time list holds at most ten sections, and record 10 is never listed.
    if (fresh->TimeCount < 0 || fresh->TimeCount > MaxTimeIndex)
        throw Error("Cannot open the project file \"" + path + "\": it holds " +
                    std::to_string(fresh->TimeCount) + " time sections, more than " +
                    std::to_string(MaxTimeIndex) + ".");

    ed.Prj = std::move(fresh);
    // The new project starts with its first section shown and no window chosen.
    ClearDisplay(ed);
    ed.Prj->CurTimeIndex = ed.Prj->TimeCount > 0 ? 0 : -1;
    ed.SaveAsMode = false;  // a later Save writes to the opened file
    StartHistory(ed);
    RememberRecentProject(ed.platform, path);
    ShowTimeSection(ed);
}

}  // namespace kestrel
