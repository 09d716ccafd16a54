#pragma once
// The Save and Save as commands.

#include "model/Editor.h"

namespace kestrel {

void TBtnSavePrjClick(Editor& ed);  // Save
void Saveas1Click(Editor& ed);      // Save as
void SavePrjClick(Editor& ed);      // the save procedure both share

}  // namespace kestrel
