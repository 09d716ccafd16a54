#pragma once
// Drawing, moving and resizing window markers with the mouse on the image.
// Positions are in image coordinates, used as image panel coordinates.

#include "model/Editor.h"

namespace kestrel {

void imgBmpMouseDown(Editor& ed, int X, int Y);  // any button
// freeDrag (the free-drag modifier held): the drag step does not snap.
void imgBmpMouseMove(Editor& ed, int X, int Y, bool freeDrag = false);
void imgBmpMouseUp(Editor& ed, int X, int Y);    // any button

int GetSizeHandle(int X, int Y, const Shape& shape);

// The steps behind the three events.
void UpdateHoverHandle(Editor& ed, int X, int Y);
// Each step snaps the edges it moves onto the display's edges and the edges of the other
// windows shown, within six picture pixels, unless snapping is off or freeDrag is set.
void DrawNewShape(Editor& ed, int X, int Y, bool freeDrag = false);
void MoveShape(Editor& ed, int X, int Y, bool freeDrag = false);
void ResizeShape(Editor& ed, int X, int Y, bool freeDrag = false);
void BeginShapeEdit(Editor& ed, int X, int Y);
void CreateNewShape(Editor& ed, int X, int Y);

// The pointer shape over handle -1 to 7.
Cursor HandleCursor(int handle);

// Tools > Snap: on unless switched off, remembered between runs.
void LoadSnapSetting(Editor& ed);
void SetSnapEnabled(Editor& ed, bool on);

// The name a window goes by on the picture: "Main", "SubWin1" ...
std::string WindowLabel(int index);

}  // namespace kestrel
