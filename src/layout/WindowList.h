#pragma once
// The window panel: main window and sub window list, position fields, background.
// The UI copies the list selection and the fields' text into ed.View before each call.

#include "model/Editor.h"

namespace kestrel {

void ShowSelectedWindow(Editor& ed);
void Panel_MainWinClick(Editor& ed);
// Double clicks return true when the playlist editor is to be shown.
bool Panel_MainWinDblClick(Editor& ed);
void ListBox_SubWinClick(Editor& ed);
bool ListBox_SubWinDblClick(Editor& ed);
void AddSubWinClick(Editor& ed);
void DelSubWinClick(Editor& ed);
void TBtnDeleteSelClick(Editor& ed);
void Edit_PosKeyUp(Editor& ed);     // a key released in one of the four fields
void Edit_PosKeyEnter(Editor& ed);  // focus entering or leaving one of them
void SBtn_BGFileClick(Editor& ed);

// Add and delete are enabled unless the count forbids them.
void SetSubWinMenuStates(Editor& ed);

}  // namespace kestrel
