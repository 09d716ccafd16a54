#include "timesections/EditMenu.h"

#include <algorithm>
#include <vector>

#include "layout/WindowList.h"
#include "model/Paths.h"
#include "storage/ProjectFolder.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

// Whether every sub window entry's index names its own file in the section's list, as a
// rebuild of the list would leave it (letters a to z compared without regard to case),
// and every name in the list is used: a name left over from a deleted window or entry
// would be saved in the list of a section that plays no such file.
bool FileListFits(const TTimePLData& rec) {
    std::vector<bool> used(rec.FileList.size());
    for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j) {
        const TSubWinData& win = rec.SubWin[j];
        for (int k = 0; k < std::min(win.PLCount, MaxPLIndex + 1); ++k) {
            const std::string name = BareName(win.PL[k].FileName);
            const int index = win.PL[k].FileIndex;
            if (name.empty()) continue;
            if (index < 0 || index >= static_cast<int>(rec.FileList.size()) ||
                AsciiUpper(rec.FileList[index]) != AsciiUpper(name))
                return false;
            used[index] = true;
        }
    }
    return std::find(used.begin(), used.end(), false) == used.end();
}

// The project takes the history's current state; the display shows the section and the
// window the step changed.
void ShowStep(Editor& ed, const History::Step& step) {
    Project& prj = *ed.Prj;
    for (auto& rec : prj.TimePL) {
        for (auto& sub : rec.SubWin) sub.Shape.reset();
        if (rec.MainWin.Shape) {
            rec.MainWin.Shape->Visible = false;
            rec.MainWin.Shape->Highlighted = false;
        }
    }
    // A step may have been taken before its section's file list was brought up to date
    // (the playlist editor's OK); such a list is rebuilt, a fitting one kept as it was.
    for (int i : Restore(prj, ed.Edits.Current()))
        if (!FileListFits(prj.TimePL[i])) RebuildFileList(prj, i);

    ed.View.TimeList.clear();
    for (int i = 0; i < prj.TimeCount; ++i) ed.View.TimeList.push_back(TimeListText(prj.TimePL[i]));
    const int listed = static_cast<int>(ed.View.TimeList.size());
    const int section = step.Section >= 0 && step.Section < listed ? step.Section : listed - 1;
    prj.CurTimeIndex = section;
    ed.View.TimeListIndex = section;
    ClearDisplay(ed);
    ShowTimeSection(ed);
    const TTimePLData* rec = ed.Current();
    if (!rec) return;
    const int window = step.Window >= 1 && step.Window <= std::min(rec->SubWinCount, MaxSubWin) ? step.Window : 0;
    ed.PLWinIndex = window;
    ed.SelWinIndex = window;
    ed.View.SubWinListIndex = window - 1;
    ShowSelectedWindow(ed);
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
