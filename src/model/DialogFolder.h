#pragma once
// Where the file dialogs open, and the folder remembered between runs for them.

#include <string>

#include "model/Editor.h"

namespace kestrel {

inline constexpr const char* LastFolderSetting = "LastFolder";

// The project folder once the project has one (saved or opened); before that the
// folder last used in a file dialog, if it still exists; else the user's home folder.
// Never the program's own folder.
std::string DialogStartFolder(Editor& ed);
// Remembers the folder of a file the user chose in a file dialog; "" changes nothing.
void RememberDialogFolder(Editor& ed, const std::string& chosenFile);

}  // namespace kestrel
