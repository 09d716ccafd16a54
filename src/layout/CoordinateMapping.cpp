#include "layout/CoordinateMapping.h"

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace kestrel {

// Round(a * num / den), an exact half going to the even neighbour. The product is
// exact in long double (64-bit mantissa) for any two 32-bit values and edge sums, so
// no stored rectangle can overflow it; for products within 32 bits the result is that
// of a 32-bit product divided in double.
std::int64_t ScaleEdge(std::int64_t a, int num, int den) {
    if (den == 0) return 0;
    const long double q = std::nearbyint(static_cast<long double>(a) * num / den);
    return static_cast<std::int64_t>(std::clamp(q, -9.0e18L, 9.0e18L));
}

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

static int Scale(int a, int num, int den) { return ClampToInt(ScaleEdge(a, num, den)); }

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
