// Showing one time section on the main window, clearing it, switching sections, New project.
#include <algorithm>

#include "layout/CoordinateMapping.h"
#include "layout/WindowChoice.h"
#include "model/History.h"
#include "model/Paths.h"
#include "storage/ProjectFolder.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

constexpr const char* kNewProjectText =
    "Create new project will lost the before operation, do you want continue?";

template <class Win>
void PlaceShown(const Editor& ed, const Win& win, Shape& s) {
    PlaceShapeFromModel(ed, win, s);
    s.Visible = true;
}

// A picture that cannot be loaded is reported and replaced by the default one; the rest
// of the section is shown all the same.
void ShowBackground(Editor& ed, const std::string& file) {
    ed.Picture = PictureKind::Default;
    if (!IsPictureFile(file)) return;
    if (auto problem = ed.platform.PictureProblem(file))
        ed.platform.Report("Cannot show the background picture \"" + file + "\": " + *problem);
    else
        ed.Picture = PictureKind::File;
}

}  // namespace

void ClearDisplay(Editor& ed) {
    // Nothing stays chosen from the section left: its sub window must not be drawn here,
    // nor a handle found over it grabbed.
    ChooseWindow(ed, -1);
    ed.SelWinIndex = -1;
    ed.SizeHandle = -1;
    ed.Picture = PictureKind::Default;
    ed.ListedSubWins = 0;
}

void ShowTimeSection(Editor& ed) {
    auto* s = ed.Current();
    if (!s) return;
    ShowBackground(ed, s->BGFile);

    // A main window whose marker was dropped (shrunk to nothing) is skipped; one never
    // drawn stays hidden until it is chosen, which gives it its default square.
    if (s->MainWin.Shape) {
        if (s->MainWin.Width > 0 && s->MainWin.Height > 0)
            PlaceShown(ed, s->MainWin, *s->MainWin.Shape);
        else
            s->MainWin.Shape->Visible = false;
    }

    const int count = std::min(s->SubWinCount, MaxSubWin);
    ed.ListedSubWins = 0;
    for (int j = 1; j <= count; ++j) {
        auto& win = s->SubWin[j];
        ed.ListedSubWins = j;
        // A sub window without width ends the listing: it is listed, not drawn, and
        // the ones after it are neither.
        if (win.Width <= 0 || win.Height < 0) break;
        if (!win.Shape) win.Shape.emplace();
        PlaceShown(ed, win, *win.Shape);
    }
}

void RefrashDisplayForNewProject(Editor& ed, int Index) {
    auto& prj = *ed.Prj;
    ClearDisplay(ed);
    if (prj.CurTimeIndex < 0) {
        for (auto& rec : prj.TimePL) {
            rec.StartTime = 0;
            rec.EndTime = 0;
            auto& main = rec.MainWin;
            main.Left = main.Top = main.Width = main.Height = main.PLCount = 0;
            // A main window marker lives for the whole run; one that was dropped is made again.
            if (!main.Shape) main.Shape = Shape{0, 0, ed.Panel.ImgWidth(), ed.Panel.ImgHeight()};
            main.Shape->Visible = false;
            rec.SubWinCount = 0;
            rec.BGFile.clear();
            rec.FileList.clear();
            for (int j = 1; j <= MaxSubWin; ++j) {
                auto& sub = rec.SubWin[j];
                sub.Shape.reset();
                sub.Left = sub.Top = sub.Width = sub.Height = sub.PLCount = 0;
            }
        }
        prj.TimeCount = 0;
    } else if (Index >= 0 && Index <= MaxTimeIndex) {
        auto& rec = prj.TimePL[Index];
        // Sub window markers exist only while their section is shown: every one of the
        // section goes, also one beyond the listed windows that nothing would show again.
        for (int j = 1; j <= MaxSubWin; ++j) rec.SubWin[j].Shape.reset();
        if (rec.MainWin.Shape) rec.MainWin.Shape->Visible = false;
    }
}

void ComboBox_TimeListChange(Editor& ed, int chosen) {
    auto& prj = *ed.Prj;
    if (prj.CurTimeIndex >= 0) {
        RefreshFileList(ed);
        RefrashDisplayForNewProject(ed, prj.CurTimeIndex);
    }
    prj.CurTimeIndex = chosen >= 0 && chosen < prj.TimeCount ? chosen : -1;
    ShowTimeSection(ed);
}

void NewProject1Click(Editor& ed) {
    if (ed.Prj->CurTimeIndex < 0) return;
    // Any change since the last open, save or New is work that a reset would lose.
    if (HasUnsavedChanges(ed)) {
        if (ed.platform.Message("Warning", kNewProjectText, Buttons::YesNo, Icon::Warning) != Answer::Yes)
            return;
    }
    ed.Prj->CurTimeIndex = -1;
    RefrashDisplayForNewProject(ed, -1);
    ed.Prj->PrjFileName.clear();
    StartHistory(ed);
}

}  // namespace kestrel
