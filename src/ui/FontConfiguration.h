#pragma once
// Reading the system's font configuration is the longest single step before the first
// frame and needs nothing from Qt, so main() starts it on a thread of its own while the
// application and the main window's first widgets are set up.

namespace kestrel {

void StartReadingFontConfiguration();

// Returns once the configuration has been read (at once when it was never started).
// Called before the first widget that measures text: Qt reads the configuration there
// itself and would read it a second time if the thread were still at it.
void AwaitFontConfiguration();

}  // namespace kestrel
