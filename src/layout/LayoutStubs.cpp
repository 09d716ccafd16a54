// Placeholders until the layout editing work lands.
#include "layout/MouseEditor.h"
#include "layout/WindowList.h"

namespace kestrel {
void imgBmpMouseDown(Editor&, int, int) {}
void imgBmpMouseMove(Editor&, int, int) {}
void imgBmpMouseUp(Editor&, int, int) {}
int GetSizeHandle(int, int, const Shape&) { return -1; }
void ShowSelectedWindow(Editor&) {}
void Panel_MainWinClick(Editor&) {}
void ListBox_SubWinClick(Editor&) {}
bool ListBox_SubWinDblClick(Editor&) { return false; }
void AddSubWinClick(Editor&) {}
void DelSubWinClick(Editor&) {}
void TBtnDeleteSelClick(Editor&) {}
void Edit_PosKeyUp(Editor&) {}
void Edit_PosKeyEnter(Editor&) {}
void SBtn_BGFileClick(Editor&) {}
}  // namespace kestrel
