#include "layout/MouseEditor.h"

#include "LayoutFixture.h"

namespace kestrel::test {
namespace {

using Fields4 = std::array<std::string, 4>;

// Idle moves over a 200 x 100 marker at (100, 50): the handle, the pointer shape and
// the window found, including the grown rectangle's outer column and row.
struct HoverCase {
    int x, y, handle;
    Cursor cursor;
    int window;
};

TEST_F(LayoutTest, IdleMoveFindsHandleAndPointerShape) {
    Place(1, 100, 50, 200, 100);
    const HoverCase cases[] = {
        {98, 48, 0, Cursor::SizeFDiag, 1},   {104, 50, 1, Cursor::SizeVer, 1},
        {296, 50, 1, Cursor::SizeVer, 1},    {297, 50, 2, Cursor::SizeBDiag, 1},
        {302, 100, 3, Cursor::SizeHor, 1},   {302, 152, 4, Cursor::SizeFDiag, 1},
        {200, 152, 5, Cursor::SizeVer, 1},   {100, 147, 6, Cursor::SizeBDiag, 1},
        {100, 146, 7, Cursor::SizeHor, 1},   {303, 100, -1, Cursor::Arrow, 1},
        {200, 153, -1, Cursor::Arrow, 1},    {200, 100, -1, Cursor::Arrow, 1},
        {97, 100, -1, Cursor::Arrow, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(GetSizeHandle(c.x, c.y, *Sub(1).Shape), c.handle);
        Move(c.x, c.y);
        EXPECT_EQ(ed.SizeHandle, c.handle);
        EXPECT_EQ(View(ed).ImageCursor, c.cursor);
        EXPECT_EQ(ed.SelWinIndex, c.window);
    }
}

TEST_F(LayoutTest, PressAcceptsOnlyPointsOnTheImageAfterItsFirstColumnAndRow) {
    struct { int x, y; bool accepted; } cases[] = {
        {0, 100, false}, {100, 0, false}, {722, 100, false}, {100, 407, false},
        {1, 1, true},    {721, 406, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        Sub(1).Shape.reset();
        Current(1);
        ed.DragMode = 0;
        Press(c.x, c.y);
        EXPECT_EQ(ed.DragMode != 0, c.accepted);
        EXPECT_EQ(Sub(1).Shape.has_value(), c.accepted);
    }
}

TEST_F(LayoutTest, PressInsideSubWindowWithinMainWindowMovesMainWindow) {
    Sec().MainWin.Shape = Shape{50, 50, 400, 300, true};
    Place(2, 100, 100, 50, 50);
    Current(2);
    Press(120, 120);
    EXPECT_EQ(ed.DragMode, 2);
    EXPECT_EQ(ed.SelWinIndex, 0);
    EXPECT_TRUE(MarkedChosen(ed, 0));
    EXPECT_FALSE(MarkedChosen(ed, 2));
}

TEST_F(LayoutTest, BorderPressResizesTheWindowTheLastIdleMoveFound) {
    Place(1, 100, 50, 30, 100);
    Current(0);
    Move(98, 100);  // just outside the left edge: the hit test alone finds nothing there
    Press(98, 100);
    EXPECT_EQ(ed.DragMode, 3);
    EXPECT_EQ(ed.SelWinIndex, 1);
    // Dragging the left edge 25 pixels right stops at the 10-pixel minimum.
    Move(123, 100);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{120, 50, 10, 100}));
    EXPECT_EQ(Model(Sub(1)), (std::array{226, 94, 19, 189}));
    EXPECT_EQ(View(ed).PosFields, (Fields4{"226", "94", "19", "189"}));
    Release(123, 100);
    EXPECT_EQ(ed.DragMode, 0);
}

TEST_F(LayoutTest, ResizeByCornerClampsToImageAndMinimum) {
    ed.SnapEnabled = false;  // the image's edges, not the display's, stop the drag
    Place(1, 100, 50, 200, 100);
    Current(1);
    Move(300, 150);  // bottom-right corner
    ASSERT_EQ(ed.SizeHandle, 4);
    Press(300, 150);
    Move(5000, 5000);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{100, 50, 620, 355}));
    Move(-5000, -5000);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{100, 50, 10, 10}));
    EXPECT_EQ(View(ed).ImageCursor, Cursor::SizeFDiag);  // kept while the drag lasts
}

