#pragma once
// The Open command.

#include "model/Editor.h"

namespace kestrel {

void btnOpenPrjClick(Editor& ed);

// The same command with the file reader given: reads prj.PrjFileName into prj, throws
// kestrel::Error when it cannot. btnOpenPrjClick passes ReadPrjFile.
using ProjectReader = void (*)(Project& prj);
void btnOpenPrjClick(Editor& ed, ProjectReader read);

}  // namespace kestrel
