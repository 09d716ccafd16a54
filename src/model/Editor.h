#pragma once
// The core of the main window: the project model and the editor state kept beside it.
// What the main window shows is derived from them (session/MainView).

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

// The four position fields, in this order: Edit_Left, Edit_Top, Edit_Width, Edit_Height.
enum PosField { FieldLeft = 0, FieldTop = 1, FieldWidth = 2, FieldHeight = 3 };
using PosTexts = std::array<std::string, 4>;

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
    bool operator==(const ImagePanel&) const = default;
};

struct Editor {
    explicit Editor(Platform& platform);

    Platform& platform;
    std::unique_ptr<Project> Prj;  // replaced whole by Open

    // The chosen window: 0 the main window, 1 to 8 a listed sub window of the current
    // section, -1 none. The list, the fields, the red outline, the status bar, typed
    // values, nudges, Delete Sub Window and the playlist editor all follow it; only
    // ChooseWindow sets it.
    int PLWinIndex() const { return chosen_; }

    // What the main window shows is derived from the project and the choice, except
    // what no rule gives back:
    // How many sub windows the list holds. Showing a section lists its windows up to the
    // first one without a width, while adding one lists it whatever its size, so the list
    // can hold fewer items than SubWinCount, or more than showing the section would give.
    int ListedSubWins = 0;
    // What the picture shows: the background when it could be decoded, which is learned
    // by reading the file when the section is shown or the background chosen.
    PictureKind Picture = PictureKind::Default;

    // The mouse editor's own state: the window under the pointer or being dragged, the
    // handle under it, where the drag started.
    int DragX = 0;
    int DragY = 0;
    int SizeHandle = -1;
    int SelWinIndex = -1;
    int DragMode = 0;  // 0 idle, 1 drawing, 2 moving, 3 resizing
    Shape DragShape;          // the dragged marker as the pointer alone would place it
    Shape DragStartShape;     // the marker and the model rectangle when the drag began:
    std::array<int, 4> DragStartRect{};  // edges the drag leaves where they were keep their values
    // The edge lines a drag snapped to, in image panel pixels (-1: none); shown while
    // the button is held.
    int SnapGuideX = -1;
    int SnapGuideY = -1;

    bool SaveAsMode = false;
    bool TimeEditMode = false;
    bool SnapEnabled = true;  // mouse drags pull edges onto nearby edges (Tools > Snap)
    // Copies a refresh could not make (failed or cancelled), each with its source's size
    // and time: later refreshes leave them to the next save until the source changes.
    std::set<std::string> CopiesLeftToSave;

    DisplaySetting Display;
    ImagePanel Panel;
    History Edits;  // undo and redo, and what was last saved

    // A fresh, empty project whose main window markers fit the current image.
    std::unique_ptr<Project> NewProject() const;
    TTimePLData* Current() { return Prj->Current(); }
    const TTimePLData* Current() const { return Prj->Current(); }

private:
    friend void ChooseWindow(Editor& ed, int window);
    int chosen_ = -1;
};

}  // namespace kestrel
