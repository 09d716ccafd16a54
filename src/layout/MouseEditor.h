#pragma once
// Drawing, moving and resizing window markers with the mouse on the image.
// Positions are in image coordinates, used as image panel coordinates.

#include "model/Editor.h"

namespace kestrel {

void imgBmpMouseDown(Editor& ed, int X, int Y);  // any button
// freeDrag (Alt held): the drag step does not snap.
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

// Calls f on the model record of window index (0 main, 1..8 sub) of section rec.
template <class F>
void WithWindow(TTimePLData& rec, int index, F&& f) {
    if (index == 0)
        f(rec.MainWin);
    else if (index >= 1 && index <= MaxSubWin)
        f(rec.SubWin[index]);
}

// Tools > Snap: on unless switched off, remembered between runs.
void LoadSnapSetting(Editor& ed);
void SetSnapEnabled(Editor& ed, bool on);

// The name a window goes by on the picture and in the list: "Main", "SubWin1" ...
std::string WindowLabel(int index);

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
