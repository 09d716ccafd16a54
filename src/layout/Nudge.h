#pragma once
// The arrow keys on the chosen window: a move or a change of size by whole screen
// pixels, kept within the display.

#include "model/Editor.h"

namespace kestrel {

enum class Arrow { Left, Right, Up, Down };

// The window the user has chosen: the one outlined in red on the picture, or -1.
int ChosenWindow(Editor& ed);

// Each returns true when the chosen window's rectangle changed; the fields and the
// marker follow the model.
bool NudgeMove(Editor& ed, int dx, int dy);
bool NudgeSize(Editor& ed, int dWidth, int dHeight);

// An arrow key: 1 pixel, 10 with shift; ctrl changes the width or height instead of
// the place. True when a window is chosen, so the key is taken even at the display's edge.
bool ArrowKeyNudge(Editor& ed, Arrow arrow, bool shift, bool ctrl);

}  // namespace kestrel
