#pragma once
// Every command of the main window's menus, tool bar and buttons, in one table: its
// name, its text, its keys, whether it takes the value being typed first and when it is
// enabled. The window makes one action per command; every command reaches the core
// through Perform.

#include <array>
#include <string>

#include "model/Editor.h"

namespace kestrel {

enum class CommandId {
    New, Open, Save, SaveAs, Exit,
    Undo, Redo,
    Option, CheckProject, DayPlan, Snap,
    About,
    AddSubWin, DelSubWin,
    NewTimeSection, EditTimeSection, DeleteTimeSection,
    SelectBackground,
};
inline constexpr int CommandCount = static_cast<int>(CommandId::SelectBackground) + 1;

// What the window does once a command has run in the core.
enum class Follow { Nothing, About, Setting, TimeList, Check, DayPlan, Close };

struct Command {
    CommandId Id;
    const char* Name;      // the action's objectName, which its menu item goes by
    const char* Text;      // "&New"
    const char* Keys;      // shortcuts in portable text, separated by ";" ("" for none)
    bool TakesTypedValue;  // a value still being typed in a position field is applied first
    bool Checkable;
    bool (*Enabled)(const Editor& ed);
    Follow (*Run)(Editor& ed);
};

const std::array<Command, CommandCount>& Commands();
const Command& CommandOf(CommandId id);

// The text a command's menu item shows now ("&Undo Move SubWin2").
std::string CommandText(const Editor& ed, CommandId id);
// Whether a checkable command is on.
bool CommandChecked(const Editor& ed, CommandId id);

// Runs a command: first the value being typed (typed: the four fields' text, null when
// no field is being typed) when the command takes it, then the command itself. Nothing
// runs while the command is disabled.
Follow Perform(Editor& ed, CommandId id, const PosTexts* typed = nullptr);

}  // namespace kestrel
