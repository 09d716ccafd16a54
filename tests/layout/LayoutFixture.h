#pragma once
// An editor on the default display (1360 x 768, 722 x 407 panel, 720 x 405 image)
// with section 0 current and its main window marker parked in the lower right,
// out of the way of the strokes the tests make.

#include <gtest/gtest.h>

#include "layout/CoordinateMapping.h"
#include "layout/MouseEditor.h"
#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "support/CoreHand.h"
#include "support/FakePlatform.h"

namespace kestrel::test {

class LayoutTest : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor ed{platform};

    void SetUp() override {
        ed.Prj->CurTimeIndex = 0;
        ed.Prj->TimeCount = 1;
        Sec().MainWin.Shape = Shape{600, 300, 50, 50, true};
    }
    TTimePLData& Sec() { return ed.Prj->TimePL[0]; }
    TSubWinData& Sub(int i) { return Sec().SubWin[i]; }
    // Window sub chosen, and the one the mouse works on; a sub window is one the section
    // counts and lists.
    void Current(int sub) {
        Sec().SubWinCount = std::max(Sec().SubWinCount, sub);
        ed.ListedSubWins = std::max(ed.ListedSubWins, sub);
        ChooseWindow(ed, sub);
        ed.SelWinIndex = sub;
    }
    // Sub window sub drawn at l, t, w x h on the picture, its model as the drawing left it;
    // the section lists it.
    void Place(int sub, int l, int t, int w, int h) {
        Sub(sub).Shape = Shape{l, t, w, h, true};
        StoreShapeRect(ed, *Sub(sub).Shape, Sub(sub));
        Sec().SubWinCount = std::max(Sec().SubWinCount, sub);
        ed.ListedSubWins = std::max(ed.ListedSubWins, sub);
    }
    // What the four fields hold as the user typed it.
    PosTexts typed;
    void Fields(const char* l, const char* t, const char* w, const char* h) { typed = {l, t, w, h}; }
    void Press(int x, int y) { imgBmpMouseDown(ed, x, y); }
    void Move(int x, int y) { imgBmpMouseMove(ed, x, y); }
    void Release(int x, int y) { imgBmpMouseUp(ed, x, y); }
};

inline std::array<int, 4> Rect(const Shape& s) { return {s.Left, s.Top, s.Width, s.Height}; }
template <class Win>
std::array<int, 4> Model(const Win& w) { return {w.Left, w.Top, w.Width, w.Height}; }

}  // namespace kestrel::test
