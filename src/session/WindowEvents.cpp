#include "session/WindowEvents.h"

#include "storage/ProjectFolder.h"

namespace kestrel {

void FormActivate(Editor& ed) { RefreshFileList(ed); }

bool FormClose(Editor& ed) {
    if (ed.platform.Message("Confirm", "Are you sure to close the current project ?", Buttons::YesNo,
                            Icon::Question) != Answer::Yes)
        return false;
    for (auto& rec : ed.Prj->TimePL) {
        rec.FileList.clear();
        rec.MainWin.Shape.reset();
        for (int j = 1; j <= MaxSubWin; ++j) rec.SubWin[j].Shape.reset();
    }
    return true;
}

}  // namespace kestrel
