#pragma once
// Drawing, moving and resizing window markers with the mouse on the image.
// Positions are in image coordinates, used as image panel coordinates.

#include "model/Editor.h"

namespace kestrel {

void imgBmpMouseDown(Editor& ed, int X, int Y);  // any button
void imgBmpMouseMove(Editor& ed, int X, int Y);
void imgBmpMouseUp(Editor& ed, int X, int Y);    // any button

int GetSizeHandle(int X, int Y, const Shape& shape);

}  // namespace kestrel
