#pragma once
// Time sections: the time list and its commands, the section display, New project.

#include <string>

#include "model/Editor.h"

namespace kestrel {

std::string TimerToString(int Hour, int Minute);

// New and Edit return true when the time list editor is to be shown.
bool SBtn_NewTimeListClick(Editor& ed);
bool SBtn_EditTimeListClick(Editor& ed);
void SBtn_DeleteTimeListClick(Editor& ed);
// The user chose entry ed.View.TimeListIndex (the UI sets it before the call).
void ComboBox_TimeListChange(Editor& ed);
void NewProject1Click(Editor& ed);

void ShowTimeSection(Editor& ed);
void RefrashDisplayForNewProject(Editor& ed, int Index);
// The clearing every change of the shown section starts with: no window selected, empty
// position and background fields, the default picture, an empty sub window list.
void ClearDisplay(Editor& ed);
// The time list entry of a section: "08:30 -- 12:00".
std::string TimeListText(const TTimePLData& rec);
// Sum of the playlist entries of every listed section (the question before discarding work).
int ListedSectionsContent(const Editor& ed);

// The time list editor's fields and its OK.
struct TimeListEditor {
    int SHour = 0, SMinute = 0, EHour = 0, EMinute = 0;
    // Loads the current section's times in edit mode.
    void FormShow(Editor& ed);
    // Checks and adds or edits; true when the dialog is to close.
    bool SBtn_TLOKClick(Editor& ed);
};

}  // namespace kestrel
