// Snapping of mouse drags and the arrow-key nudges, on the default display: one
// picture pixel is about 1.9 screen pixels, so six picture pixels reach 11 screen pixels.
#include "layout/CoordinateMapping.h"
#include "layout/Nudge.h"

#include "LayoutFixture.h"

namespace kestrel::test {
namespace {

using Rect4 = std::array<int, 4>;

// SubWin2 is the neighbour, at screen 400..700 x 200..400 (image 212..372 x 106..212);
// SubWin1 is dragged.
class SnapTest : public LayoutTest {
protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Sec().SubWinCount = 2;
        ed.ListedSubWins = 2;
        SetModel(2, {400, 200, 300, 200});
    }
    void SetModel(int sub, Rect4 r) {
        Sub(sub).Left = r[0];
        Sub(sub).Top = r[1];
        Sub(sub).Width = r[2];
        Sub(sub).Height = r[3];
        Sub(sub).Shape = Shape{0, 0, 0, 0, true};
        PlaceShapeFromModel(ed, Sub(sub), *Sub(sub).Shape);
    }
    // A press inside SubWin1's 50 x 50 marker at (250, 300) and one step that puts the
    // marker's corner at (left, top).
    void MoveTo(int left, int top, bool freeDrag) {
        Place(1, 250, 300, 50, 50);
        Sub(1).Width = 94;
        Sub(1).Height = 94;
        Current(1);
        Move(275, 325);
        Press(275, 325);
        ASSERT_EQ(ed.DragMode, 2);
        imgBmpMouseMove(ed, left + 25, top + 25, freeDrag);
    }
};

TEST_F(SnapTest, MoveSnapsTheNearerEdgeOntoDisplayAndNeighbourEdges) {
    struct {
        const char* name;
        int left, top;
        bool freeDrag, snapOn, neighbourListed;
        int modelLeft, modelTop, guideX, guideY;
    } cases[] = {
        {"left edge onto the neighbour's right edge", 376, 300, false, true, true, 700, 566, 372, -1},
        {"right edge onto the neighbour's left edge", 160, 300, false, true, true, 306, 566, 212, -1},
        {"top edge onto the neighbour's bottom edge", 500, 214, false, true, true, 942, 400, -1, 212},
        {"the display's left edge", 4, 300, false, true, true, 0, 566, 0, -1},
        {"the display's right edge", 668, 300, false, true, true, 1266, 566, 722, -1},
        {"out of reach", 300, 300, false, true, true, 565, 566, -1, -1},
        {"the free-drag modifier held", 376, 300, true, true, true, 708, 566, -1, -1},
        {"snapping off", 376, 300, false, false, true, 708, 566, -1, -1},
        {"a window beyond the list does not attract", 376, 300, false, true, false, 708, 566, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ed.SnapEnabled = c.snapOn;
        Sec().SubWinCount = c.neighbourListed ? 2 : 1;
        MoveTo(c.left, c.top, c.freeDrag);
        EXPECT_EQ(Sub(1).Left, c.modelLeft);
        EXPECT_EQ(Sub(1).Top, c.modelTop);
        EXPECT_EQ(Sub(1).Width, 94);  // a move keeps the size
        EXPECT_EQ(View(ed).PosFields[FieldLeft], std::to_string(c.modelLeft));
        EXPECT_EQ(ed.SnapGuideX, c.guideX);
        EXPECT_EQ(ed.SnapGuideY, c.guideY);
        Release(0, 0);
        EXPECT_EQ(ed.SnapGuideX, -1);
        EXPECT_EQ(ed.SnapGuideY, -1);
    }
}

TEST_F(SnapTest, SnappedMarkerSitsOnTheLineAndComesFreeInSmallSteps) {
    MoveTo(376, 300, false);
    EXPECT_EQ(Sub(1).Shape->Left, 372);  // where screen 700 lies on the image
    EXPECT_EQ(Sub(1).Shape->Width, 50);
    // One pixel at a time: the pointer, not the snapped marker, carries the window on.
    for (int x = 377; x <= 390; ++x) Move(x + 25, 325);
    EXPECT_EQ(Sub(1).Left, 735);
    EXPECT_EQ(Sub(1).Shape->Left, 390);
}

TEST_F(SnapTest, DrawSnapsBothEdgesButAnEmptyDrawStaysEmpty) {
    struct {
        const char* name;
        int pressX, pressY, toX, toY;
        bool freeDrag;
        Rect4 model;
    } cases[] = {
        // Image 214 is screen 403, beside the neighbour's left edge at 400.
        {"starts on the neighbour's edge", 214, 300, 300, 350, false, {400, 566, 165, 94}},
        {"ends on the display's bottom edge", 214, 300, 300, 403, false, {400, 566, 165, 202}},
        {"the free-drag modifier held", 214, 300, 300, 350, true, {403, 566, 162, 94}},
        {"back at the start column beside the display's edge", 3, 300, 3, 350, false, {6, 566, 0, 94}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sub(1) = TSubWinData{};
        Current(1);
        Move(c.pressX, c.pressY);
        Press(c.pressX, c.pressY);
        ASSERT_EQ(ed.DragMode, 1);
        imgBmpMouseMove(ed, c.toX, c.toY, c.freeDrag);
        EXPECT_EQ(Model(Sub(1)), c.model);
        Release(c.toX, c.toY);
        EXPECT_EQ(Sub(1).Shape.has_value(), c.model[2] > 0);
    }
}

TEST_F(SnapTest, ResizeSnapsOnlyTheEdgesItsHandleMoves) {
    // SubWin1's right edge (handle 3) pulled towards the neighbour's left edge.
    Place(1, 100, 300, 100, 50);
    StoreShapeRect(ed, *Sub(1).Shape, Sub(1));
    const Rect4 before = Model(Sub(1));
    Current(1);
    Move(200, 325);
    ASSERT_EQ(ed.SizeHandle, 3);
    Press(200, 325);
    Move(210, 325);  // screen 396
    EXPECT_EQ(Sub(1).Left, before[0]);
    EXPECT_EQ(Sub(1).Left + Sub(1).Width, 400);
    EXPECT_EQ(Sub(1).Top, before[1]);
    EXPECT_EQ(Sub(1).Height, before[3]);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{100, 300, 112, 50}));
}

TEST_F(SnapTest, ResizeNeverSnapsBelowTheMinimumSize) {
    // The left edge (handle 7) pushed to the 10-pixel minimum at image 110, with the
    // neighbour's left edge at screen 215 (image 114) within reach: it is not taken.
    SetModel(2, {215, 200, 300, 200});
    Place(1, 100, 300, 20, 50);
    Current(1);
    Move(100, 325);
    ASSERT_EQ(ed.SizeHandle, 7);
    Press(100, 325);
    Move(110, 325);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{110, 300, 10, 50}));
    Move(111, 325);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{110, 300, 10, 50}));
}

