#pragma once
// What a test reads of the main window and does on it without a screen: the view the
// core derives, typed values in the position fields, a sub window chosen in the list.

#include <string>

#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "session/MainView.h"
#include "timesections/TimeSections.h"

namespace kestrel {

inline MainView View(const Editor& ed) { return DeriveMainView(ed); }

// Whether window w's marker is shown in the chosen window's look (red).
inline bool MarkedChosen(const Editor& ed, int w) {
    for (const MarkerView& m : View(ed).Markers)
        if (m.Window == w) return m.Chosen;
    return false;
}

// Types a whole value into one field over what the fields show, then Return.
inline void TypeField(Editor& ed, PosField field, const std::string& text) {
    PosTexts typed = View(ed).PosFields;
    typed[field] = text;
    Edit_PosKeyUp(ed, typed);
}
// Types all four fields, then Return.
inline void TypeFields(Editor& ed, const PosTexts& typed) { Edit_PosKeyUp(ed, typed); }
// The focus leaves a field holding what the fields show.
inline void LeaveField(Editor& ed) { Edit_PosKeyEnter(ed, View(ed).PosFields); }

inline void ChooseSubWindow(Editor& ed, int j) { ListBox_SubWinClick(ed, j - 1); }

}  // namespace kestrel