TEST_F(LayoutTest, PressOutsideEveryWindowDrawsNothingWithoutAFreeSubWindow) {
    struct { const char* name; int current; bool shaped; } cases[] = {
        {"main window current", 0, false},
        {"sub window already drawn", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sub(1).Shape.reset();
        if (c.shaped) Place(1, 400, 20, 30, 30);
        Current(c.current);
        const auto before = Sec().SubWin;
        Press(100, 100);
        EXPECT_EQ(ed.DragMode, 1);
        EXPECT_EQ(ed.SelWinIndex, -1);
        Move(200, 200);
        Release(200, 200);
        EXPECT_EQ(ed.DragMode, 0);
        for (int i = 1; i <= MaxSubWin; ++i) {
            EXPECT_EQ(Sec().SubWin[i].Shape, before[i].Shape);
            EXPECT_EQ(Model(Sec().SubWin[i]), Model(before[i]));
        }
    }
}

// A drag outside every window draws only for a sub window this section lists: a window
// the section does not list cannot be chosen, and nothing is drawn while none is.
TEST_F(LayoutTest, ADragOutsideDrawsOnlyForAListedSubWindow) {
    for (int chosen : {-1, 2}) {
        SCOPED_TRACE(chosen);
        ChooseWindow(ed, chosen);
        EXPECT_EQ(ed.PLWinIndex(), -1);
        Press(100, 100);
        EXPECT_EQ(ed.DragMode, 0);
        Move(200, 200);
        Release(200, 200);
        EXPECT_EQ(ed.DragMode, 0);
        EXPECT_FALSE(Sub(2).Shape);
        EXPECT_EQ(Model(Sub(2)), (std::array{0, 0, 0, 0}));
    }
}

// A press on a window chooses it: the list, the "Main Window" panel, the fields and the
// red outline all name it, and "Delete Sub Window" deletes it.
TEST_F(LayoutTest, PressOnAWindowChoosesIt) {
    Place(1, 100, 100, 50, 50);
    Place(2, 300, 100, 50, 50);
    Sub(2).Left = 566;
    Current(2);  // both listed
    Current(1);
    Move(320, 120);
    Press(320, 120);
    Release(320, 120);
    EXPECT_EQ(ed.PLWinIndex(), 2);
    EXPECT_EQ(View(ed).SubWinListIndex, 1);
    EXPECT_FALSE(View(ed).MainWinPanelBlue);
    EXPECT_EQ(View(ed).PosFields[FieldLeft], "566");
    EXPECT_TRUE(MarkedChosen(ed, 2));
    EXPECT_FALSE(MarkedChosen(ed, 1));

    Move(602, 300);  // the main window's corner: a resize chooses it too
    Press(602, 300);
    Release(602, 300);
    EXPECT_EQ(ed.PLWinIndex(), 0);
    EXPECT_EQ(View(ed).SubWinListIndex, -1);
    EXPECT_TRUE(View(ed).MainWinPanelBlue);

    Move(120, 120);
    Press(120, 120);
    Release(120, 120);
    DelSubWinClick(ed);
    EXPECT_EQ(View(ed).SubWinList.size(), 1u);
    EXPECT_EQ(Sub(1).Left, 566);  // SubWin2 moved down into the deleted one's place
}

// A hidden marker is not on the picture: the pointer finds no window or handle there
// (a newly added section's main window covers the image, hidden).
TEST_F(LayoutTest, HiddenMarkersCannotBeGrabbed) {
    Sec().MainWin.Shape = Shape{0, 0, 720, 405, false};
    ChooseWindow(ed, -1);
    Move(2, 2);
    EXPECT_EQ(ed.SelWinIndex, -1);
    EXPECT_EQ(ed.SizeHandle, -1);
    Press(100, 100);
    Move(200, 200);
    Release(200, 200);
    EXPECT_EQ(Rect(*Sec().MainWin.Shape), (std::array{0, 0, 720, 405}));
    EXPECT_EQ(Model(Sec().MainWin), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(ed.PLWinIndex(), -1);
}

// Where the 10-pixel minimum meets an image edge, the opposite edge gives way: the
// rectangle never leaves the image (nor the display in the model).
TEST_F(LayoutTest, MinimumSizeNeverPushesARectangleOffTheImage) {
    struct { const char* name; Shape marker; int x, y, toX, toY; std::array<int, 4> rect; } cases[] = {
        {"empty at the top left, by its corner", {0, 0, 0, 0, true}, 1, 1, 5, 5, {0, 0, 10, 10}},
        {"thin at the right edge, by its right edge", {720, 100, 0, 50, true}, 720, 120, 710, 120,
         {710, 100, 10, 50}},
        {"flat at the bottom, by its bottom edge", {100, 405, 50, 0, true}, 120, 405, 120, 395,
         {100, 395, 50, 10}},
    };
    ed.SnapEnabled = false;  // the image's edges, not the display's, stop the drag
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sec().MainWin.Shape = c.marker;
        StoreShapeRect(ed, c.marker, Sec().MainWin);
        Current(0);
        Move(c.x, c.y);
        Press(c.x, c.y);
        EXPECT_EQ(ed.DragMode, 3);
        Move(c.toX, c.toY);
        Release(c.toX, c.toY);
        EXPECT_EQ(Rect(*Sec().MainWin.Shape), c.rect);
        const auto& m = Sec().MainWin;
        EXPECT_TRUE(m.Left >= 0 && m.Top >= 0 && m.Left + m.Width <= 1360 && m.Top + m.Height <= 768);
    }
}

// A handle moves only its own edges: the others keep their stored screen pixels exactly,
// also where the picture cannot show them exactly (189 lies between two picture pixels).
// A drag that comes back to its start leaves every edge as stored.
TEST_F(LayoutTest, AResizeChangesOnlyTheEdgesOfItsHandle) {
    struct { int handle; bool left, top, right, bottom; } cases[] = {
        {0, true, true, false, false}, {1, false, true, false, false}, {2, false, true, true, false},
        {3, false, false, true, false}, {4, false, false, true, true},  {5, false, false, false, true},
        {6, true, false, false, true}, {7, true, false, false, false},
    };
    const std::array<int, 4> stored{189, 95, 401, 301};  // left, top, width, height
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        Sub(1).Shape = Shape{};
        Sub(1).Left = stored[0], Sub(1).Top = stored[1], Sub(1).Width = stored[2], Sub(1).Height = stored[3];
        PlaceShapeFromModel(ed, Sub(1), *Sub(1).Shape);
        Sub(1).Shape->Visible = true;
        Current(1);
        const Shape s = *Sub(1).Shape;
        const int x = c.handle == 0 || c.handle >= 6 ? s.Left : c.handle == 1 || c.handle == 5 ? s.Left + s.Width / 2 : s.Left + s.Width;
        const int y = c.handle <= 2 ? s.Top : c.handle == 3 || c.handle == 7 ? s.Top + s.Height / 2 : s.Top + s.Height;
        Move(x, y);
        ASSERT_EQ(ed.SizeHandle, c.handle);
        Press(x, y);
        Move(x + 7, y + 5);
        const auto& w = Sub(1);
        EXPECT_EQ(w.Left == stored[0], !c.left);
        EXPECT_EQ(w.Top == stored[1], !c.top);
        EXPECT_EQ(w.Left + w.Width == stored[0] + stored[2], !c.right);
        EXPECT_EQ(w.Top + w.Height == stored[1] + stored[3], !c.bottom);
        Move(x, y);
        Release(x, y);
        EXPECT_EQ(Model(w), stored);
    }
}

