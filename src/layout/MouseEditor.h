#pragma once
// Drawing, moving and resizing window markers with the mouse on the image.
// Positions are in image coordinates, used as image panel coordinates.

#include "model/Editor.h"

namespace kestrel {

void imgBmpMouseDown(Editor& ed, int X, int Y);  // any button
void imgBmpMouseMove(Editor& ed, int X, int Y);
void imgBmpMouseUp(Editor& ed, int X, int Y);    // any button

int GetSizeHandle(int X, int Y, const Shape& shape);

// The steps behind the three events.
void UpdateHoverHandle(Editor& ed, int X, int Y);
void DrawNewShape(Editor& ed, int X, int Y);
void MoveShape(Editor& ed, int X, int Y);
void ResizeShape(Editor& ed, int X, int Y);
void BeginShapeEdit(Editor& ed, int X, int Y);
void CreateNewShape(Editor& ed, int X, int Y);

// Marker of window index (0 main, 1..8 sub) in the current section, or null.
std::optional<Shape>* WindowShape(Editor& ed, int index);
// Every marker of the current section in the normal look.
void SetNormalLook(Editor& ed);
// Writes a number into one position field without allocating.
void SetPosField(Editor& ed, PosField field, int value);
// The four fields from a model rectangle.
template <class Win>
void ShowPosFields(Editor& ed, const Win& win) {
    SetPosField(ed, FieldLeft, win.Left);
    SetPosField(ed, FieldTop, win.Top);
    SetPosField(ed, FieldWidth, win.Width);
    SetPosField(ed, FieldHeight, win.Height);
}

}  // namespace kestrel
