#include <gtest/gtest.h>

#include "settings/DisplaySettings.h"
#include "support/FakePlatform.h"

namespace kestrel {
namespace {

struct DisplaySettingsTest : ::testing::Test {
    test::FakePlatform platform;
    Editor ed{platform};

    void Fit(int areaWidth, int areaHeight, int displayWidth, int displayHeight) {
        ed.Panel.AreaWidth = areaWidth;
        ed.Panel.AreaHeight = areaHeight;
        ed.Display.DisplayWidth = displayWidth;
        ed.Display.DisplayHeight = displayHeight;
        ResizeImage(ed);
    }
};

TEST_F(DisplaySettingsTest, ResizeImageFitsAndCentresThePanel) {
    struct Case {
        int aw, ah, dw, dh;
        int left, top, width, height;
    };
    const Case cases[] = {
        {722, 527, 1360, 768, 0, 60, 722, 407},    // the main window's area at start-up
        {800, 300, 1360, 768, 134, 0, 531, 300},   // a wide area: the height decides
        {1360, 768, 1360, 768, 0, 0, 1360, 768},   // equal ratios
        {722, 527, 1920, 1080, 0, 60, 722, 406},   // 406.125 truncated
        {722, 527, 1440, 900, 0, 38, 722, 451},
        {300, 800, 1360, 768, 0, 315, 300, 169},   // a tall area: the width decides
        {722, 527, 768, 1360, 212, 0, 297, 527},   // a portrait display
    };
    for (const auto& c : cases) {
        Fit(c.aw, c.ah, c.dw, c.dh);
        const auto& p = ed.Panel;
        EXPECT_EQ(p.Left, c.left) << c.aw << "x" << c.ah << " for " << c.dw << "x" << c.dh;
        EXPECT_EQ(p.Top, c.top) << c.aw << "x" << c.ah << " for " << c.dw << "x" << c.dh;
        EXPECT_EQ(p.Width, c.width) << c.aw << "x" << c.ah << " for " << c.dw << "x" << c.dh;
        EXPECT_EQ(p.Height, c.height) << c.aw << "x" << c.ah << " for " << c.dw << "x" << c.dh;
    }
}

// Only a hidden main window marker of the current section becomes a square; shown
// markers and every stored rectangle stay as they are.
TEST_F(DisplaySettingsTest, ResizeImageSquaresOnlyAHiddenMainMarker) {
    auto& prj = *ed.Prj;
    ResizeImage(ed);  // no section: nothing to square
    EXPECT_EQ(prj.TimePL[0].MainWin.Shape, (Shape{0, 0, 720, 405, false}));

    prj.TimeCount = 2;
    prj.CurTimeIndex = 0;
    prj.TimePL[0].MainWin.Shape->Left = 30;
    prj.TimePL[0].MainWin.Width = 1234;
    prj.TimePL[1].MainWin.Shape = Shape{5, 6, 70, 80, true};
    prj.TimePL[0].SubWin[1].Shape = Shape{1, 2, 3, 4, true};
    Fit(722, 527, 1360, 768);
    EXPECT_EQ(prj.TimePL[0].MainWin.Shape, (Shape{30, 0, 407, 407, false}));
    EXPECT_EQ(prj.TimePL[0].MainWin.Width, 1234);
    EXPECT_EQ(prj.TimePL[0].SubWin[1].Shape, (Shape{1, 2, 3, 4, true}));

    prj.CurTimeIndex = 1;  // shown: left alone
    Fit(800, 300, 1360, 768);
    EXPECT_EQ(prj.TimePL[1].MainWin.Shape, (Shape{5, 6, 70, 80, true}));

    prj.TimePL[1].MainWin.Shape.reset();  // released by a mouse release: nothing to square
    Fit(722, 527, 1360, 768);
    EXPECT_FALSE(prj.TimePL[1].MainWin.Shape.has_value());

    // A portrait panel: the image is narrower than tall, so the width gives the side.
    prj.CurTimeIndex = 0;
    Fit(722, 527, 768, 1360);
    EXPECT_EQ(prj.TimePL[0].MainWin.Shape->Width, 297);
    EXPECT_EQ(prj.TimePL[0].MainWin.Shape->Height, 297);
}

TEST_F(DisplaySettingsTest, ModesComeFromTheTable) {
    struct Case {
        int selected, mode, width, height;
    };
    const Case cases[] = {
        {0, 0, 1280, 720}, {1, 1, 1360, 768},  {2, 2, 1440, 900}, {3, 3, 1680, 1050},
        {4, 4, 1920, 1080}, {9, 4, 1920, 1080}, {-1, 4, 1920, 1080},
    };
    for (const auto& c : cases) {
        SettingButtonOKClick(ed, c.selected);
        EXPECT_EQ(ed.Display.DisplayMode, c.mode) << c.selected;
        EXPECT_EQ(ed.Display.DisplayWidth, c.width) << c.selected;
        EXPECT_EQ(ed.Display.DisplayHeight, c.height) << c.selected;
    }
    for (int mode = 0; mode < 5; ++mode) EXPECT_EQ(DisplayModeOf(mode).Enabled, mode == 1) << mode;
}

TEST_F(DisplaySettingsTest, CreateSetsTheDefaultAndCloseKeepsTheMode) {
    ed.Display = {4, 1920, 1080};
    ed.Panel.Top = 0;
    SettingFormCreate(ed);
    EXPECT_EQ(ed.Display.DisplayMode, 1);
    EXPECT_EQ(ed.Display.DisplayWidth, 1360);
    EXPECT_EQ(ed.Display.DisplayHeight, 768);
    EXPECT_EQ(ed.Panel.Top, 60);

    // Closing without OK refits the panel to whatever mode is held.
    ed.Display = {2, 1440, 900};
    SettingFormClose(ed);
    EXPECT_EQ(ed.Display.DisplayMode, 2);
    EXPECT_EQ(ed.Panel.Height, 451);
    EXPECT_EQ(ed.Panel.Top, 38);
}

}  // namespace
}  // namespace kestrel
