#pragma once
// Choosing a section, and a window in it, from a finding or the day plan: the same steps
// as choosing in the time list and the window list. Choosing changes no record.

#include "model/Editor.h"

namespace kestrel {

// section: record index (nothing happens unless it is listed); window: 0 the main
// window, 1 to 8 a sub window of that section, -1 none.
void ChooseSection(Editor& ed, int section, int window = -1);

}  // namespace kestrel
