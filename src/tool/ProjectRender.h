#pragma once
// A time section drawn as the player's screen shows it: the background stretched over
// the screen, then the main window and each listed sub window at its rectangle, filled
// with the first file of its playlist when that is a picture, otherwise with a plain
// placeholder naming the file, and each window's name in a small label.

#include <string>

#include "model/Project.h"

class QImage;

namespace kestrel {

inline constexpr int RenderWidth = 1360;
inline constexpr int RenderHeight = 768;

// Needs a running QGuiApplication (for the labels' font).
QImage RenderSection(const Project& prj, int section);

// Draws section `section` (a record index) into a PNG file, starting the offscreen
// platform when no application runs. Throws kestrel::Error when the file cannot be written.
void RenderSectionToFile(const Project& prj, int section, const std::string& out);

}  // namespace kestrel