// The arrow keys on SubWin1, chosen (red) at screen 100, 100, 200 x 100.
class NudgeTest : public SnapTest {
protected:
    void Choose(Rect4 r) {
        SetModel(1, r);
        ChooseWindow(ed, 1);
    }
};

TEST_F(NudgeTest, ArrowsMoveAndSizeTheChosenWindowWithinTheDisplay) {
    struct {
        const char* name;
        Arrow arrow;
        bool shift, ctrl;
        Rect4 start, end;
    } cases[] = {
        {"right", Arrow::Right, false, false, {100, 100, 200, 100}, {101, 100, 200, 100}},
        {"shift left", Arrow::Left, true, false, {100, 100, 200, 100}, {90, 100, 200, 100}},
        {"down", Arrow::Down, false, false, {100, 100, 200, 100}, {100, 101, 200, 100}},
        {"shift up", Arrow::Up, true, false, {100, 100, 200, 100}, {100, 90, 200, 100}},
        {"ctrl right: wider", Arrow::Right, false, true, {100, 100, 200, 100}, {100, 100, 201, 100}},
        {"ctrl shift left: narrower", Arrow::Left, true, true, {100, 100, 200, 100}, {100, 100, 190, 100}},
        {"ctrl down: higher", Arrow::Down, false, true, {100, 100, 200, 100}, {100, 100, 200, 101}},
        {"ctrl shift up: lower", Arrow::Up, true, true, {100, 100, 200, 100}, {100, 100, 200, 90}},
        {"stops at the right edge keeping its width", Arrow::Right, true, false, {1155, 100, 200, 100}, {1160, 100, 200, 100}},
        {"stays at the left edge", Arrow::Left, false, false, {0, 100, 200, 100}, {0, 100, 200, 100}},
        {"stops at the top edge", Arrow::Up, true, false, {100, 5, 200, 100}, {100, 0, 200, 100}},
        {"stops at the bottom edge", Arrow::Down, true, false, {100, 660, 200, 100}, {100, 668, 200, 100}},
        {"grows only to the right edge", Arrow::Right, true, true, {1100, 100, 255, 100}, {1100, 100, 260, 100}},
        {"keeps one pixel", Arrow::Left, true, true, {100, 100, 5, 100}, {100, 100, 1, 100}},
        {"a window reaching past the display is pulled in", Arrow::Left, false, false, {1300, 100, 200, 100}, {1160, 100, 200, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(c.start);
        EXPECT_TRUE(ArrowKeyNudge(ed, KeyPlace::Picture, c.arrow, c.shift, c.ctrl));
        EXPECT_EQ(Model(Sub(1)), c.end);
        const Rect4 fields = {std::stoi(View(ed).PosFields[0]), std::stoi(View(ed).PosFields[1]),
                              std::stoi(View(ed).PosFields[2]), std::stoi(View(ed).PosFields[3])};
        EXPECT_EQ(fields, c.end);
        Shape placed;
        PlaceShapeFromModel(ed, Sub(1), placed);
        EXPECT_EQ(Rect(*Sub(1).Shape), Rect(placed));
        EXPECT_EQ(Model(Sub(2)), (Rect4{400, 200, 300, 200}));  // only the chosen window
    }
}

TEST_F(NudgeTest, InTheWindowListPlainUpAndDownGoToTheNextWindow) {
    const struct {
        const char* name;
        Arrow arrow;
        bool shift, ctrl;
        bool nudges;
    } cases[] = {
        {"up", Arrow::Up, false, false, false},
        {"down", Arrow::Down, false, false, false},
        {"left", Arrow::Left, false, false, true},
        {"right", Arrow::Right, false, false, true},
        {"shift down", Arrow::Down, true, false, true},
        {"ctrl up", Arrow::Up, false, true, true},
        {"ctrl shift up", Arrow::Up, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect4 start{100, 100, 200, 100};
        Choose(start);
        EXPECT_EQ(ArrowKeyNudge(ed, KeyPlace::WindowList, c.arrow, c.shift, c.ctrl), c.nudges);
        EXPECT_EQ(Model(Sub(1)) != start, c.nudges);
    }
}

TEST_F(NudgeTest, KeysPassWithoutAChosenWindow) {
    enum { NoneRed, Hidden, NoSection };
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"no window chosen", NoneRed},
        {"the chosen window's marker hidden", Hidden},
        {"no current section", NoSection},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ed.Prj->CurTimeIndex = 0;
        Choose({100, 100, 200, 100});
        if (c.kind == NoneRed) ChooseWindow(ed, -1);
        Sub(1).Shape->Visible = c.kind != Hidden;
        if (c.kind == NoSection) ed.Prj->CurTimeIndex = -1;
        EXPECT_FALSE(ArrowKeyNudge(ed, KeyPlace::Picture, Arrow::Right, false, false));
        EXPECT_EQ(Model(Sub(1)), (Rect4{100, 100, 200, 100}));
    }
}

}  // namespace
}  // namespace kestrel::test
