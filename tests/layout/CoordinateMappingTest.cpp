#include <gtest/gtest.h>

#include <limits>

#include "layout/CoordinateMapping.h"
#include "support/FakePlatform.h"

namespace kestrel {
namespace {

// The default geometry: 1360 x 768 shown on a 722 x 407 panel.
struct MappingTest : ::testing::Test {
    test::FakePlatform platform;
    Editor ed{platform};
};

struct Edges {
    int left, right, top, bottom;
};

TEST_F(MappingTest, DisplayToPanelRoundsHalvesToEven) {
    struct Case {
        Edges in, out;
    };
    const Case cases[] = {
        {{340, 1020, 384, 768}, {180, 542, 204, 407}},  // 180.5, 541.5, 203.5: to the even side
        {{189, 1360, 0, 1152}, {100, 722, 0, 610}},     // 100.34; 610.5 to the even 610
        {{0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Edges e = c.in;
        ConvertResourceToShape(ed, e.left, e.right, e.top, e.bottom);
        EXPECT_EQ(e.left, c.out.left) << c.in.left;
        EXPECT_EQ(e.right, c.out.right) << c.in.right;
        EXPECT_EQ(e.top, c.out.top) << c.in.top;
        EXPECT_EQ(e.bottom, c.out.bottom) << c.in.bottom;
    }
}

TEST_F(MappingTest, PanelToDisplay) {
    struct Case {
        Edges in, out;
    };
    const Case cases[] = {
        {{100, 101, 100, 101}, {188, 190, 189, 191}},  // a 1-pixel shape becomes 2 display pixels
        {{720, 722, 405, 407}, {1356, 1360, 764, 768}},  // the image's last column and row
        {{180, 542, 204, 0}, {339, 1021, 385, 0}},  // 1020 -> 542 -> 1021: no round trip this way
    };
    for (const auto& c : cases) {
        Edges e = c.in;
        ConvertShapeToResource(ed, e.left, e.right, e.top, e.bottom);
        EXPECT_EQ(e.left, c.out.left) << c.in.left;
        EXPECT_EQ(e.right, c.out.right) << c.in.right;
        EXPECT_EQ(e.top, c.out.top) << c.in.top;
        EXPECT_EQ(e.bottom, c.out.bottom) << c.in.bottom;
    }
}

// Scaling up loses nothing: every panel coordinate comes back from the display unchanged.
// The other way round does not hold (display 189 -> panel 100 -> display 188).
TEST_F(MappingTest, PanelCoordinatesSurviveTheRoundTrip) {
    for (int x = 0; x <= ed.Panel.Width; ++x) {
        int l = x, r = x, t = 0, b = 0;
        ConvertShapeToResource(ed, l, r, t, b);
        ConvertResourceToShape(ed, l, r, t, b);
        ASSERT_EQ(l, x);
    }
    for (int y = 0; y <= ed.Panel.Height; ++y) {
        int l = 0, r = 0, t = y, b = y;
        ConvertShapeToResource(ed, l, r, t, b);
        ConvertResourceToShape(ed, l, r, t, b);
        ASSERT_EQ(t, y);
    }
    int l = 189, r = 189, t = 0, b = 0;
    ConvertResourceToShape(ed, l, r, t, b);
    ConvertShapeToResource(ed, l, r, t, b);
    EXPECT_EQ(l, 188);
}

// Stored values anywhere in the 32-bit range map without overflow (the sanitizer build
// checks the arithmetic); markers far off the screen are held at a fixed distance.
TEST_F(MappingTest, ExtremeRectanglesMapWithoutOverflow) {
    constexpr int Max = std::numeric_limits<int>::max(), Min = std::numeric_limits<int>::min();
    constexpr int Far = 1 << 29;
    struct Case {
        int left, top, width, height;
        Shape shape;
    } cases[] = {
        {Max, Max, Max, Max, {Far, Far, 0, 0}},
        {Min, Min, Max, Max, {-Far, -Far, Far - 1, Far - 1}},  // right edge -1
        {2000000000, 0, 0, 768, {Far, 0, 0, 407}},
        {0, 0, 1360, 768, {0, 0, 722, 407}},
    };
    for (const auto& c : cases) {
        TSubWinData win;
        win.Left = c.left, win.Top = c.top, win.Width = c.width, win.Height = c.height;
        Shape s;
        PlaceShapeFromModel(ed, win, s);
        EXPECT_EQ(s.Left, c.shape.Left) << c.left;
        EXPECT_EQ(s.Top, c.shape.Top) << c.top;
        EXPECT_EQ(s.Width, c.shape.Width) << c.width;
        EXPECT_EQ(s.Height, c.shape.Height) << c.height;
    }
    int l = Max, r = Min, t = Max, b = Min;
    ConvertShapeToResource(ed, l, r, t, b);
    EXPECT_EQ(l, Max);  // beyond int: held at its end
    EXPECT_EQ(r, Min);
}

// A size is never scaled by itself: it is the difference of two mapped edges.
TEST_F(MappingTest, SizesAreDifferencesOfMappedEdges) {
    TSubWinData win;
    StoreShapeRect(ed, Shape{4, 100, 1, 1}, win);  // 7.53 -> 8 and 9.42 -> 9
    EXPECT_EQ(win.Left, 8);
    EXPECT_EQ(win.Width, 1);  // a scaled width would read 2
    EXPECT_EQ(win.Top, 189);
    EXPECT_EQ(win.Height, 2);

    StoreShapeRect(ed, Shape{0, 0, 405, 405}, win);  // the first square main window
    EXPECT_EQ(win.Width, 763);
    EXPECT_EQ(win.Height, 764);

    TMainWinData typed;
    typed.Left = 189;
    typed.Width = 1000;  // right edge 1189 -> 631.2
    typed.Top = 0;
    typed.Height = 768;
    Shape s{1, 2, 3, 4, true};
    PlaceShapeFromModel(ed, typed, s);
    EXPECT_EQ(s, (Shape{100, 0, 531, 407, true}));  // visibility kept
}

TEST_F(MappingTest, HitTestIsInclusiveAndTheMainWindowWins) {
    auto& prj = *ed.Prj;
    EXPECT_EQ(IsPositionInSelection(ed, 0, 0), -1);  // no current section

    prj.TimeCount = 1;
    prj.CurTimeIndex = 0;
    auto& rec = prj.TimePL[0];
    rec.MainWin.Shape = Shape{10, 10, 100, 100, true};
    rec.SubWin[1].Shape = Shape{50, 50, 20, 20, true};   // inside the main window
    rec.SubWin[2].Shape = Shape{300, 200, 50, 40, true};
    rec.SubWin[3].Left = 500;                                    // a model rectangle, no marker
    rec.SubWin[3].Width = 100;
    rec.SubWin[4].Shape = Shape{400, 300, 10, 10, false};  // hidden: not on the picture
    rec.SubWinCount = 0;                                          // the count plays no part

    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        {10, 10, 0},   {110, 110, 0}, {111, 110, -1}, {110, 111, -1}, {60, 60, 0},
        {300, 200, 2}, {350, 240, 2}, {351, 240, -1}, {405, 305, -1}, {550, 0, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPositionInSelection(ed, c.x, c.y), c.expected) << c.x << "," << c.y;

    rec.MainWin.Shape.reset();  // a main window without a marker lets the sub window through
    EXPECT_EQ(IsPositionInSelection(ed, 60, 60), 1);
}

}  // namespace
}  // namespace kestrel
