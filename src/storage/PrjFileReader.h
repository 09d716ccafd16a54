#pragma once
// The positional reader of the project file.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Project.h"

namespace kestrel {

// Project files larger than this are refused before reading.
inline constexpr std::uintmax_t MaxPrjFileSize = 64u << 20;

// Reads prj.PrjFileName into prj.TimePL from record 0, naming files inside prj.PrjDir,
// and counts the sections in prj.TimeCount. Throws kestrel::Error naming the file,
// the line and the reason when the file cannot be read or is damaged. Callers read
// into a fresh project and keep it only when this returns.
void ReadPrjFile(Project& prj);

// The same reading over bytes already in memory; fileName only names them in messages.
void ReadPrjData(Project& prj, std::string_view data, const std::string& fileName);

}  // namespace kestrel
