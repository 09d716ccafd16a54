// Placeholders until the time section work lands.
#include "timesections/TimeSections.h"

namespace kestrel {
std::string TimerToString(int h, int m) { return FillZero(h, 2) + ":" + FillZero(m, 2); }
bool SBtn_NewTimeListClick(Editor&) { return false; }
bool SBtn_EditTimeListClick(Editor&) { return false; }
void SBtn_DeleteTimeListClick(Editor&) {}
void ComboBox_TimeListChange(Editor&) {}
void NewProject1Click(Editor&) {}
void ShowTimeSection(Editor&) {}
void RefrashDisplayForNewProject(Editor&, int) {}
void TimeListEditor::FormShow(Editor&) {}
bool TimeListEditor::SBtn_TLOKClick(Editor&) { return true; }
}  // namespace kestrel
