#pragma once
// The main window: tool bar, time section bar, window panel, image area and fields.
// Every event reaches the core through one door, RunCommand: it runs one core call,
// reports a failure once, and shows the view the core derives afterwards.

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>

#include "layout/Nudge.h"
#include "model/Editor.h"
#include "session/MainView.h"

class QAction;
class QAbstractButton;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;

namespace kestrel {

class ConventionDialog;
class ImageCanvas;
class PositionFields;
class WindowPanel;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(Editor& ed);
    ~TForm1() override;

    // The dialogs the main window opens, each built when it is first asked for.
    using DialogSource = std::function<ConventionDialog*()>;
    struct Dialogs {
        DialogSource About, PL, Setting, TL, Check, DayPlan;
    };
    void setDialogs(const Dialogs& dialogs);
    // When the dialog closes, the main window shows the view again and refreshes as
    // on activation.
    void RefreshAfter(ConventionDialog* dialog);

    // Shows the view the core derives now: only what differs from what is shown.
    void SyncView();
    // The title alone: the file's name and "*" while there are unsaved changes.
    void SyncTitle();
    // What the window shows now.
    const MainView& View() const { return *shown_; }

    Editor& editor() { return ed_; }
    ImageCanvas* canvas() const { return imgBmp_; }
    QAction* action(CommandId id) const { return actions_[static_cast<size_t>(id)]; }

    // The one door into the core: runs the call at the event boundary (a failure it
    // throws is shown with its text in a plain box) and shows the view again. With
    // takesTypedValue, a value still being typed in a position field is applied first,
    // as leaving the field would.
    void RunCommand(const std::function<void()>& command, bool takesTypedValue = false);
    // A command of the table, as its menu item, tool button or shortcut runs it.
    void Perform(CommandId id);

    // Chooses a section and a window in it, as the time list and the window list do
    // (for a finding or the day plan); window -1 chooses none.
    void ChooseSection(int section, int window = -1);

signals:
    // What the window shows has changed.
    void ViewSynced();
    // Closing was confirmed: windows that go with the main window close now.
    void Closing();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildRecentMenu(QMenu* file);
    void buildStatusBar();
    void buildToolBar(QWidget* client);
    void buildTimeBar(QWidget* client);
    void buildWorkArea(QWidget* client);
    void buildImageArea(QWidget* work);
    void ShowPointer(const QPoint* p);  // null: the pointer left the picture
    void ShowTimeList(const MainView& v, const MainView* was);
    void ShowCommands(const MainView& v);
    void PlaceImagePanel(const ImagePanel& panel);
    void ShowDialog(const DialogSource& dialog);
    void FollowUp(Follow follow);
    bool NudgeKey(QKeyEvent* key, KeyPlace place);
    void OpenPlaylist(const std::function<bool()>& choose);

    Editor& ed_;
    Dialogs dialogs_;
    bool inCommand_ = false;
    bool fieldsApplied_ = false;    // the last command applied typed values
    std::optional<MainView> shown_;  // what the widgets show

    std::array<QAction*, CommandCount> actions_{};
    QFrame* tbToolbar_ = nullptr;
    QComboBox* ComboBox_TimeList_ = nullptr;
    WindowPanel* panel_ = nullptr;
    QFrame* Panel_ImageParent_ = nullptr;
    QFrame* Panel_Image_ = nullptr;
    ImageCanvas* imgBmp_ = nullptr;
    PositionFields* fields_ = nullptr;
    QMenu* OpenRecent1_ = nullptr;
    QLabel* pointerStatus_ = nullptr;
    QLabel* windowStatus_ = nullptr;
};

}  // namespace kestrel
