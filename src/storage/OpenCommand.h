#pragma once
// The Open command.

#include "model/Editor.h"

namespace kestrel {

void btnOpenPrjClick(Editor& ed);

// The same command with the file reader given: reads prj.PrjFileName into prj, throws
// kestrel::Error when it cannot. btnOpenPrjClick passes ReadPrjFile.
using ProjectReader = void (*)(Project& prj);
void btnOpenPrjClick(Editor& ed, ProjectReader read);

// Opens the project file at `path` without asking (the file is chosen already: the
// command line, the recent projects); a fresh history starts with it.
void OpenProjectFile(Editor& ed, const std::string& path, ProjectReader read);
void OpenProjectFile(Editor& ed, const std::string& path);

// Open Recent: asks as Open does; a project that is gone is dropped from the list, with a message.
void OpenRecentProject(Editor& ed, const std::string& path);

}  // namespace kestrel
