#include "layout/WindowList.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "layout/CoordinateMapping.h"
#include "layout/MouseEditor.h"
#include "model/Error.h"
#include "model/Paths.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

namespace {

// The whole text as a decimal integer with an optional sign; anything else fails.
int FieldValue(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last || (first != text.data() && *first == '-'))
        throw Error("'" + text + "' is not a valid integer value");
    return value;
}

void ApplyTypedPosition(Editor& ed, bool fillEmpty) {
    TTimePLData* rec = ed.Current();
    if (ed.SelWinIndex == -1 || !rec) return;
    if (fillEmpty)
        for (std::string& f : ed.View.PosFields)
            if (f.empty()) f = "0";
    const int L0 = FieldValue(ed.View.PosFields[FieldLeft]);
    const int T0 = FieldValue(ed.View.PosFields[FieldTop]);
    const int W0 = FieldValue(ed.View.PosFields[FieldWidth]);
    const int H0 = FieldValue(ed.View.PosFields[FieldHeight]);
    // Edges are summed wide so that large typed numbers clamp instead of wrapping.
    auto clampEdge = [](std::int64_t v, int bound) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, bound));
    };
    const int L = clampEdge(L0, ed.Display.DisplayWidth);
    const int R = clampEdge(std::int64_t{L0} + W0, ed.Display.DisplayWidth);
    const int T = clampEdge(T0, ed.Display.DisplayHeight);
    const int B = clampEdge(std::int64_t{T0} + H0, ed.Display.DisplayHeight);
    auto apply = [&](auto& win) {
        win.Left = L;
        win.Top = T;
        win.Width = R - L;
        win.Height = B - T;
        ShowPosFields(ed, win);
        if (win.Shape) PlaceShapeFromModel(ed, win, *win.Shape);
    };
    if (ed.SelWinIndex == 0)
        apply(rec->MainWin);
    else if (ed.SelWinIndex >= 1 && ed.SelWinIndex <= MaxSubWin)
        apply(rec->SubWin[ed.SelWinIndex]);
}

int SelectedItem(const Editor& ed) {
    const int i = ed.View.SubWinListIndex;
    return i >= 0 && i < static_cast<int>(ed.View.SubWinList.size()) ? i : -1;
}

}  // namespace

void SetSubWinMenuStates(Editor& ed) {
    const TTimePLData* rec = ed.Current();
    const int count = rec ? rec->SubWinCount : 0;
    ed.View.AddSubWinEnabled = count < MaxSubWin;
    ed.View.DelSubWinEnabled = count != 0;
}

void ShowSelectedWindow(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (ed.PLWinIndex == -1 || !rec) return;
    SetNormalLook(ed);
    auto show = [&](auto& win) {
        ShowPosFields(ed, win);
        if (win.Shape) {
            win.Shape->Visible = true;
            win.Shape->Highlighted = true;
        } else {
            ed.SelWinIndex = -1;
        }
    };
    if (ed.PLWinIndex == 0) {
        ed.View.MainWinPanelBlue = true;
        ed.View.SubWinListIndex = -1;
        show(rec->MainWin);
    } else if (ed.PLWinIndex <= MaxSubWin) {
        ed.View.MainWinPanelBlue = false;
        show(rec->SubWin[ed.PLWinIndex]);
    }
}

void Panel_MainWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    ed.SelWinIndex = 0;
    ed.PLWinIndex = 0;
    if (std::optional<Shape>& s = rec->MainWin.Shape) {
        if (!s->Visible) {
            const int side = std::min(ed.Panel.ImgWidth(), ed.Panel.ImgHeight());
            s->Width = side;
            s->Height = side;
        }
        StoreShapeRect(ed, *s, rec->MainWin);
    }
    ShowSelectedWindow(ed);
}

// The playlist editor needs a current section; the double click chose the main window.
bool Panel_MainWinDblClick(Editor& ed) {
    if (!ed.Current()) return false;
    ed.SelWinIndex = 0;
    ed.PLWinIndex = 0;
    return true;
}

void ListBox_SubWinClick(Editor& ed) {
    ed.PLWinIndex = SelectedItem(ed) + 1;
    if (ed.PLWinIndex >= 1) {
        ed.SelWinIndex = ed.PLWinIndex;
        ShowSelectedWindow(ed);
    }
}

bool ListBox_SubWinDblClick(Editor& ed) {
    if (!ed.Current()) return false;
    ed.PLWinIndex = SelectedItem(ed) + 1;
    ed.SelWinIndex = ed.PLWinIndex;
    return true;
}

void AddSubWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    std::vector<std::string>& list = ed.View.SubWinList;
    rec->SubWinCount = static_cast<int>(list.size());
    if (rec->SubWinCount < MaxSubWin) {
        ++rec->SubWinCount;
        list.push_back("SubWin" + std::to_string(rec->SubWinCount));
        rec->SubWin[rec->SubWinCount].Shape.reset();
    }
    SetSubWinMenuStates(ed);
}

void DelSubWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    std::vector<std::string>& list = ed.View.SubWinList;
    // The list never holds more than the eight slots.
    const int count = std::min(static_cast<int>(list.size()), MaxSubWin);
    rec->SubWinCount = count;
    const int item = SelectedItem(ed);
    if (count > 0 && item >= 0 && item < count) {
        const int k = item + 1;
        rec->SubWin[k].Shape.reset();
        for (int i = k; i < count; ++i) rec->SubWin[i] = std::move(rec->SubWin[i + 1]);
        rec->SubWin[count] = TSubWinData{};
        list.clear();
        rec->SubWinCount = count - 1;
        for (int i = 1; i <= rec->SubWinCount; ++i) list.push_back("SubWin" + std::to_string(i));
        ed.View.SubWinListIndex = list.empty() ? -1 : 0;
        ed.PLWinIndex = ed.View.SubWinListIndex + 1;
        ed.SelWinIndex = ed.PLWinIndex;
        ShowSelectedWindow(ed);
    }
    SetSubWinMenuStates(ed);
}

void TBtnDeleteSelClick(Editor& ed) { DelSubWinClick(ed); }

void Edit_PosKeyUp(Editor& ed) { ApplyTypedPosition(ed, true); }

void Edit_PosKeyEnter(Editor& ed) { ApplyTypedPosition(ed, false); }

void SBtn_BGFileClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    const std::string path = ed.platform.OpenFile("All (*.*)|*.*", ed.Prj->PrjDir);
    if (path.empty()) return;
    // The project file cannot carry such a name and would read it back wrongly.
    if (path.find_first_of("\"<\r\n") != std::string::npos) {
        ed.platform.Warn("The file name \"" + path +
                         "\" cannot be used: it contains a quotation mark, \"<\" or a line break.");
        return;
    }
    if (auto refusal = AddFileRefusal(*ed.Prj, path)) {
        ed.platform.Warn(*refusal);
        return;
    }
    rec->BGFile = path;
    ed.View.Picture = PictureKind::Empty;
    ed.View.PictureFile.clear();
    ed.View.BGFileField = rec->BGFile;
    if (!IsPictureFile(path)) return;
    if (std::optional<std::string> problem = ed.platform.PictureProblem(path)) {
        // The section keeps the file as chosen; the image falls back to the default picture.
        ed.View.Picture = PictureKind::Default;
        ed.platform.Warn("The picture \"" + path + "\" cannot be shown: " + *problem);
        return;
    }
    ed.View.Picture = PictureKind::File;
    ed.View.PictureFile = path;
}

}  // namespace kestrel
