#pragma once
// The window panel: main window and sub window list, position fields, background.
// Each handler changes the project and the choice; what the panel shows follows.

#include "model/Editor.h"

namespace kestrel {

void Panel_MainWinClick(Editor& ed);
// Double clicks return true when the playlist editor is to be shown.
bool Panel_MainWinDblClick(Editor& ed);
// item: the list item clicked (0 for SubWin1), -1 for none.
void ListBox_SubWinClick(Editor& ed, int item);
bool ListBox_SubWinDblClick(Editor& ed, int item);
void AddSubWinClick(Editor& ed);
// Deletes the chosen sub window.
void DelSubWinClick(Editor& ed);
void TBtnDeleteSelClick(Editor& ed);
// Typed positions, applied when Return is released in one of the four fields and when
// the focus enters or leaves one of them: the values go to the chosen window (the one
// the fields show), and only when they differ from its rectangle. A sub window not
// drawn yet takes them too, and is drawn once it has a width and a height.
void Edit_PosKeyUp(Editor& ed, const PosTexts& typed);
void Edit_PosKeyEnter(Editor& ed, const PosTexts& typed);
// What a position field accepts while it is typed: digits after at most one leading
// minus, at most PosFieldLength characters. An empty field or a lone minus reads as 0.
inline constexpr int PosFieldLength = 6;
bool PosFieldTextAllowed(const std::string& text);
void SBtn_BGFileClick(Editor& ed);

}  // namespace kestrel