TEST_F(LayoutTest, ClickWithoutMovementKeepsMarkerAndStoresOnePixelCell) {
    Current(1);
    Press(100, 100);
    Release(100, 100);
    ASSERT_TRUE(Sub(1).Shape);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{100, 100, 10, 10}));
    EXPECT_TRUE(Sub(1).Shape->Visible);
    EXPECT_TRUE(MarkedChosen(ed, 1));
    EXPECT_EQ(Model(Sub(1)), (std::array{188, 189, 2, 2}));
    EXPECT_EQ(View(ed).PosFields, (Fields4{"188", "189", "2", "2"}));
    EXPECT_EQ(ed.SelWinIndex, 1);
}

TEST_F(LayoutTest, DrawWritesModelAtEveryStepAndStopsAtImageEdge) {
    ed.SnapEnabled = false;  // the image's edges, not the display's, stop the drag
    Current(1);
    Press(600, 100);
    Move(650, 150);
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{600, 100, 50, 50}));
    EXPECT_EQ(Model(Sub(1)), (std::array{1130, 189, 94, 94}));
    Move(900, -30);  // past the right edge and above the top
    EXPECT_EQ(Rect(*Sub(1).Shape), (std::array{600, 0, 120, 100}));
    EXPECT_EQ(Sub(1).Left + Sub(1).Width, 1356);
    EXPECT_EQ(View(ed).PosFields, (Fields4{"1130", "0", "226", "189"}));
}

