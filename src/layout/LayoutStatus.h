#pragma once
// What the status bar says about the picture: where the pointer is and the chosen window.

#include <string>

#include "model/Editor.h"

namespace kestrel {

// "Pointer: 680, 384": a point of the picture in target screen pixels.
std::string PointerStatus(const Editor& ed, int X, int Y);
// "SubWin2: Start X 100, Start Y 50, Width 400, Height 300", or "" with no window chosen.
std::string WindowStatus(const Editor& ed);

}  // namespace kestrel
