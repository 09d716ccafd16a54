#pragma once
// What happens when the main window becomes active again and when it is closed.

#include "model/Editor.h"

namespace kestrel {

// The main window became the active window (a dialog closed, the user came back): the
// current section's file list is rebuilt and its sub window files copied.
void FormActivate(Editor& ed);

// Closing the main window asks first; true when the user agreed, and then what every
// section holds is released.
bool FormClose(Editor& ed);

}  // namespace kestrel
