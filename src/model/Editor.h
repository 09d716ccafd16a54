#pragma once
// The core of the main window: the project model, the editor state kept beside it,
// and what the main window's controls show, as plain data. The Qt window copies
// this view into its widgets after each event; tests read it without a screen.

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/History.h"
#include "model/Platform.h"
#include "model/Project.h"

namespace kestrel {

enum class Cursor { Arrow, SizeFDiag, SizeBDiag, SizeVer, SizeHor };  // FDiag: NW-SE, BDiag: NE-SW

enum class PictureKind { Default, File, Empty };  // what imgBmp shows

enum PosField { FieldLeft = 0, FieldTop = 1, FieldWidth = 2, FieldHeight = 3 };

struct MainViewState {
    std::vector<std::string> TimeList;  // ComboBox_TimeList entries
    int TimeListIndex = -1;             // its chosen entry
    std::vector<std::string> SubWinList;  // ListBox_SubWin items
    int SubWinListIndex = -1;             // its selected item
    std::array<std::string, 4> PosFields{"0", "0", "0", "0"};  // Edit_Left, _Top, _Width, _Height
    std::string BGFileField;            // Edit_BGFile
    bool AddSubWinEnabled = true;
    bool DelSubWinEnabled = true;
    bool MainWinPanelBlue = false;      // Panel_MainWin: blue while current, sky blue otherwise
    Cursor ImageCursor = Cursor::Arrow;
    PictureKind Picture = PictureKind::Default;
    std::string PictureFile;            // the file shown when Picture is File
    // The edge lines a drag snapped to, in image panel pixels (-1: none); shown while
    // the button is held.
    int SnapGuideX = -1;
    int SnapGuideY = -1;
};

// Target screen resolution (the display setting dialog's fields).
struct DisplaySetting {
    int DisplayMode = 1;
    int DisplayWidth = 1360;
    int DisplayHeight = 768;
};

// Geometry of the picture area: Panel_ImageParent's size and Panel_Image inside it.
struct ImagePanel {
    int AreaWidth = 722;
    int AreaHeight = 527;
    int Left = 0;
    int Top = 60;
    int Width = 722;   // PanelWidth
    int Height = 407;  // PanelHeight
    int ImgWidth() const { return Width - 2; }   // imgBmp lies inside a 1-pixel bevel
    int ImgHeight() const { return Height - 2; }
};

struct Editor {
    explicit Editor(Platform& platform);

    Platform& platform;
    std::unique_ptr<Project> Prj;  // replaced whole by Open

    // Editor state kept beside the model.
    int DragX = 0;
    int DragY = 0;
    int SizeHandle = -1;
    int SelWinIndex = 0;
    int PLWinIndex = 0;
    int DragMode = 0;  // 0 idle, 1 drawing, 2 moving, 3 resizing
    bool SaveAsMode = false;
    bool TimeEditMode = false;
    bool SnapEnabled = true;  // mouse drags pull edges onto nearby edges (Tools > Snap)
    Shape DragShape;          // the dragged marker as the pointer alone would place it
    // Copies a refresh could not make (failed or cancelled), each with its source's size
    // and time: later refreshes leave them to the next save until the source changes.
    std::set<std::string> CopiesLeftToSave;

    MainViewState View;
    DisplaySetting Display;
    ImagePanel Panel;
    History Edits;  // undo and redo, and what was last saved

    // A fresh, empty project whose main window markers fit the current image.
    std::unique_ptr<Project> NewProject() const;
    TTimePLData* Current() { return Prj->Current(); }
};

}  // namespace kestrel
