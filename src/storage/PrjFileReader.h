#pragma once
// The positional reader of the project file.

#include "model/Project.h"

namespace kestrel {

// Reads prj.PrjFileName into prj.TimePL from record 0, naming files inside prj.PrjDir,
// and counts the sections in prj.TimeCount. Throws kestrel::Error naming the file,
// the line and the reason when the file cannot be read or is damaged. Callers read
// into a fresh project and keep it only when this returns.
void ReadPrjFile(Project& prj);

}  // namespace kestrel
