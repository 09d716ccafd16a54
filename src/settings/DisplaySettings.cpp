#include "settings/DisplaySettings.h"

namespace kestrel {

static const DisplayModeRow kModes[5] = {
    {1280, 720, "1280 x 720", false},   {1360, 768, "1360 x 768", true},
    {1440, 900, "1440 x 900", false},   {1680, 1050, "1680 x 1050", false},
    {1920, 1080, "1920 x 1080", false},
};

const DisplayModeRow& DisplayModeOf(int mode) { return kModes[(mode >= 0 && mode <= 3) ? mode : 4]; }

static void SetMode(Editor& ed, int mode) {
    const auto& row = DisplayModeOf(mode);
    ed.Display.DisplayMode = (mode >= 0 && mode <= 3) ? mode : 4;
    ed.Display.DisplayWidth = row.Width;
    ed.Display.DisplayHeight = row.Height;
}

void SettingFormCreate(Editor& ed) {
    SetMode(ed, 1);
    ResizeImage(ed);
}

void SettingButtonOKClick(Editor& ed, int selectedMode) { SetMode(ed, selectedMode); }

void SettingFormClose(Editor& ed) { ResizeImage(ed); }

void ResizeImage(Editor& ed) {
    auto& p = ed.Panel;
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const double rT = double(dw) / dh;
    const double rA = double(p.AreaWidth) / p.AreaHeight;
    if (rT > rA) {
        p.Width = p.AreaWidth;
        p.Height = p.AreaWidth * dh / dw;
    } else {
        p.Height = p.AreaHeight;
        p.Width = p.AreaHeight * dw / dh;
    }
    p.Left = (p.AreaWidth - p.Width) / 2;
    p.Top = (p.AreaHeight - p.Height) / 2;

    auto* cur = ed.Current();
    if (cur && cur->MainWin.Shape && !cur->MainWin.Shape->Visible) {
        const int side = p.ImgWidth() < p.ImgHeight() ? p.Width : p.Height;
        cur->MainWin.Shape->Width = side;
        cur->MainWin.Shape->Height = side;
    }
}

}  // namespace kestrel
