#include "session/MainView.h"

#include <algorithm>
#include <charconv>

#include "layout/LayoutStatus.h"
#include "layout/MouseEditor.h"
#include "layout/WindowChoice.h"
#include "model/History.h"
#include "timesections/TimeSections.h"

namespace kestrel {

namespace {

std::string Number(int value) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, end);
}

// The chosen window's rectangle; with no section the fields read 0 as at start-up, with
// a section and no window chosen they are empty.
PosTexts PositionTexts(const Editor& ed) {
    const TTimePLData* rec = ed.Current();
    if (!rec) return {"0", "0", "0", "0"};
    PosTexts texts;
    WithWindow(*rec, ed.PLWinIndex(), [&](const auto& win) {
        texts = {Number(win.Left), Number(win.Top), Number(win.Width), Number(win.Height)};
    });
    return texts;
}

std::vector<MarkerView> Markers(const Editor& ed) {
    std::vector<MarkerView> markers;
    const TTimePLData* rec = ed.Current();
    if (!rec) return markers;
    for (int i = 0; i <= MaxSubWin; ++i) {
        const std::optional<Shape>& s = i == 0 ? rec->MainWin.Shape : rec->SubWin[i].Shape;
        if (s && s->Visible) markers.push_back({i, *s, i == ed.PLWinIndex(), WindowLabel(i)});
    }
    return markers;
}

}  // namespace

MainView DeriveMainView(const Editor& ed) {
    MainView v;
    const TTimePLData* rec = ed.Current();
    const int chosen = ed.PLWinIndex();

    v.Title = TitleName(ed) + "[*] \u2014 " + AppTitle;
    v.Modified = HasUnsavedChanges(ed);

    v.TimeList = TimeListTexts(*ed.Prj);
    v.TimeListIndex = ed.Prj->CurTimeIndex < static_cast<int>(v.TimeList.size()) ? ed.Prj->CurTimeIndex : -1;
    for (int j = 1; j <= ListedSubWindows(ed); ++j) v.SubWinList.push_back("SubWin" + std::to_string(j));
    v.SubWinListIndex = chosen >= 1 ? chosen - 1 : -1;
    v.MainWinPanelBlue = rec && chosen == 0;
    v.PosFields = PositionTexts(ed);
    v.PosFieldsEnabled = rec && chosen >= 0;
    v.BGFileField = rec ? rec->BGFile : std::string();
    v.WindowStatus = WindowStatus(ed);

    v.Panel = ed.Panel;
    v.Picture = rec ? ed.Picture : PictureKind::Default;
    if (v.Picture == PictureKind::File) v.PictureFile = rec->BGFile;
    v.Markers = Markers(ed);
    v.ImageCursor = HandleCursor(ed.SizeHandle);
    v.SnapGuideX = ed.SnapGuideX;
    v.SnapGuideY = ed.SnapGuideY;

    for (const kestrel::Command& c : Commands())
        v.Commands[static_cast<size_t>(c.Id)] = {c.Enabled(ed), CommandChecked(ed, c.Id), CommandText(ed, c.Id)};
    return v;
}

}  // namespace kestrel
