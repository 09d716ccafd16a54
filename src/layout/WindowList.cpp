#include "layout/WindowList.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "layout/CoordinateMapping.h"
#include "layout/WindowChoice.h"
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

void ApplyTypedPosition(Editor& ed, const PosTexts& typed) {
    TTimePLData* rec = ed.Current();
    const int chosen = ed.PLWinIndex();
    if (!rec || chosen < 0) return;
    const int L0 = FieldValue(typed[FieldLeft]);
    const int T0 = FieldValue(typed[FieldTop]);
    const int W0 = FieldValue(typed[FieldWidth]);
    const int H0 = FieldValue(typed[FieldHeight]);
    // Edges are summed wide so that large typed numbers clamp instead of wrapping.
    auto clampEdge = [](std::int64_t v, int bound) {
        return static_cast<int>(std::clamp<std::int64_t>(v, 0, bound));
    };
    WithWindow(*rec, chosen, [&](auto& win) {
        if (L0 == win.Left && T0 == win.Top && W0 == win.Width && H0 == win.Height) return;
        const int L = clampEdge(L0, ed.Display.DisplayWidth);
        const int R = clampEdge(std::int64_t{L0} + W0, ed.Display.DisplayWidth);
        const int T = clampEdge(T0, ed.Display.DisplayHeight);
        const int B = clampEdge(std::int64_t{T0} + H0, ed.Display.DisplayHeight);
        win.Left = L;
        win.Top = T;
        win.Width = R - L;
        win.Height = B - T;
        // A window not drawn yet is drawn once it has an area.
        if (!win.Shape && win.Width > 0 && win.Height > 0) win.Shape.emplace();
        if (!win.Shape) return;
        PlaceShapeFromModel(ed, win, *win.Shape);
        if (win.Width > 0 && win.Height > 0) win.Shape->Visible = true;
    });
}

// A typed value is complete on Return and on leaving the field: each is one step.
void ApplyTypedStep(Editor& ed, const PosTexts& typed) {
    ApplyTypedPosition(ed, typed);
    RecordEdit(ed, "Type " + WindowName(ed.PLWinIndex()) + " Position");
}

// The window the list item stands for: 1 for its first item, -1 for none.
int ItemWindow(const Editor& ed, int item) {
    return item >= 0 && item < ListedSubWindows(ed) ? item + 1 : -1;
}

}  // namespace

bool PosFieldTextAllowed(const std::string& text) {
    if (static_cast<int>(text.size()) > PosFieldLength) return false;
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    return std::all_of(text.begin() + digits, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Panel_MainWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    ChooseWindow(ed, 0);
    TMainWinData& main = rec->MainWin;
    if (main.Shape) {
        if (main.Width <= 0 || main.Height <= 0) {
            // Never drawn: the default square of the picture's smaller side, top left.
            const int side = std::min(ed.Panel.ImgWidth(), ed.Panel.ImgHeight());
            *main.Shape = Shape{0, 0, side, side, true};
            StoreShapeRect(ed, *main.Shape, main);
        } else {
            // Choosing shows the stored rectangle; it never changes it.
            PlaceShapeFromModel(ed, main, *main.Shape);
        }
    }
    RecordEdit(ed, "Place Main Window");
}

// The playlist editor needs a current section; the double click chose the main window.
bool Panel_MainWinDblClick(Editor& ed) {
    if (!ed.Current()) return false;
    ChooseWindow(ed, 0);
    return true;
}

void ListBox_SubWinClick(Editor& ed, int item) {
    if (const int window = ItemWindow(ed, item); window >= 1) ChooseWindow(ed, window);
}

// Without an item the main window's playlist opens, as the list chooses nothing else.
bool ListBox_SubWinDblClick(Editor& ed, int item) {
    if (!ed.Current()) return false;
    ChooseWindow(ed, std::max(ItemWindow(ed, item), 0));
    return true;
}

void AddSubWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    rec->SubWinCount = ListedSubWindows(ed);
    if (rec->SubWinCount < MaxSubWin) {
        ++rec->SubWinCount;
        ed.ListedSubWins = rec->SubWinCount;
        rec->SubWin[rec->SubWinCount].Shape.reset();
    }
    RecordEdit(ed, "Add Sub Window");
}

void DelSubWinClick(Editor& ed) {
    TTimePLData* rec = ed.Current();
    if (!rec) return;
    const int count = ListedSubWindows(ed);
    rec->SubWinCount = count;
    const int k = ed.PLWinIndex();
    if (k >= 1 && k <= count) {
        rec->SubWin[k].Shape.reset();
        for (int i = k; i < count; ++i) rec->SubWin[i] = std::move(rec->SubWin[i + 1]);
        rec->SubWin[count] = TSubWinData{};
        rec->SubWinCount = count - 1;
        ed.ListedSubWins = rec->SubWinCount;
        // The first sub window is chosen next, or the main window when none is left.
        ChooseWindow(ed, rec->SubWinCount > 0 ? 1 : 0);
    }
    RecordEdit(ed, "Delete Sub Window");
}

void TBtnDeleteSelClick(Editor& ed) { DelSubWinClick(ed); }

void Edit_PosKeyUp(Editor& ed, const PosTexts& typed) { ApplyTypedStep(ed, typed); }

void Edit_PosKeyEnter(Editor& ed, const PosTexts& typed) { ApplyTypedStep(ed, typed); }

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
    ed.Picture = PictureKind::Empty;
    RecordEdit(ed, "Choose Background");
    if (!IsPictureFile(path)) return;
    if (std::optional<std::string> problem = ed.platform.PictureProblem(path)) {
        // The section keeps the file as chosen; the image falls back to the default picture.
        ed.Picture = PictureKind::Default;
        ed.platform.Warn("The picture \"" + path + "\" cannot be shown: " + *problem);
        return;
    }
    ed.Picture = PictureKind::File;
}

}  // namespace kestrel
