#include "playlist/PlaylistTable.h"

#include <algorithm>
#include <charconv>

#include "model/DialogFolder.h"
#include "model/History.h"
#include "storage/ProjectFolder.h"

namespace kestrel {

namespace {

// Cells hold numbers the editor wrote itself; anything else reads as 0.
int CellNumber(const std::string& s, bool* ok = nullptr) {
    int v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    bool good = ec == std::errc() && p == s.data() + s.size() && !s.empty();
    if (ok) *ok = good;
    return good ? v : 0;
}

TTimePLData* Section(Editor& ed) { return ed.Prj ? ed.Prj->Current() : nullptr; }

// The files of the table's rows and those chosen so far: they join the project on OK.
std::vector<std::string> PendingFiles(const PlaylistTable& t, std::vector<std::string> chosen) {
    for (int r = 1; r <= t.ItemCount && r < t.RowCount(); ++r) chosen.push_back(t.Rows[r][0]);
    return chosen;
}

// The project as OK would leave it, but for the table's rows: the window's stored
// playlist gives way to them, so a name freed by deleting its row clashes with nothing.
Project WithoutEditedPlaylist(const Editor& ed) {
    Project prj = *ed.Prj;
    if (TTimePLData* sec = prj.Current()) {
        if (ed.PLWinIndex() == 0)
            sec->MainWin.PLCount = 0;
        else if (ed.PLWinIndex() >= 1 && ed.PLWinIndex() <= MaxSubWin)
            sec->SubWin[ed.PLWinIndex()].PLCount = 0;
    }
    return prj;
}

// The files chosen in the file dialog that the project file can carry; each refused
// name is reported, the rest go on.
std::vector<std::string> ChooseFiles(Editor& ed, const PlaylistTable& t) {
    std::vector<std::string> chosen = ed.platform.OpenFiles("", DialogStartFolder(ed));
    if (!chosen.empty()) RememberDialogFolder(ed, chosen.front());
    if (chosen.empty() || !ed.Prj) return {};
    const Project others = WithoutEditedPlaylist(ed);
    std::vector<std::string> good;
    for (const std::string& f : chosen) {
        if (!StorableFileName(f)) {
            ed.platform.Report("The file name \"" + f +
                               "\" contains a quotation mark, \"<\" or a line break and is not added.");
        } else if (auto refusal = AddFileRefusal(others, f, PendingFiles(t, good))) {
            ed.platform.Report(*refusal);
        } else {
            good.push_back(f);
        }
    }
    return good;
}

void HideSpins(PlaylistTable& t) { t.Visible = SpinBox::None; }

void ClampSelection(PlaylistTable& t) {
    int last = t.RowCount() - 1;
    t.SelTop = std::clamp(t.SelTop, 1, last);
    t.SelBottom = std::clamp(t.SelBottom, t.SelTop, last);
}

}  // namespace

PLRow PlaylistTable::DefaultRow() const {
    return MainWindow() ? PLRow{"", "50", "1"} : PLRow{"", "1", ""};
}

void PlaylistTable::SetRowCount(int n) {
    n = std::max(n, 2);
    Rows.resize(static_cast<size_t>(n));
}

bool CanEditPlaylist(const Editor& ed) {
    if (!ed.Prj) return false;
    const TTimePLData* sec = ed.Prj->Current();
    if (!sec || ed.Prj->CurTimeIndex > MaxTimeIndex) return false;
    if (ed.PLWinIndex() == 0) return true;
    return ed.PLWinIndex() >= 1 && ed.PLWinIndex() <= std::min(sec->SubWinCount, MaxSubWin);
}

int FileColumnWidth(int viewportWidth, int colCount) {
    return std::max(viewportWidth - 90 * (colCount - 1), MinFileColumnWidth);
}

std::vector<std::string> ColumnTips(const PlaylistTable& t) {
    if (t.MainWindow()) return {"File", "Volume", "Interval"};
    return {"File", "Times"};
}

void PLFormShow(Editor& ed, PlaylistTable& t) {
    t.ItemCount = 0;
    t.CurRow = 0;
    t.CurCol = 0;
    HideSpins(t);
    t.ColCount = ed.PLWinIndex() == 0 ? 3 : 2;
    t.Rows.assign(2, PLRow{});
    t.DeleteEnabled = true;
    t.Rows[0] = t.MainWindow() ? PLRow{"文件", "音量", "间隔"} : PLRow{"文件", "次数", ""};
    t.SelTop = t.SelBottom = 1;
    LoadPLGrid(ed, t);
}

void LoadPLGrid(Editor& ed, PlaylistTable& t) {
    TTimePLData* sec = Section(ed);
    if (!sec || !CanEditPlaylist(ed)) {
        t.Rows[1] = t.DefaultRow();
        return;
    }
    int n = ed.PLWinIndex() == 0 ? sec->MainWin.PLCount : sec->SubWin[ed.PLWinIndex()].PLCount;
    n = std::clamp(n, 0, MaxPLEntries);  // a damaged count never reads past the array
    if (n == 0) {
        t.Rows[1] = t.DefaultRow();
        return;
    }
    std::vector<PLRow> shown;
    for (int k = 0; k < n; ++k) {
        if (ed.PLWinIndex() == 0) {
            const TMainWinPL& e = sec->MainWin.PL[k];
            if (e.FileName.empty()) {
                ed.platform.Report("Error!!! File name in list " + std::to_string(k) + " is null!");
                continue;
            }
            shown.push_back({e.FileName, std::to_string(e.Vol), std::to_string(e.Interval)});
        } else {
            const TSubWinPL& e = sec->SubWin[ed.PLWinIndex()].PL[k];
            if (e.FileIndex < 0 || e.FileIndex >= static_cast<int>(sec->FileList.size())) {
                ed.platform.Report("Error!!! File name in list " + std::to_string(k) +
                                   " not in sub windows file list!");
                continue;
            }
            if (e.FileName.empty()) continue;
            shown.push_back({e.FileName, std::to_string(e.Times), ""});
        }
    }
    t.ItemCount = static_cast<int>(shown.size());
    t.SetRowCount(t.ItemCount + 1);
    for (size_t i = 0; i < shown.size(); ++i) t.Rows[i + 1] = shown[i];
}

void InsertRow(PlaylistTable& t, int r) {
    r = std::clamp(r, 1, t.RowCount());
    t.Rows.insert(t.Rows.begin() + r, t.DefaultRow());
}

void DeleteRows(PlaylistTable& t, int top, int n) {
    if (top < 1 || top >= t.RowCount()) return;
    for (int i = 0; i <= n; ++i) {
        if (top >= t.RowCount()) break;
        t.Rows.erase(t.Rows.begin() + top);
        if (t.RowCount() < 2) t.Rows.push_back(PLRow{});  // the last row is left blank
    }
}

bool StorableFileName(const std::string& path) {
    return path.find_first_of("\"<\r\n") == std::string::npos;
}

void AddFiles1Click(Editor& ed, PlaylistTable& t) {
    std::vector<std::string> files = ChooseFiles(ed, t);
    if (files.empty()) return;
    if (t.ItemCount + static_cast<int>(files.size()) > MaxPLEntries) {
        ed.platform.Report(TooManyFilesText);
        return;
    }
    for (const std::string& f : files) {
        if (t.RowCount() - 1 > t.ItemCount) {
            InsertRow(t, t.RowCount() - 1);
            ++t.ItemCount;
            t.SetRowCount(t.ItemCount + 1);
        } else {
            InsertRow(t, t.RowCount());
            ++t.ItemCount;
        }
        t.Rows.back()[0] = f;
    }
    t.SetRowCount(t.ItemCount + 1);
    ClampSelection(t);
    HideSpins(t);
}

void InsertFiles1Click(Editor& ed, PlaylistTable& t) {
    std::vector<std::string> files = ChooseFiles(ed, t);
    if (files.empty()) return;
    if (t.ItemCount + static_cast<int>(files.size()) > MaxPLEntries) {
        ed.platform.Report(TooManyFilesText);
        return;
    }
    // Beyond the entries the new rows go right after the last one, not after a blank row.
    int top = std::clamp(t.SelTop, 1, t.ItemCount + 1);
    for (size_t i = 0; i < files.size(); ++i) {
        InsertRow(t, top + static_cast<int>(i));
        t.Rows[top + i][0] = files[i];
        ++t.ItemCount;
    }
    t.SetRowCount(t.ItemCount + 1);
    ClampSelection(t);
    HideSpins(t);
}

void DeleteItem1Click(PlaylistTable& t) {
    int top = t.SelTop, bottom = t.SelBottom;
    DeleteRows(t, top, bottom - top);
    t.ItemCount = std::max(0, t.ItemCount - (bottom - top + 1));
    t.ItemCount = std::min(t.ItemCount, t.RowCount() - 1);
    t.SelBottom = t.SelTop;
    ClampSelection(t);
    HideSpins(t);
}

void MoveUp1Click(PlaylistTable& t) {
    int top = t.SelTop, bottom = std::min(t.SelBottom, t.RowCount() - 1);
    if (top <= 1 || bottom < top) return;
    for (int r = top; r <= bottom; ++r) std::swap(t.Rows[r - 1], t.Rows[r]);
}

void MoveDown1Click(PlaylistTable& t) {
    int top = std::max(t.SelTop, 1), bottom = t.SelBottom;
    if (bottom >= t.RowCount() - 1 || top > bottom) return;
    for (int r = bottom; r >= top; --r) std::swap(t.Rows[r], t.Rows[r + 1]);
}

void StringGrid_PLSelectCell(PlaylistTable& t, int col, int row) {
    t.CurRow = row;
    t.CurCol = col;
}

SpinPlacement StringGrid_PLMouseDown(PlaylistTable& t, bool rightButton, int cellLeft, int cellTop,
                                     int cellWidth, int cellHeight, int gridLeft, int gridTop) {
    SpinPlacement p;
    if (rightButton) {
        HideSpins(t);
        return p;
    }
    if ((t.CurRow == 0 && t.CurCol == 0) || t.CurRow >= t.RowCount() || t.CurRow < 1) return p;
    const std::string& cell = t.Rows[t.CurRow][static_cast<size_t>(t.CurCol)];
    if (t.CurCol == 1) {
        p.Box = SpinBox::Volume;
        p.Value = cell.empty() ? 50 : std::clamp(CellNumber(cell), 0, 100);
    } else if (t.CurCol == 2 && t.MainWindow()) {
        p.Box = SpinBox::Repeat;
        p.Value = cell.empty() ? 1 : std::clamp(CellNumber(cell), 1, 99);
    } else {
        return p;
    }
    SpinPlacement placed = PlaceOverCell(p.Box, cellLeft, cellTop, cellWidth, cellHeight, gridLeft, gridTop);
    placed.Value = p.Value;
    t.Visible = placed.Box;
    t.SpinOrigin = cell;
    return placed;
}

SpinPlacement PlaceOverCell(SpinBox box, int cellLeft, int cellTop, int cellWidth, int cellHeight,
                            int gridLeft, int gridTop) {
    SpinPlacement p;
    p.Box = box;
    p.Left = cellLeft + gridLeft;
    p.Top = cellTop + gridTop + 1;
    p.Width = cellWidth;
    p.Height = cellHeight - 3;
    return p;
}

bool StringGrid_PLScrolled(PlaylistTable& t, bool cellInView) {
    if (t.Visible == SpinBox::None) return false;
    if (!cellInView) SpinEditExit(t);
    return cellInView;
}

void SpinEdit_VolumeChange(PlaylistTable& t, const std::string& text) {
    if (t.Visible != SpinBox::Volume || t.CurCol < 1 || t.CurRow < 1 || t.CurRow >= t.RowCount())
        return;
    int v = CellNumber(text);  // text that is not a number counts as the minimum
    if (v < 0 || v > 100) return;
    t.Rows[t.CurRow][static_cast<size_t>(t.CurCol)] = std::to_string(v);
}

void SpinEdit_RepeatChange(PlaylistTable& t, int value) {
    if (t.Visible != SpinBox::Repeat || t.CurCol < 1 || t.CurRow < 1 || t.CurRow >= t.RowCount())
        return;
    t.Rows[t.CurRow][static_cast<size_t>(t.CurCol)] = std::to_string(std::clamp(value, 1, 99));
}

void SpinEditExit(PlaylistTable& t) { HideSpins(t); }

void SpinEditCancel(PlaylistTable& t) {
    if (t.Visible == SpinBox::None) return;
    if (t.CurRow >= 1 && t.CurRow < t.RowCount() && t.CurCol >= 1 && t.CurCol < t.ColCount)
        t.Rows[t.CurRow][static_cast<size_t>(t.CurCol)] = t.SpinOrigin;
    HideSpins(t);
}

void SpeedButton_OKClick(Editor& ed, const PlaylistTable& t) {
    TTimePLData* sec = Section(ed);
    if (!sec || !CanEditPlaylist(ed)) return;
    int stored = 0;
    for (int r = 1; r < t.RowCount() && stored < MaxPLEntries; ++r) {
        const PLRow& row = t.Rows[r];
        if (row[0].empty()) continue;
        if (ed.PLWinIndex() == 0) {
            TMainWinPL& e = sec->MainWin.PL[stored];
            e.FileName = row[0];
            e.Vol = CellNumber(row[1]);
            e.Interval = CellNumber(row[2]);
        } else {
            TSubWinPL& e = sec->SubWin[ed.PLWinIndex()].PL[stored];
            e.FileName = row[0];
            e.Times = CellNumber(row[1]);
        }
        ++stored;
    }
    if (ed.PLWinIndex() == 0)
        sec->MainWin.PLCount = stored;
    else
        sec->SubWin[ed.PLWinIndex()].PLCount = stored;
    RecordEdit(ed, "Edit " + WindowName(ed.PLWinIndex()) + " Playlist");
}

}  // namespace kestrel
