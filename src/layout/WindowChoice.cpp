#include "layout/WindowChoice.h"

#include <algorithm>

#include "layout/CoordinateMapping.h"

namespace kestrel {

int ListedSubWindows(const Editor& ed) {
    return ed.Current() ? std::clamp(ed.ListedSubWins, 0, MaxSubWin) : 0;
}

void ChooseWindow(Editor& ed, int window) {
    TTimePLData* rec = ed.Current();
    const bool valid = rec && window >= 0 && window <= ListedSubWindows(ed);
    ed.chosen_ = valid ? window : -1;
    if (!valid) return;
    WithWindow(*rec, window, [&](auto& win) {
        if (!win.Shape) return;
        // A main window never drawn has no area: its marker shows that, not the square
        // or the whole picture it was given last.
        if (window == 0 && (win.Width <= 0 || win.Height <= 0)) PlaceShapeFromModel(ed, win, *win.Shape);
        win.Shape->Visible = true;
    });
}

std::optional<Shape>* WindowShape(Editor& ed, int index) {
    TTimePLData* rec = ed.Current();
    if (!rec) return nullptr;
    if (index == 0) return &rec->MainWin.Shape;
    if (index >= 1 && index <= MaxSubWin) return &rec->SubWin[index].Shape;
    return nullptr;
}

const std::optional<Shape>* WindowShape(const Editor& ed, int index) {
    return WindowShape(const_cast<Editor&>(ed), index);
}

}  // namespace kestrel
