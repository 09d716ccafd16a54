#pragma once
// The project file writer: a fixed, line-oriented text that declares itself as XML.

#include <string>

#include "model/Project.h"

namespace kestrel {

// The bytes of the project file for sections 0 to prj.TimeCount - 1.
std::string PrjFileText(const Project& prj);

// Writes bytes to path: into a temporary file beside it first, renamed over the old
// file only when complete, so the old file is never lost. A path that is a symbolic
// link has its target replaced and stays a link. Throws kestrel::Error naming the
// file and the system's reason, or that the file is write-protected.
void WriteFileReplacing(const std::string& path, const std::string& bytes);

// Throws kestrel::Error when path names a file that a save must not replace: one that
// is write-protected or not a regular file. A save checks this before it copies.
void CheckReplaceable(const std::string& path);

// Writes the project to prj.PrjFileName (no media are copied here; the save does that).
void WritePrjFile(const Project& prj);

}  // namespace kestrel
