// The time list commands: New, Edit and Delete, and the time list editor's checks.
#include "timesections/TimeSections.h"

#include <algorithm>

#include "model/History.h"
#include "model/Project.h"

namespace kestrel {

namespace {

constexpr const char* kLimitText =
    "Please note time section number can not more than 10, can not add again!";
constexpr const char* kOrderText = "End time must large than start time?";
constexpr const char* kDuplicateText = "New time exist in timer list, add failure! Please check.";
constexpr const char* kDeleteText = "Are you sure to delete the time section and data?";
constexpr const char* kNoCopyText = "(none)";

// The current section when it is listed, or -1.
int ListedCurrent(const Editor& ed) {
    const int cur = ed.Prj->CurTimeIndex;
    return cur >= 0 && cur < ed.Prj->TimeCount ? cur : -1;
}

}  // namespace

std::string TimerToString(int Hour, int Minute) {
    return FillZero(Hour, 2) + ":" + FillZero(Minute, 2);
}

std::string TimeListText(const TTimePLData& rec) {
    return TimerToString(rec.StartTime / 100, rec.StartTime % 100) + " -- " +
           TimerToString(rec.EndTime / 100, rec.EndTime % 100);
}

std::vector<std::string> TimeListTexts(const Project& prj) {
    std::vector<std::string> list;
    for (int i = 0; i < std::clamp(prj.TimeCount, 0, MaxTimeIndex); ++i) list.push_back(TimeListText(prj.TimePL[i]));
    return list;
}

bool SBtn_NewTimeListClick(Editor& ed) {
    if (ed.Prj->TimeCount >= MaxTimeIndex) {
        ed.platform.Warn(kLimitText);
        return false;
    }
    ed.TimeEditMode = false;
    return true;
}

bool SBtn_EditTimeListClick(Editor& ed) {
    // With no section there is nothing to edit; the dialog is not opened.
    if (ListedCurrent(ed) < 0) return false;
    ed.TimeEditMode = true;
    return true;
}

void TimeListEditor::FormShow(Editor& ed) {
    CopyFrom = -1;
    CopyChoices.clear();
    if (!ed.TimeEditMode) {  // adding keeps the times of the last time
        CopyChoices = TimeListTexts(*ed.Prj);
        CopyChoices.insert(CopyChoices.begin(), kNoCopyText);
        return;
    }
    const int cur = ListedCurrent(ed);
    if (cur < 0) return;
    const auto& rec = ed.Prj->TimePL[cur];
    SHour = rec.StartTime / 100;
    SMinute = rec.StartTime % 100;
    EHour = rec.EndTime / 100;
    EMinute = rec.EndTime % 100;
}

bool TimeListEditor::SBtn_TLOKClick(Editor& ed) {
    // The spin fields keep to their ranges; a value that slipped past them is brought
    // back rather than stored as a time such as 25:70.
    SHour = std::clamp(SHour, 0, 23);
    EHour = std::clamp(EHour, 0, 23);
    SMinute = std::clamp(SMinute, 0, 59);
    EMinute = std::clamp(EMinute, 0, 59);
    const int start = SHour * 100 + SMinute;
    const int end = EHour * 100 + EMinute;
    if (start > end) {
        ed.platform.Warn(kOrderText);
        return false;
    }
    const std::string text = TimerToString(SHour, SMinute) + " -- " + TimerToString(EHour, EMinute);
    // The search covers the entry being edited too: an unchanged edit is refused.
    if (FindStringFromList(text, TimeListTexts(*ed.Prj)) >= 0) {
        ed.platform.Warn(kDuplicateText);
        return false;
    }
    if (ed.TimeEditMode) {
        const int cur = ListedCurrent(ed);
        if (cur < 0) return true;  // nothing to edit any more
        ed.Prj->TimePL[cur].StartTime = start;
        ed.Prj->TimePL[cur].EndTime = end;
        RecordEdit(ed, "Edit Time Section");
        return true;
    }
    if (ed.Prj->TimeCount >= MaxTimeIndex) {
        ed.platform.Warn(kLimitText);
        return false;
    }
    const int before = ed.Prj->CurTimeIndex;
    // The count of sections is the time list's length: a save writes and copies that many.
    const int added = std::max(ed.Prj->TimeCount, 0);
    ed.Prj->TimeCount = added + 1;
    ed.Prj->CurTimeIndex = added;
    ed.Prj->TimePL[added].StartTime = start;
    ed.Prj->TimePL[added].EndTime = end;
    const bool copied = CopyFrom >= 0 && CopyFrom < added;
    if (copied) CopySectionLayout(ed, CopyFrom, added);
    // The new section is not drawn until it is chosen; only the one left is cleared.
    RefrashDisplayForNewProject(ed, before);
    // A copied layout is shown at once: its main window must not be taken for one never
    // drawn, which the first click on "Main Window" would make a default square.
    if (copied) ShowTimeSection(ed);
    RecordEdit(ed, "Add Time Section");
    return true;
}

void CopySectionLayout(Editor& ed, int from, int to) {
    auto& recs = ed.Prj->TimePL;
    if (from == to || from < 0 || to < 0 || from >= MaxTimeIndex || to >= MaxTimeIndex) return;
    TTimePLData& dst = recs[to];
    const int start = dst.StartTime, end = dst.EndTime;
    const std::optional<Shape> ownMain = dst.MainWin.Shape;
    dst = recs[from];  // plain values throughout: nothing is shared with the source
    dst.StartTime = start;
    dst.EndTime = end;
    // A main window marker lives for the whole run: a source without one leaves its own.
    if (!dst.MainWin.Shape) dst.MainWin.Shape = ownMain;
    for (int j = 1; j <= MaxSubWin; ++j) dst.SubWin[j].Shape.reset();
}

void SBtn_DeleteTimeListClick(Editor& ed) {
    const int k = ListedCurrent(ed);
    if (k < 0) return;  // no section: nothing to ask, nothing to delete
    if (ed.platform.Message("Confirm", kDeleteText, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;

    auto& recs = ed.Prj->TimePL;
    recs[k].FileList.clear();
    recs[k].MainWin.Shape.reset();
    for (int j = 1; j <= MaxSubWin; ++j) recs[k].SubWin[j].Shape.reset();

    // Later sections move up one place whole, their markers with them. Record 9 would
    // take the spare record 10, which is always empty and keeps its own main window
    // marker; so record 9 is simply made empty as at start-up, with a marker of its own.
    for (int i = k; i < MaxTimeIndex - 1; ++i) recs[i] = std::move(recs[i + 1]);
    ResetRecord(recs[MaxTimeIndex - 1], ed.Panel.ImgWidth(), ed.Panel.ImgHeight());

    --ed.Prj->TimeCount;
    if (ed.Prj->TimeCount > 0) {
        ed.Prj->CurTimeIndex = 0;
        // The deleted section's window must not stay chosen.
        ClearDisplay(ed);
        ShowTimeSection(ed);
    } else {
        ed.Prj->CurTimeIndex = -1;
        RefrashDisplayForNewProject(ed, -1);
    }
    RecordEdit(ed, "Delete Time Section");
}

}  // namespace kestrel
