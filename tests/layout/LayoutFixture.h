#pragma once
// An editor on the default display (1360 x 768, 722 x 407 panel, 720 x 405 image)
// with section 0 current and its main window marker parked in the lower right,
// out of the way of the strokes the tests make.

#include <gtest/gtest.h>

#include "layout/MouseEditor.h"
#include "layout/WindowList.h"
#include "support/FakePlatform.h"

namespace kestrel::test {

class LayoutTest : public ::testing::Test {
protected:
    FakePlatform platform;
    Editor ed{platform};

    void SetUp() override {
        ed.Prj->CurTimeIndex = 0;
        ed.Prj->TimeCount = 1;
        Sec().MainWin.Shape = Shape{600, 300, 50, 50, true, false};
    }
    TTimePLData& Sec() { return ed.Prj->TimePL[0]; }
    TSubWinData& Sub(int i) { return Sec().SubWin[i]; }
    // Window sub chosen; a sub window is one the section counts and lists.
    void Current(int sub) {
        ed.PLWinIndex = sub;
        ed.SelWinIndex = sub;
        for (int i = static_cast<int>(ed.View.SubWinList.size()) + 1; i <= sub; ++i)
            ed.View.SubWinList.push_back("SubWin" + std::to_string(i));
        Sec().SubWinCount = std::max(Sec().SubWinCount, sub);
    }
    void Place(int sub, int l, int t, int w, int h) { Sub(sub).Shape = Shape{l, t, w, h, true, false}; }
    void Fields(const char* l, const char* t, const char* w, const char* h) {
        ed.View.PosFields = {l, t, w, h};
    }
    void Press(int x, int y) { imgBmpMouseDown(ed, x, y); }
    void Move(int x, int y) { imgBmpMouseMove(ed, x, y); }
    void Release(int x, int y) { imgBmpMouseUp(ed, x, y); }
};

inline std::array<int, 4> Rect(const Shape& s) { return {s.Left, s.Top, s.Width, s.Height}; }
template <class Win>
std::array<int, 4> Model(const Win& w) { return {w.Left, w.Top, w.Width, w.Height}; }

}  // namespace kestrel::test
