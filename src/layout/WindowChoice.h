#pragma once
// Which window the user works on. One value, set here only: whatever chose the window
// (the list, "Main Window", a press on the picture, a finding, the day plan, undo,
// Open, New), what shows it follows from it.

#include "model/Editor.h"

namespace kestrel {

// Chooses window 0 (the main window) or 1 to 8 (a listed sub window) of the current
// section; any other index, or no current section, chooses none (-1). The chosen
// window's marker is shown.
void ChooseWindow(Editor& ed, int window);

// Calls f on the model record of window index (0 main, 1..8 sub) of section rec.
template <class F>
void WithWindow(TTimePLData& rec, int index, F&& f) {
    if (index == 0)
        f(rec.MainWin);
    else if (index >= 1 && index <= MaxSubWin)
        f(rec.SubWin[index]);
}
template <class F>
void WithWindow(const TTimePLData& rec, int index, F&& f) {
    if (index == 0)
        f(rec.MainWin);
    else if (index >= 1 && index <= MaxSubWin)
        f(rec.SubWin[index]);
}

// Marker of window index (0 main, 1..8 sub) in the current section, or null.
std::optional<Shape>* WindowShape(Editor& ed, int index);
const std::optional<Shape>* WindowShape(const Editor& ed, int index);

// The sub windows the list holds, never more than the section's slots.
int ListedSubWindows(const Editor& ed);

}  // namespace kestrel
