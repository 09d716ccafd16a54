#pragma once
// The window panel: main window and sub window list, position fields, background.
// The UI copies the list selection and the fields' text into ed.View before each call.

#include "model/Editor.h"

namespace kestrel {

void ShowSelectedWindow(Editor& ed);
// The list, the "Main Window" panel and (through ShowSelectedWindow or a press on the
// picture) the fields and the red outline all show the chosen window PLWinIndex.
void ShowChosenInList(Editor& ed);
void Panel_MainWinClick(Editor& ed);
// Double clicks return true when the playlist editor is to be shown.
bool Panel_MainWinDblClick(Editor& ed);
void ListBox_SubWinClick(Editor& ed);
bool ListBox_SubWinDblClick(Editor& ed);
void AddSubWinClick(Editor& ed);
void DelSubWinClick(Editor& ed);
void TBtnDeleteSelClick(Editor& ed);
// Typed positions, applied when Return is released in one of the four fields and when
// the focus enters or leaves one of them: the values go to the chosen window (the one
// the fields show), and only when they differ from its rectangle.
void Edit_PosKeyUp(Editor& ed);
void Edit_PosKeyEnter(Editor& ed);
// What a position field accepts while it is typed: digits after at most one leading
// minus, at most PosFieldLength characters. An empty field or a lone minus reads as 0.
inline constexpr int PosFieldLength = 6;
bool PosFieldTextAllowed(const std::string& text);
void SBtn_BGFileClick(Editor& ed);

// Add and delete are enabled unless the count forbids them.
void SetSubWinMenuStates(Editor& ed);

}  // namespace kestrel
