#pragma once
// The playlist editor's table: text cells copied from one window's playlist when the
// editor is shown, edited by the pop-up menu and the spin boxes, and copied back on OK.
// Row 0 is the fixed title row; data rows start at 1.

#include <array>
#include <string>
#include <vector>

#include "model/Editor.h"

namespace kestrel {

using PLRow = std::array<std::string, 3>;  // a sub window's table leaves column 2 unused

enum class SpinBox { None, Volume, Repeat };

struct PlaylistTable {
    int ColCount = 3;             // 3 for the main window, 2 for a sub window
    std::vector<PLRow> Rows;      // Rows[0] holds the titles
    int ItemCount = 0;            // data rows holding entries, never below 0
    int CurRow = 0;               // cell selected last
    int CurCol = 0;
    int SelTop = 1;               // whole-row selection
    int SelBottom = 1;
    SpinBox Visible = SpinBox::None;  // which spin box floats over a cell
    std::string SpinOrigin;       // the cell's text when its box opened, for Esc
    bool DeleteEnabled = true;

    int RowCount() const { return static_cast<int>(Rows.size()); }
    bool MainWindow() const { return ColCount == 3; }
    PLRow DefaultRow() const;
    void SetRowCount(int n);
};

// Where a spin box goes when a cell is clicked: the box, its starting value and its rectangle.
struct SpinPlacement {
    SpinBox Box = SpinBox::None;
    int Value = 0;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

inline constexpr int MaxPLEntries = MaxPLIndex + 1;
inline constexpr const char* TooManyFilesText = "A playlist holds at most 101 files.";

// Whether the editor can open on the window chosen by PLWinIndex: it needs a current
// section and, for a sub window, one of the section's windows.
bool CanEditPlaylist(const Editor& ed);

// Width of column 0 so that all columns fill the grid's visible width (its viewport,
// without the vertical scroll bar) exactly: the number columns keep 90 pixels each, and
// nothing is ever left to scroll sideways. Never below MinFileColumnWidth.
inline constexpr int MinFileColumnWidth = 60;
int FileColumnWidth(int viewportWidth, int colCount);
// What the column titles mean, in English, for their tooltips.
std::vector<std::string> ColumnTips(const PlaylistTable& t);
// The volume box takes at most this many typed characters; its arrows reach 100.
inline constexpr int VolumeTypedLength = 2;

// The form's show: a fresh table for the chosen window, then LoadPLGrid.
void PLFormShow(Editor& ed, PlaylistTable& t);
void LoadPLGrid(Editor& ed, PlaylistTable& t);
void InsertRow(PlaylistTable& t, int r);
void DeleteRows(PlaylistTable& t, int top, int n);

// A name the project file can carry: no quotation mark, "<" or line break.
bool StorableFileName(const std::string& path);

void AddFiles1Click(Editor& ed, PlaylistTable& t);
void InsertFiles1Click(Editor& ed, PlaylistTable& t);
void DeleteItem1Click(PlaylistTable& t);
void MoveUp1Click(PlaylistTable& t);
void MoveDown1Click(PlaylistTable& t);

void StringGrid_PLSelectCell(PlaylistTable& t, int col, int row);
// A left press on the grid (or Enter on its current cell): which spin box to show over the current cell. cellLeft..
// are the cell's rectangle in grid coordinates, gridLeft/gridTop the grid's offset.
SpinPlacement StringGrid_PLMouseDown(PlaylistTable& t, bool rightButton, int cellLeft, int cellTop,
                                     int cellWidth, int cellHeight, int gridLeft, int gridTop);
// Where the open box goes over its cell, in the same coordinates as StringGrid_PLMouseDown.
SpinPlacement PlaceOverCell(SpinBox box, int cellLeft, int cellTop, int cellWidth, int cellHeight,
                            int gridLeft, int gridTop);
// The grid scrolled under an open box: it follows its cell while the cell is wholly in
// view, and is left (as on losing the focus) once it is not. True when it stays open.
bool StringGrid_PLScrolled(PlaylistTable& t, bool cellInView);
// The spin boxes' changes; the volume box passes its text as typed.
void SpinEdit_VolumeChange(PlaylistTable& t, const std::string& text);
void SpinEdit_RepeatChange(PlaylistTable& t, int value);
void SpinEditExit(PlaylistTable& t);
// Esc in a spin box: the cell gets back the text it had when the box opened.
void SpinEditCancel(PlaylistTable& t);

// OK: the table into the chosen window's playlist.
void SpeedButton_OKClick(Editor& ed, const PlaylistTable& t);

}  // namespace kestrel
