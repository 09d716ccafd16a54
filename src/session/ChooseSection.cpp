#include "session/ChooseSection.h"

#include "layout/WindowChoice.h"
#include "timesections/TimeSections.h"

namespace kestrel {

void ChooseSection(Editor& ed, int section, int window) {
    if (section < 0 || section >= ed.Prj->TimeCount) return;
    if (ed.Prj->CurTimeIndex != section) ComboBox_TimeListChange(ed, section);
    // As the window list shows a chosen window; a click on "Main Window" itself would
    // also place a main window that has none yet, which is an edit.
    if (window >= 0) ChooseWindow(ed, window);
}

}  // namespace kestrel
