#pragma once
// The main window: tool bar, time section bar, window panel, image area and fields.
// Each widget event copies the user's input into ed.View, calls one core handler and
// shows the core's state again; a failure is reported once, here, and the program goes on.

#include <QMainWindow>
#include <functional>

#include "layout/Nudge.h"
#include "model/Editor.h"

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

namespace kestrel {

class ConventionDialog;
class ImageCanvas;
class ClickPanel;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(Editor& ed);

    // The dialogs the main window opens, each built when it is first asked for.
    using DialogSource = std::function<ConventionDialog*()>;
    struct Dialogs {
        DialogSource About, PL, Setting, TL, Check, DayPlan;
    };
    void setDialogs(const Dialogs& dialogs);
    // When the dialog closes, the main window shows the view again and refreshes as
    // on activation.
    void RefreshAfter(ConventionDialog* dialog);

    // Copies ed.View and the markers into the widgets: only what differs.
    void SyncView();
    // The title alone: the file's name and "*" while there are unsaved changes.
    void SyncTitle();

    Editor& editor() { return ed_; }
    ImageCanvas* canvas() const { return imgBmp_; }

    // Runs one command at the event boundary: a failure it throws is shown with its
    // text in a plain box; the view is shown again either way.
    void RunCommand(const std::function<void()>& command);
    // New, Open, Save and a section chosen from another window take a value still being
    // typed in a position field as complete, as leaving the field would: a save holds
    // what the fields show, and nothing drops it unasked.
    void RunTakingTypedValue(const std::function<void()>& command);

    // Chooses a section and a window in it, as the time list and the window list do
    // (for a finding or the day plan); window -1 chooses none.
    void ChooseSection(int section, int window = -1);

signals:
    // The view has been shown again after a command.
    void ViewSynced();
    // Closing was confirmed: windows that go with the main window close now.
    void Closing();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildEditMenu();
    void buildRecentMenu(QMenu* file);
    void buildStatusBar();
    void ShowPointer(const QPoint* p);  // null: the pointer left the picture
    void buildToolBar(QWidget* client);
    void buildTimeBar(QWidget* client);
    void buildWorkArea(QWidget* client);
    void CollectInput();
    void SyncFields();
    void PlaceImagePanel();
    void ShowDialog(const DialogSource& dialog);
    void FormActivate();
    bool NudgeKey(QKeyEvent* key, KeyPlace place);
    void OpenSubWinPlaylist();

    // command handlers of this window
    void btnSettingClick();
    void btnHelpClick();

    Editor& ed_;
    Dialogs dialogs_;
    bool inCommand_ = false;

    QFrame* tbToolbar_ = nullptr;
    QComboBox* ComboBox_TimeList_ = nullptr;
    ClickPanel* Panel_MainWin_ = nullptr;
    QListWidget* ListBox_SubWin_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    QAction* AddSubWin_ = nullptr;
    QAction* DelSubWin_ = nullptr;
    QLineEdit* Edit_BGFile_ = nullptr;
    QFrame* Panel_ImageParent_ = nullptr;
    QFrame* Panel_Image_ = nullptr;
    ImageCanvas* imgBmp_ = nullptr;
    QLineEdit* posEdits_[4] = {};
    bool mainWinBlue_ = false;
    QAction* Undo1_ = nullptr;
    QAction* Redo1_ = nullptr;
    QMenu* OpenRecent1_ = nullptr;
    QLabel* pointerStatus_ = nullptr;
    QLabel* windowStatus_ = nullptr;
};

}  // namespace kestrel
