#pragma once
// Window rectangles in two spaces: target screen pixels in the model, image panel
// pixels for the markers. Edges are mapped one by one; a width is always the
// difference of two mapped edges.

#include "model/Editor.h"

namespace kestrel {

// Image panel edges in, display edges out (in place).
void ConvertShapeToResource(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom);
// Display edges in, image panel edges out (in place).
void ConvertResourceToShape(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom);

// The window under a point of the current section: 0 main, 1..8 sub window, -1 none.
int IsPositionInSelection(const Editor& ed, int X, int Y);

// Model rectangle of a window from its marker, and the marker's place from the model.
template <class Win>
void StoreShapeRect(const Editor& ed, const Shape& s, Win& win) {
    int l = s.Left, r = s.Left + s.Width, t = s.Top, b = s.Top + s.Height;
    ConvertShapeToResource(ed, l, r, t, b);
    win.Left = l;
    win.Top = t;
    win.Width = r - l;
    win.Height = b - t;
}

template <class Win>
void PlaceShapeFromModel(const Editor& ed, const Win& win, Shape& s) {
    int l = win.Left, r = win.Left + win.Width, t = win.Top, b = win.Top + win.Height;
    ConvertResourceToShape(ed, l, r, t, b);
    s.Left = l;
    s.Top = t;
    s.Width = r - l;
    s.Height = b - t;
}

}  // namespace kestrel
