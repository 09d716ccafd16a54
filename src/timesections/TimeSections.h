#pragma once
// Time sections: the time list and its commands, the section display, New project.

#include <string>
#include <vector>

#include "model/Editor.h"

namespace kestrel {

std::string TimerToString(int Hour, int Minute);

// New and Edit return true when the time list editor is to be shown.
bool SBtn_NewTimeListClick(Editor& ed);
bool SBtn_EditTimeListClick(Editor& ed);
void SBtn_DeleteTimeListClick(Editor& ed);
// The user chose entry `chosen` of the time list (-1: none).
void ComboBox_TimeListChange(Editor& ed, int chosen);
void NewProject1Click(Editor& ed);

void ShowTimeSection(Editor& ed);
void RefrashDisplayForNewProject(Editor& ed, int Index);
// The clearing every change of the shown section starts with: no window chosen, the
// default picture, an empty sub window list.
void ClearDisplay(Editor& ed);
// The time list entry of a section: "08:30 -- 12:00".
std::string TimeListText(const TTimePLData& rec);
// The time list: the entry of every listed section, in order.
std::vector<std::string> TimeListTexts(const Project& prj);

// Section `to` takes copies of the windows, playlists, file list and background of section
// `from`, and keeps its own times. Its sub window markers are made when it is shown.
void CopySectionLayout(Editor& ed, int from, int to);

// The time list editor's fields and its OK.
struct TimeListEditor {
    TimeListEditor(int sHour = 0, int sMinute = 0, int eHour = 0, int eMinute = 0)
        : SHour(sHour), SMinute(sMinute), EHour(eHour), EMinute(eMinute) {}
    int SHour, SMinute, EHour, EMinute;
    // Adding: the section whose layout the new one copies (its entry in the time list), or -1.
    int CopyFrom = -1;
    // The "Copy layout from" choices when adding: "(none)", then the listed sections.
    std::vector<std::string> CopyChoices;
    // Loads the current section's times in edit mode; lists the copy choices when adding.
    void FormShow(Editor& ed);
    // Checks and adds or edits; true when the dialog is to close.
    bool SBtn_TLOKClick(Editor& ed);
};

}  // namespace kestrel
