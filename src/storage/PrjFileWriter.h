#pragma once
// The project file writer: a fixed, line-oriented text that declares itself as XML.

#include <string>

#include "model/Project.h"

namespace kestrel {

// The bytes of the project file for sections 0 to prj.TimeCount - 1.
std::string PrjFileText(const Project& prj);

// Writes bytes to path: into a temporary file beside it first, renamed over the old
// file only when complete, so the old file is never lost. Throws kestrel::Error naming
// the file and the system's reason.
void WriteFileReplacing(const std::string& path, const std::string& bytes);

// Writes the project to prj.PrjFileName (no media are copied here; the save does that).
void WritePrjFile(const Project& prj);

}  // namespace kestrel
