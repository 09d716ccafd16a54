#pragma once
// Window rectangles in two spaces: target screen pixels in the model, image panel
// pixels for the markers. Edges are mapped one by one; a width is always the
// difference of two mapped edges.

#include <algorithm>
#include <cstdint>

#include "model/Editor.h"

namespace kestrel {

// Image panel edges in, display edges out (in place).
void ConvertShapeToResource(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom);
// Display edges in, image panel edges out (in place).
void ConvertResourceToShape(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom);

// One edge mapped: Round(a * num / den) without overflow for any stored value.
std::int64_t ScaleEdge(std::int64_t a, int num, int den);
// A 64-bit result brought into the range of the model's and the markers' integers.
int ClampToInt(std::int64_t v);

// A marker edge kept far off any screen but close enough to zero that edge plus size
// (plus a few pixels of handle) stays within int.
inline std::int64_t ShapeEdge(std::int64_t v) { return std::clamp<std::int64_t>(v, -(1 << 29), 1 << 29); }

// The window under a point of the current section: 0 main, 1..8 sub window, -1 none.
int IsPositionInSelection(const Editor& ed, int X, int Y);

// Model rectangle of a window from its marker, and the marker's place from the model.
// Edges are summed and mapped in 64 bits, so values near the 32-bit limits (a damaged
// or hand-made file) give clamped rectangles, never an overflow.
template <class Win>
void StoreShapeRect(const Editor& ed, const Shape& s, Win& win) {
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const int pw = ed.Panel.Width, ph = ed.Panel.Height;
    std::int64_t l = ScaleEdge(s.Left, dw, pw), r = ScaleEdge(std::int64_t(s.Left) + s.Width, dw, pw);
    std::int64_t t = ScaleEdge(s.Top, dh, ph), b = ScaleEdge(std::int64_t(s.Top) + s.Height, dh, ph);
    win.Left = ClampToInt(l);
    win.Top = ClampToInt(t);
    win.Width = ClampToInt(r - l);
    win.Height = ClampToInt(b - t);
}

template <class Win>
void PlaceShapeFromModel(const Editor& ed, const Win& win, Shape& s) {
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const int pw = ed.Panel.Width, ph = ed.Panel.Height;
    std::int64_t l = ShapeEdge(ScaleEdge(win.Left, pw, dw));
    std::int64_t r = ShapeEdge(ScaleEdge(std::int64_t(win.Left) + win.Width, pw, dw));
    std::int64_t t = ShapeEdge(ScaleEdge(win.Top, ph, dh));
    std::int64_t b = ShapeEdge(ScaleEdge(std::int64_t(win.Top) + win.Height, ph, dh));
    s.Left = static_cast<int>(l);
    s.Top = static_cast<int>(t);
    s.Width = static_cast<int>(r - l);
    s.Height = static_cast<int>(b - t);
}

}  // namespace kestrel
