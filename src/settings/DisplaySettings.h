#pragma once
// The target screen resolution and the fitting of the picture panel to its aspect ratio.

#include "model/Editor.h"

namespace kestrel {

struct DisplayModeRow {
    int Width;
    int Height;
    const char* Caption;
    bool Enabled;
};
// Rows 0..4: 1280 x 720, 1360 x 768 (the only one enabled), 1440 x 900, 1680 x 1050, 1920 x 1080.
const DisplayModeRow& DisplayModeOf(int mode);

// Sets mode 1 (1360 x 768) and fits the panel.
void SettingFormCreate(Editor& ed);
// OK with the radio button of `selectedMode` chosen (any value outside 0..3 gives 4).
void SettingButtonOKClick(Editor& ed, int selectedMode);
// The dialog closed by any means.
void SettingFormClose(Editor& ed);

// Fits Panel_Image into the area of ed.Panel to the display's aspect ratio, centred,
// and squares a hidden main window marker of the current section.
void ResizeImage(Editor& ed);

}  // namespace kestrel
