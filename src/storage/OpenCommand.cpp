// The Open command: replaces the project being edited by one read from a project file.
#include "storage/OpenCommand.h"

#include <exception>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/PrjFileReader.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

constexpr const char* kOpenText =
    "Open new project will lost the before operation, do you want continue?";
constexpr const char* kOpenFilter = "XML File (*.XML)|*.XML";

}  // namespace

void btnOpenPrjClick(Editor& ed) { btnOpenPrjClick(ed, &ReadPrjFile); }

void btnOpenPrjClick(Editor& ed, ProjectReader read) {
    // Any listed section with playlist entries is work that opening would lose. It is
    // let go only below, once the chosen file has been read whole: a cancelled dialog
    // or a refused file leaves the project, its name and its folder as they were.
    if (ListedSectionsContent(ed) > 0) {
        if (ed.platform.Message("Warning", kOpenText, Buttons::YesNo, Icon::Warning) != Answer::Yes)
            return;
    }
    ed.SaveAsMode = false;

    // A cancelled dialog ends the command: the file already known is not read again.
    const std::string path = ed.platform.OpenFile(kOpenFilter, ed.Prj->PrjDir);
    if (path.empty()) return;

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
    ClearDisplay(ed);
    auto& prj = *ed.Prj;
    prj.CurTimeIndex = 0;
    ed.View.TimeList.clear();
    for (int i = 0; i < prj.TimeCount; ++i) ed.View.TimeList.push_back(TimeListText(prj.TimePL[i]));
    ed.View.TimeListIndex = ed.View.TimeList.empty() ? -1 : 0;
    prj.CurTimeIndex = ed.View.TimeListIndex;
    ShowTimeSection(ed);
}

}  // namespace kestrel
