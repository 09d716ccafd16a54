#pragma once
// The project folder: the file list of a section and the copies of its media files.

#include "model/Editor.h"

namespace kestrel {

// Rebuilds the file list of the current section and copies its sub window files
// into the project folder.
void RefreshFileList(Editor& ed);

}  // namespace kestrel
