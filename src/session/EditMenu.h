#pragma once
// The Edit menu: undo and redo of the project's edits, and what the menu items read.

#include <string>

#include "model/Editor.h"

namespace kestrel {

// Each shows the project as the step left it, with the edited section and window chosen.
void Undo1Click(Editor& ed);
void Redo1Click(Editor& ed);

// "&Undo Move SubWin2", or "&Undo" when there is nothing to undo; likewise Redo.
std::string UndoText(const Editor& ed);
std::string RedoText(const Editor& ed);

}  // namespace kestrel
