#include "session/EditMenu.h"

#include <algorithm>
#include <vector>

#include "layout/WindowChoice.h"
#include "storage/ProjectFolder.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

// The project takes the history's current state; the display shows the section and the
// window the step changed.
void ShowStep(Editor& ed, const History::Step& step) {
    Project& prj = *ed.Prj;
    for (auto& rec : prj.TimePL) {
        for (auto& sub : rec.SubWin) sub.Shape.reset();
        if (rec.MainWin.Shape) rec.MainWin.Shape->Visible = false;
    }
    // A step may have been taken before its section's file list was brought up to date
    // (the playlist editor's OK); such a list is rebuilt, a fitting one kept as it was.
    for (int i : Restore(prj, ed.Edits.Current()))
        if (!FileListFits(prj.TimePL[i])) RebuildFileList(prj, i);

    const int listed = std::clamp(prj.TimeCount, 0, MaxTimeIndex);
    ClearDisplay(ed);
    prj.CurTimeIndex = step.Section >= 0 && step.Section < listed ? step.Section : listed - 1;
    ShowTimeSection(ed);
    if (!ed.Current()) return;
    // The window the step changed, or the main window when it is no longer listed.
    ChooseWindow(ed, step.Window >= 1 && step.Window <= ListedSubWindows(ed) ? step.Window : 0);
}

// A drag in progress owns the rectangle it moves; undo waits until it ends. A change
// that no edit recorded becomes a step of its own first, so that moving through the
// history never drops it.
template <class Move>
void Travel(Editor& ed, Move move) {
    if (ed.DragMode != 0) return;
    RecordEdit(ed, "Edit");
    if (const History::Step* step = move(ed.Edits)) ShowStep(ed, *step);
}

}  // namespace

void Undo1Click(Editor& ed) { Travel(ed, [](History& h) { return h.Undo(); }); }
void Redo1Click(Editor& ed) { Travel(ed, [](History& h) { return h.Redo(); }); }

std::string UndoText(const Editor& ed) {
    return ed.Edits.CanUndo() ? "&Undo " + ed.Edits.UndoName() : "&Undo";
}

std::string RedoText(const Editor& ed) {
    return ed.Edits.CanRedo() ? "&Redo " + ed.Edits.RedoName() : "&Redo";
}

}  // namespace kestrel
