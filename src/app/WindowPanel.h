#pragma once
// The window panel on the left of the main window: "Main Window", the sub window list
// with its menu, and the background box. It tells what the user does in it; the main
// window runs the commands and shows the view in it again.

#include <QFrame>
#include <functional>

#include "session/MainView.h"

class QAction;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QMenu;

namespace kestrel {

class ClickPanel;

class WindowPanel : public QFrame {
    Q_OBJECT
public:
    // arrowKey: an arrow key in the list, true when it nudged the chosen window.
    WindowPanel(QWidget* parent, QAction* addSubWin, QAction* delSubWin, QAction* selectBackground,
                std::function<bool(QKeyEvent*)> arrowKey);

    // Shows the view; was is what it showed before (null the first time).
    void showView(const MainView& v, const MainView* was);

signals:
    void mainWindowClicked();
    void mainWindowDoubleClicked();
    void subWindowChosen(int row);
    void subWindowOpened(int row);  // a double click or Return on it

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList(QAction* addSubWin, QAction* delSubWin);
    void buildBackground(QAction* selectBackground);

    std::function<bool(QKeyEvent*)> arrowKey_;
    ClickPanel* Panel_MainWin_ = nullptr;
    QListWidget* ListBox_SubWin_ = nullptr;
    QMenu* PopupMenu1_ = nullptr;
    QLineEdit* Edit_BGFile_ = nullptr;
};

}  // namespace kestrel
