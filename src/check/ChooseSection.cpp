#include "check/ChooseSection.h"

#include "layout/WindowList.h"
#include "timesections/TimeSections.h"

namespace kestrel {

void ChooseSection(Editor& ed, int section, int window) {
    if (section < 0 || section >= static_cast<int>(ed.View.TimeList.size())) return;
    if (ed.Prj->CurTimeIndex != section) {
        ed.View.TimeListIndex = section;
        ComboBox_TimeListChange(ed);
    }
    const TTimePLData* rec = ed.Current();
    if (!rec) return;
    if (window == 0) {
        // As the window list shows a chosen window; a click on "Main Window" itself
        // would also place a main window that has none yet, which is an edit.
        ed.SelWinIndex = 0;
        ed.PLWinIndex = 0;
        ShowSelectedWindow(ed);
    } else if (window >= 1 && window <= rec->SubWinCount && window <= MaxSubWin) {
        ed.View.SubWinListIndex = window - 1;
        ListBox_SubWinClick(ed);
    }
}

}  // namespace kestrel
