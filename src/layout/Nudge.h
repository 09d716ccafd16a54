#pragma once
// The arrow keys on the chosen window: a move or a change of size by whole screen
// pixels, kept within the display.

#include "model/Editor.h"

namespace kestrel {

enum class Arrow { Left, Right, Up, Down };

// The chosen window when it is drawn on the picture (the one outlined in red), or -1.
int ChosenWindow(const Editor& ed);

// Each returns true when the chosen window's rectangle changed; the fields and the
// marker follow the model.
bool NudgeMove(Editor& ed, int dx, int dy);
bool NudgeSize(Editor& ed, int dWidth, int dHeight);

// Where an arrow key was pressed: on the picture every arrow nudges; in the window list
// plain Up and Down still go from window to window.
enum class KeyPlace { Picture, WindowList };

// An arrow key: 1 pixel, 10 with shift; ctrl changes the width or height instead of
// the place. True when the key nudged a chosen window, so it is taken even at the
// display's edge; false leaves the key to the widget.
bool ArrowKeyNudge(Editor& ed, KeyPlace place, Arrow arrow, bool shift, bool ctrl);

}  // namespace kestrel
