#include "session/Commands.h"

#include "check/ProjectCheck.h"
#include "layout/MouseEditor.h"
#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "session/EditMenu.h"
#include "storage/OpenCommand.h"
#include "storage/ProjectSaver.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

bool Always(const Editor&) { return true; }
bool HasSection(const Editor& ed) { return ed.Prj->CurTimeIndex >= 0 && ed.Prj->CurTimeIndex < ed.Prj->TimeCount; }
bool CanUndo(const Editor& ed) { return ed.Edits.CanUndo(); }
bool CanRedo(const Editor& ed) { return ed.Edits.CanRedo(); }
bool CanAddSubWin(const Editor& ed) { return HasSection(ed) && ListedSubWindows(ed) < MaxSubWin; }
bool SubWinChosen(const Editor& ed) { return HasSection(ed) && ed.PLWinIndex() >= 1; }

template <void (*F)(Editor&)>
Follow Then(Editor& ed) {
    F(ed);
    return Follow::Nothing;
}
template <Follow F>
Follow Show(Editor&) {
    return F;
}

// A save's closing message says so when the saved project has problems.
void Save(Editor& ed) { TBtnSavePrjClick(ed, SavedCheckLine); }
void SaveAs(Editor& ed) { Saveas1Click(ed, SavedCheckLine); }
void ToggleSnap(Editor& ed) { SetSnapEnabled(ed, !ed.SnapEnabled); }
Follow NewTimeSection(Editor& ed) { return SBtn_NewTimeListClick(ed) ? Follow::TimeList : Follow::Nothing; }
Follow EditTimeSection(Editor& ed) { return SBtn_EditTimeListClick(ed) ? Follow::TimeList : Follow::Nothing; }

// Every command takes the value being typed first, as leaving its field would, except
// undo and redo: they step back from the project as it is, and the field shows the step.
constexpr std::array<Command, CommandCount> kCommands = {{
    {CommandId::New, "New_Prj", "&New", "Ctrl+N", true, false, Always, Then<NewProject1Click>},
    {CommandId::Open, "Open_Prj", "&Open", "Ctrl+O", true, false, Always, Then<btnOpenPrjClick>},
    {CommandId::Save, "Save_Prj", "&Save", "Ctrl+S", true, false, Always, Then<Save>},
    {CommandId::SaveAs, "SaveAs", "Save as", "Ctrl+Shift+S", true, false, Always, Then<SaveAs>},
    {CommandId::Exit, "Exit1", "E&xit", "Ctrl+Q", true, false, Always, Show<Follow::Close>},
    {CommandId::Undo, "Undo1", "&Undo", "Ctrl+Z", false, false, CanUndo, Then<Undo1Click>},
    {CommandId::Redo, "Redo1", "&Redo", "Ctrl+Shift+Z;Ctrl+Y", false, false, CanRedo, Then<Redo1Click>},
    {CommandId::Option, "Option1", "&Option", "", true, false, Always, Show<Follow::Setting>},
    {CommandId::CheckProject, "Check1", "Check Project", "F7", true, false, Always, Show<Follow::Check>},
    {CommandId::DayPlan, "DayPlan1", "Day Plan", "", true, false, Always, Show<Follow::DayPlan>},
    {CommandId::Snap, "Snap1", "Snap", "", true, true, Always, Then<ToggleSnap>},
    {CommandId::About, "About1", "About", "", true, false, Always, Show<Follow::About>},
    {CommandId::AddSubWin, "AddSubWin", "Add Sub Window", "", true, false, CanAddSubWin, Then<AddSubWinClick>},
    {CommandId::DelSubWin, "DelSubWin", "Delete Sub Window", "", true, false, SubWinChosen, Then<DelSubWinClick>},
    {CommandId::NewTimeSection, "NewTimeList1", "New", "", true, false, Always, NewTimeSection},
    {CommandId::EditTimeSection, "EditTimeList1", "Edit", "", true, false, HasSection, EditTimeSection},
    {CommandId::DeleteTimeSection, "DeleteTimeList1", "Delete", "", true, false, HasSection,
     Then<SBtn_DeleteTimeListClick>},
    {CommandId::SelectBackground, "SelectBackground1", "Select Background", "", true, false, HasSection,
     Then<SBtn_BGFileClick>},
}};

constexpr bool InEnumOrder() {
    for (size_t i = 0; i < kCommands.size(); ++i)
        if (static_cast<size_t>(kCommands[i].Id) != i) return false;
    return true;
}
static_assert(InEnumOrder(), "the table lists the commands in the order of CommandId");

}  // namespace

const std::array<Command, CommandCount>& Commands() { return kCommands; }

const Command& CommandOf(CommandId id) { return kCommands[static_cast<size_t>(id)]; }

std::string CommandText(const Editor& ed, CommandId id) {
    if (id == CommandId::Undo) return UndoText(ed);
    if (id == CommandId::Redo) return RedoText(ed);
    return CommandOf(id).Text;
}

bool CommandChecked(const Editor& ed, CommandId id) { return id == CommandId::Snap && ed.SnapEnabled; }

Follow Perform(Editor& ed, CommandId id, const PosTexts* typed) {
    const Command& command = CommandOf(id);
    if (typed && command.TakesTypedValue) Edit_PosKeyEnter(ed, *typed);
    if (!command.Enabled(ed)) return Follow::Nothing;
    return command.Run(ed);
}

}  // namespace kestrel
