#include "layout/CoordinateMapping.h"

#include <cmath>
#include <cstdint>

namespace kestrel {

// Round(a * num / den): the product in 32 bits as the stored values are, the quotient
// in double, an exact half going to the even neighbour.
static int Scale(int a, int num, int den) {
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(num));
    return static_cast<int>(std::nearbyint(static_cast<double>(product) / den));
}

void ConvertShapeToResource(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom) {
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const int pw = ed.Panel.Width, ph = ed.Panel.Height;
    Left = Scale(Left, dw, pw);
    Right = Scale(Right, dw, pw);
    Top = Scale(Top, dh, ph);
    Bottom = Scale(Bottom, dh, ph);
}

void ConvertResourceToShape(const Editor& ed, int& Left, int& Right, int& Top, int& Bottom) {
    const int dw = ed.Display.DisplayWidth, dh = ed.Display.DisplayHeight;
    const int pw = ed.Panel.Width, ph = ed.Panel.Height;
    Left = Scale(Left, pw, dw);
    Right = Scale(Right, pw, dw);
    Top = Scale(Top, ph, dh);
    Bottom = Scale(Bottom, ph, dh);
}

// A hidden marker is not on the picture, so no press can reach it.
static bool Contains(const Shape& s, int X, int Y) {
    return s.Visible && s.Left <= X && X <= s.Left + s.Width && s.Top <= Y && Y <= s.Top + s.Height;
}

int IsPositionInSelection(const Editor& ed, int X, int Y) {
    const auto* cur = ed.Prj->Current();
    if (!cur) return -1;
    if (cur->MainWin.Shape && Contains(*cur->MainWin.Shape, X, Y)) return 0;
    for (int j = 1; j <= MaxSubWin; ++j)
        if (cur->SubWin[j].Shape && Contains(*cur->SubWin[j].Shape, X, Y)) return j;
    return -1;
}

}  // namespace kestrel
