#pragma once
// What the main window shows, derived from the project and the choice in one place after
// every command: handlers change the project and the choice, never what is shown. The
// Qt window copies what differs into its widgets; tests read it without a screen.

#include <array>
#include <string>
#include <vector>

#include "model/Editor.h"
#include "session/Commands.h"

namespace kestrel {

// A window's marker as the picture paints it.
struct MarkerView {
    int Window = 0;       // 0 the main window, 1 to 8 a sub window
    Shape Rect;           // in image panel pixels
    bool Chosen = false;  // red hatch and outline; otherwise yellow hatch, silver outline
    std::string Label;    // "Main", "SubWin1"
    bool operator==(const MarkerView&) const = default;
};

struct CommandView {
    bool Enabled = true;
    bool Checked = false;
    std::string Text;
    bool operator==(const CommandView&) const = default;
};

struct MainView {
    std::string Title;  // "plan.XML[*] — Kestrel"; Qt shows "*" for [*] while Modified
    bool Modified = false;

    std::vector<std::string> TimeList;  // ComboBox_TimeList's entries
    int TimeListIndex = -1;             // its chosen entry
    std::vector<std::string> SubWinList;  // ListBox_SubWin's items
    int SubWinListIndex = -1;             // its selected item
    bool MainWinPanelBlue = false;      // Panel_MainWin: blue while chosen, sky blue otherwise
    PosTexts PosFields;                 // Edit_Left, _Top, _Width, _Height
    bool PosFieldsEnabled = false;      // a window is chosen to take typed values
    std::string BGFileField;            // Edit_BGFile
    std::string WindowStatus;           // the status bar's line on the chosen window

    ImagePanel Panel;  // Panel_Image and imgBmp fitted to the display
    PictureKind Picture = PictureKind::Default;
    std::string PictureFile;  // the file shown when Picture is File
    std::vector<MarkerView> Markers;  // in painting order: the main window first
    Cursor ImageCursor = Cursor::Arrow;
    int SnapGuideX = -1;  // the edge lines a drag snapped to (-1: none)
    int SnapGuideY = -1;

    std::array<CommandView, CommandCount> Commands;

    const CommandView& Command(CommandId id) const { return Commands[static_cast<size_t>(id)]; }
    bool operator==(const MainView&) const = default;
};

MainView DeriveMainView(const Editor& ed);

}  // namespace kestrel