TEST_F(LayoutTest, DrawBackToStartColumnIsDiscardedAtRelease) {
    Current(1);
    Press(100, 100);
    Move(150, 150);
    Move(100, 170);
    Release(100, 170);
    EXPECT_FALSE(Sub(1).Shape);
    EXPECT_EQ(ed.SelWinIndex, -1);
    // The last step's model stays, and the window stays chosen with it.
    EXPECT_EQ(View(ed).PosFields, (Fields4{"188", "189", "0", "132"}));
    EXPECT_EQ(Sub(1).Width, 0);
    EXPECT_EQ(Sub(1).Height, 132);
    EXPECT_EQ(ed.DragMode, 0);
}

TEST_F(LayoutTest, MoveStopsAtImageEdgesAndKeepsModelSize) {
    struct { const char* name; Shape start; int pressX, toX, left; } cases[] = {
        {"100-pixel marker far right", {100, 50, 100, 100, true}, 150, 5000, 620},
        {"marker as wide as the image", {0, 50, 720, 100, true}, 300, 500, 0},
        {"far left", {100, 50, 100, 100, true}, 150, -5000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sub(1).Shape = c.start;
        Sub(1).Width = 77;
        Sub(1).Height = 55;
        Fields("a", "b", "c", "d");
        Current(1);
        ed.SizeHandle = -1;
        Press(c.pressX, 100);
        ASSERT_EQ(ed.DragMode, 2);
        Move(c.toX, 100);
        EXPECT_EQ(Sub(1).Shape->Left, c.left);
        EXPECT_EQ(Sub(1).Shape->Width, c.start.Width);
        EXPECT_EQ(Sub(1).Width, 77);
        EXPECT_EQ(Sub(1).Height, 55);
        EXPECT_EQ(View(ed).PosFields[FieldLeft], std::to_string(Sub(1).Left));
        Release(c.toX, 100);
    }
}

TEST_F(LayoutTest, MoveFollowsPointerMovementAfterStoppingAtEdge) {
    Place(1, 100, 50, 100, 100);
    Current(1);
    Press(150, 100);
    Move(1000, 100);  // stops at 620
    Move(990, 100);   // 10 back: starts back at once
    EXPECT_EQ(Sub(1).Shape->Left, 610);
}

TEST_F(LayoutTest, PressesDuringADragAreIgnored) {
    Current(1);
    Press(100, 100);
    Move(200, 200);
    const Shape drawn = *Sub(1).Shape;
    Press(400, 300);  // a second button
    EXPECT_EQ(ed.DragMode, 1);
    EXPECT_EQ(ed.DragX, 100);
    EXPECT_EQ(*Sub(1).Shape, drawn);
    Release(200, 200);  // the first release ends the drag
    EXPECT_EQ(ed.DragMode, 0);
}

TEST_F(LayoutTest, NothingHappensWithoutCurrentSection) {
    ed.Prj->CurTimeIndex = -1;
    Current(1);
    Move(100, 100);
    Press(100, 100);
    EXPECT_EQ(ed.DragMode, 0);
    EXPECT_FALSE(Sub(1).Shape);
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace kestrel::test
