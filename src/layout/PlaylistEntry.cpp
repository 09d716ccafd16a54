#include "layout/WindowList.h"

namespace kestrel {

// The playlist editor needs a current section; the double click chose the main window.
bool Panel_MainWinDblClick(Editor& ed) {
    if (!ed.Current()) return false;
    ed.SelWinIndex = 0;
    ed.PLWinIndex = 0;
    return true;
}

}  // namespace kestrel
