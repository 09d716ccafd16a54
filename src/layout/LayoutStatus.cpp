#include "layout/LayoutStatus.h"

#include <algorithm>

#include "layout/CoordinateMapping.h"
#include "model/History.h"

namespace kestrel {

std::string PointerStatus(const Editor& ed, int X, int Y) {
    int left = X, right = X, top = Y, bottom = Y;
    ConvertShapeToResource(ed, left, right, top, bottom);
    return "Pointer: " + std::to_string(left) + ", " + std::to_string(top);
}

std::string WindowStatus(const Editor& ed) {
    const TTimePLData* rec = ed.Prj->Current();
    const int index = ed.PLWinIndex();
    if (!rec || index < 0) return {};
    auto text = [&](const auto& win) {
        return WindowName(index) + ": Start X " + std::to_string(win.Left) + ", Start Y " +
               std::to_string(win.Top) + ", Width " + std::to_string(win.Width) + ", Height " +
               std::to_string(win.Height);
    };
    return index == 0 ? text(rec->MainWin) : text(rec->SubWin[index]);
}

}  // namespace kestrel
