#include "layout/Nudge.h"

#include <algorithm>
#include <array>

#include "layout/CoordinateMapping.h"
#include "layout/WindowChoice.h"
#include "model/History.h"

namespace kestrel {

namespace {

// A start moved by delta with both edges of [start, start + size] kept in 0..extent.
int KeepStart(long long start, long long size, int delta, int extent) {
    const long long lo = std::max(0LL, -size);
    const long long hi = std::max(lo, std::min<long long>(extent, extent - size));
    return static_cast<int>(std::clamp(start + delta, lo, hi));
}

// A size changed by delta with its far edge kept inside the display, and above 0 where
// there is room for a pixel.
int KeepSize(long long start, long long size, int delta, int extent) {
    const long long room = extent - std::clamp<long long>(start, 0, extent);
    return static_cast<int>(std::clamp(size + delta, std::min(1LL, room), room));
}

// Applies f(win) to the chosen window's model, then shows the result; true when it changed.
template <class F>
bool EditChosen(Editor& ed, F&& f) {
    TTimePLData* rec = ed.Current();
    const int chosen = ChosenWindow(ed);
    if (!rec || chosen < 0) return false;
    bool changed = false;
    WithWindow(*rec, chosen, [&](auto& win) {
        auto rect = [&] { return std::array{win.Left, win.Top, win.Width, win.Height}; };
        const auto before = rect();
        f(win);
        changed = rect() != before;
        PlaceShapeFromModel(ed, win, *win.Shape);
    });
    return changed;
}

}  // namespace

int ChosenWindow(const Editor& ed) {
    const std::optional<Shape>* s = WindowShape(ed, ed.PLWinIndex());
    return s && *s && (*s)->Visible ? ed.PLWinIndex() : -1;
}

bool NudgeMove(Editor& ed, int dx, int dy) {
    return EditChosen(ed, [&](auto& win) {
        win.Left = KeepStart(win.Left, win.Width, dx, ed.Display.DisplayWidth);
        win.Top = KeepStart(win.Top, win.Height, dy, ed.Display.DisplayHeight);
    });
}

bool NudgeSize(Editor& ed, int dWidth, int dHeight) {
    return EditChosen(ed, [&](auto& win) {
        win.Left = std::clamp(win.Left, 0, ed.Display.DisplayWidth);
        win.Top = std::clamp(win.Top, 0, ed.Display.DisplayHeight);
        win.Width = KeepSize(win.Left, win.Width, dWidth, ed.Display.DisplayWidth);
        win.Height = KeepSize(win.Top, win.Height, dHeight, ed.Display.DisplayHeight);
    });
}

bool ArrowKeyNudge(Editor& ed, KeyPlace place, Arrow arrow, bool shift, bool ctrl) {
    const bool listStep = place == KeyPlace::WindowList && !shift && !ctrl && (arrow == Arrow::Up || arrow == Arrow::Down);
    if (listStep || !ed.Current() || ChosenWindow(ed) < 0) return false;
    const int step = shift ? 10 : 1;
    const int dx = arrow == Arrow::Left ? -step : arrow == Arrow::Right ? step : 0;
    const int dy = arrow == Arrow::Up ? -step : arrow == Arrow::Down ? step : 0;
    const std::string name = (ctrl ? "Size " : "Move ") + WindowName(ChosenWindow(ed));
    // Consecutive nudges of one window are one step, also those of a held key.
    if (ctrl ? NudgeSize(ed, dx, dy) : NudgeMove(ed, dx, dy))
        RecordEdit(ed, name, name + " in " + std::to_string(ed.Prj->CurTimeIndex));
    return true;
}

}  // namespace kestrel
