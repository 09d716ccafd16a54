#include "layout/WindowList.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "layout/CoordinateMapping.h"
#include "layout/MouseEditor.h"
#include "model/DialogFolder.h"
#include "model/Error.h"
#include "model/History.h"
#include "model/Paths.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

namespace {

// A field as typed: empty or a lone minus is 0; anything else must be a whole decimal
// integer with an optional sign.
int FieldValue(const std::string& text) {
    if (text.empty() || text == "-") return 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    int value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last || (first != text.data() && *first == '-'))
        throw Error("'" + text + "' is not a valid integer value");
    return value;
}

void ApplyTypedPosition(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec || ed.PLWinIndex < 0 || ed.PLWinIndex > MaxSubWin) return;
    const int L0 = FieldValue(ed.View.PosFields[FieldLeft]);
    const int T0 = FieldValue(ed.View.PosFields[FieldTop]);
    const int W0 = FieldValue(ed.View.PosFields[FieldWidth]);
    const int H0 = FieldValue(ed.View.PosFields[FieldHeight]);
    // Edges are summed wide so that large typed numbers clamp instead of wrapping.
    auto clampEdge = [](std::int64_t v, int bound) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, bound));
    };
    auto apply = [&](auto& win) {
        // A window not drawn yet takes no typed rectangle: it has nothing to show it with.
        if (!win.Shape) return;
        if (L0 == win.Left && T0 == win.Top && W0 == win.Width && H0 == win.Height) {
            ShowPosFields(ed, win);  // as plain numbers again: "" and "-" read 0
            return;
        }
        const int L = clampEdge(L0, ed.Display.DisplayWidth);
        const int R = clampEdge(std::int64_t{L0} + W0, ed.Display.DisplayWidth);
        const int T = clampEdge(T0, ed.Display.DisplayHeight);
        const int B = clampEdge(std::int64_t{T0} + H0, ed.Display.DisplayHeight);
        win.Left = L;
        win.Top = T;
        win.Width = R - L;
        win.Height = B - T;
        ShowPosFields(ed, win);
        PlaceShapeFromModel(ed, win, *win.Shape);
    };
    if (ed.PLWinIndex == 0)
        apply(rec->MainWin);
    else
        apply(rec->SubWin[ed.PLWinIndex]);
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

void ShowChosenInList(Editor& ed) {
    ed.View.MainWinPanelBlue = ed.PLWinIndex == 0;
    const int item = ed.PLWinIndex - 1;
    ed.View.SubWinListIndex = item >= 0 && item < static_cast<int>(ed.View.SubWinList.size()) ? item : -1;
}

bool PosFieldTextAllowed(const std::string& text) {
    if (static_cast<int>(text.size()) > PosFieldLength) return false;
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return std::all_of(text.begin() + digits, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void ShowSelectedWindow(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (ed.PLWinIndex == -1 || !rec) return;
    SetNormalLook(ed);
    ShowChosenInList(ed);
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
        // A main window never drawn has no area: its marker shows that, not the square
        // or the whole picture it was given last.
        TMainWinData& main = rec->MainWin;
        if (main.Shape && (main.Width <= 0 || main.Height <= 0)) PlaceShapeFromModel(ed, main, *main.Shape);
        show(main);
    } else if (ed.PLWinIndex <= MaxSubWin) {
        show(rec->SubWin[ed.PLWinIndex]);
    }
}

void Panel_MainWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    ed.SelWinIndex = 0;
    ed.PLWinIndex = 0;
    TMainWinData& main = rec->MainWin;
    if (main.Shape) {
        if (main.Width <= 0 || main.Height <= 0) {
            // Never drawn: the default square of the picture's smaller side, top left.
            const int side = std::min(ed.Panel.ImgWidth(), ed.Panel.ImgHeight());
            main.Shape->Left = main.Shape->Top = 0;
            main.Shape->Width = main.Shape->Height = side;
            StoreShapeRect(ed, *main.Shape, main);
        } else {
            // Choosing shows the stored rectangle; it never changes it.
            PlaceShapeFromModel(ed, main, *main.Shape);
        }
    }
    ShowSelectedWindow(ed);
    RecordEdit(ed, "Place Main Window");
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
    RecordEdit(ed, "Add Sub Window");
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
    RecordEdit(ed, "Delete Sub Window");
}

void TBtnDeleteSelClick(Editor& ed) { DelSubWinClick(ed); }

// A typed value is complete on Return and on leaving the field: each is one step.
static void ApplyTypedStep(Editor& ed) {
    ApplyTypedPosition(ed);
    RecordEdit(ed, "Type " + WindowName(ed.PLWinIndex) + " Position");
}

void Edit_PosKeyUp(Editor& ed) { ApplyTypedStep(ed); }

void Edit_PosKeyEnter(Editor& ed) { ApplyTypedStep(ed); }

void SBtn_BGFileClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    const std::string path = ed.platform.OpenFile("All (*.*)|*.*", DialogStartFolder(ed));
    if (path.empty()) return;
    RememberDialogFolder(ed, path);
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
    RecordEdit(ed, "Choose Background");
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
