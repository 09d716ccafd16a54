// The playlist dialog alone, over a plain widget standing in for the main window.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QHeaderView>
#include <QSpinBox>
#include <QTableWidget>
#include <QWheelEvent>
#include <QtTest>

#include "layout/WindowList.h"
#include "layout/WindowChoice.h"
#include "playlist/PLData.h"
#include "support/FakePlatform.h"

using namespace kestrel;

class PLFormTest : public QObject {
    Q_OBJECT
private slots:
    void addFilesSetVolumeAndOk();
    void cancelLeavesTheModel();
    void screenshotWithLongPaths();
    void volumeBoxReachesHundredAndTypesTwoDigits_data();
    void volumeBoxReachesHundredAndTypesTwoDigits();
    void emptiedVolumeBoxWritesZero();
    void openBoxStaysOverItsCellWhenTheGridScrollsOrResizes();
    void gridAlwaysStartsAtTheLeftEdge();
    void rightClickKeepsTheSelectionTheMenuActsOn();
    void keysOfTheGrid();
    void finishedWithTheKeys_data();
    void finishedWithTheKeys();
    void columnTitlesHaveEnglishTooltips();
};

namespace {
struct Setup {
    FakePlatform fake;
    Editor ed{fake};
    QWidget main;
    TPLForm form{&main, ed};
    Setup() {
        ed.Prj->TimeCount = 1;
        ed.Prj->CurTimeIndex = 0;
        main.resize(1000, 700);
        main.show();
    }
    // Opens the editor on the main window (0) or SubWin1 (1).
    void Open(int win = 0) {
        ed.Prj->TimePL[0].SubWinCount = 1;
        ed.ListedSubWins = 1;
        ChooseWindow(ed, win);
        QVERIFY(CanEditPlaylist(ed));
        form.ShowOverMain();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    QTableWidget* grid() { return form.Grid(); }
    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, col));
        QTest::mouseClick(grid()->viewport(), button, {}, cell.center());
    }
    QString cell(int row, int col) { return grid()->item(row, col)->text(); }
    // A left click on a number cell: its box, shown with the focus once the click is done.
    QSpinBox* openBox(int row, int col) {
        clickCell(row, col);
        QSpinBox* box = col == 1 ? form.VolumeBox() : form.RepeatBox();
        QTest::qWaitFor([box] { return box->isVisible() && box->hasFocus(); });
        return box;
    }
    QAction* action(const QString& text) {
        for (QAction* a : form.Popup()->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
    // A main window playlist of n files f0, f1, ...
    void MainFiles(int n) {
        auto& main = ed.Prj->TimePL[0].MainWin;
        main.PLCount = n;
        for (int i = 0; i < n; ++i) main.PL[i] = {1, 50, "/media/f" + std::to_string(i) + ".avi"};
    }
};

// Whether the grid shows column 0 from its left edge and nothing lies beyond its width.
bool Unscrolled(QTableWidget* grid) {
    int total = 0;
    for (int c = 0; c < grid->columnCount(); ++c) total += grid->columnWidth(c);
    return grid->horizontalScrollBar()->value() == 0 && grid->columnViewportPosition(0) == 0 &&
           total <= grid->viewport()->width();
}
}  // namespace

void PLFormTest::addFilesSetVolumeAndOk() {
    Setup s;
    s.Open();
    QVERIFY(!s.main.isEnabled());
    QStringList menu;
    for (QAction* a : s.form.Popup()->actions()) menu << (a->isSeparator() ? "-" : a->text());
    QCOMPARE(menu, QStringList({"Add Files", "Insert Files", "-", "Delete Items", "-", "Move Up", "Move Down"}));
    s.fake.fileLists.push_back({"/media/a.jpg", "/media/b.avi"});
    s.form.AddFiles();
    QTableWidget* grid = s.form.Grid();
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(1, 0)->text(), QString("/media/b.avi"));

    // A left click on the volume cell of the second row opens the box over it.
    const QRect cell = grid->visualRect(grid->model()->index(1, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(s.form.VolumeBox()->isVisible());
    QCOMPARE(s.form.VolumeBox()->value(), 50);
    const QPoint boxAt = s.form.VolumeBox()->mapTo(&s.form, QPoint(0, 0));
    const QPoint cellAt = grid->viewport()->mapTo(&s.form, cell.topLeft());
    QCOMPARE(boxAt.x(), cellAt.x());
    QCOMPARE(boxAt.y(), cellAt.y() + 1);
    s.form.VolumeBox()->setValue(70);
    QCOMPARE(grid->item(1, 1)->text(), QString("70"));

    QTest::mouseClick(s.form.OkButton(), Qt::LeftButton);
    QVERIFY(!s.form.isVisible());
    QVERIFY(s.main.isEnabled());
    const TMainWinData& w = s.ed.Prj->TimePL[0].MainWin;
    QCOMPARE(w.PLCount, 2);
    QCOMPARE(QString::fromStdString(w.PL[0].FileName), QString("/media/a.jpg"));
    QCOMPARE(w.PL[0].Vol, 50);
    QCOMPARE(w.PL[1].Vol, 70);
    QCOMPARE(w.PL[1].Interval, 1);
}

void PLFormTest::cancelLeavesTheModel() {
    Setup s;
    s.Open();
    s.fake.fileLists.push_back({"/media/a.jpg"});
    s.form.AddFiles();
    s.form.close();  // the close box
    QVERIFY(s.main.isEnabled());
    QCOMPARE(s.ed.Prj->TimePL[0].MainWin.PLCount, 0);
}

void PLFormTest::screenshotWithLongPaths() {
    Setup s;
    s.Open();
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i)
        files.push_back("/home/shop/advertising/campaigns/2026/spring-season/window-displays/clip_" +
                        std::to_string(i) + "_summer_sale.avi");
    s.fake.fileLists.push_back(files);
    s.form.AddFiles();
    QTableWidget* grid = s.form.Grid();
    // The file's own name stays visible: the cell elides on the left.
    QCOMPARE(grid->textElideMode(), Qt::ElideLeft);
    QVERIFY(grid->item(0, 0)->textAlignment() & Qt::AlignRight);
    const QString shot = qEnvironmentVariable("KESTREL_SHOT");
    if (!shot.isEmpty()) s.form.grab().save(shot);
}

// The arrows reach 100 and the cell and the model get "100", for a volume and for a
// sub window's times alike; typing stops at two characters.
void PLFormTest::volumeBoxReachesHundredAndTypesTwoDigits_data() {
    QTest::addColumn<int>("win");
    QTest::newRow("main window volume") << 0;
    QTest::newRow("sub window times") << 1;
}
void PLFormTest::volumeBoxReachesHundredAndTypesTwoDigits() {
    QFETCH(int, win);
    Setup s;
    s.Open(win);
    s.fake.fileLists.push_back({"/media/a.jpg"});
    s.form.AddFiles();
    QSpinBox* box = s.openBox(0, 1);
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, "99");
    QCOMPARE(s.cell(0, 1), QString("99"));
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->text(), QString("100"));
    QCOMPARE(s.cell(0, 1), QString("100"));
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_5);  // typed onto the three digits: refused
    QCOMPARE(box->text(), QString("100"));

    QTest::mouseClick(s.form.OkButton(), Qt::LeftButton);
    const auto& sec = s.ed.Prj->TimePL[0];
    QCOMPARE(win == 0 ? sec.MainWin.PL[0].Vol : sec.SubWin[1].PL[0].Times, 100);

    // Typed anew: two digits, the third does not land.
    s.Open(win);
    QVERIFY(s.openBox(0, 1)->hasFocus());
    QTest::keyClicks(box, "123");
    QCOMPARE(box->text(), QString("12"));
    QCOMPARE(s.cell(0, 1), QString("12"));
}

void PLFormTest::emptiedVolumeBoxWritesZero() {
    Setup s;
    s.MainFiles(1);
    s.ed.Prj->TimePL[0].MainWin.PL[0].Vol = 70;
    s.Open();
    QSpinBox* box = s.openBox(0, 1);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->text(), QString("70"));
    QTest::keyClick(box, Qt::Key_Backspace);  // the whole text is selected
    QCOMPARE(box->text(), QString());
    QCOMPARE(s.cell(0, 1), QString("0"));
    QTest::mouseClick(s.form.OkButton(), Qt::LeftButton);
    QCOMPARE(s.ed.Prj->TimePL[0].MainWin.PL[0].Vol, 0);
}

// After a sub window's grid was moved to its last column, the main window's long list
// (with its vertical scroll bar) still opens on column 0, and a click on an interval
// cell does not shift it; every opening starts unscrolled.
// A wider dialog or the wheel moves the cells under an open box: the box moves with its
// cell, and once the cell has left the view it closes, so that nothing typed lands in a
// row the user no longer sees it over.
void PLFormTest::openBoxStaysOverItsCellWhenTheGridScrollsOrResizes() {
    Setup s;
    s.MainFiles(40);
    s.Open();
    QTableWidget* grid = s.grid();
    QSpinBox* box = s.openBox(4, 1);
    QVERIFY(box->hasFocus());
    auto wheelDown = [&](int rows) {
        const QPoint at = grid->viewport()->rect().center();
        QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, -40 * rows}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
    };
    auto cellAt = [&](int row) {
        return grid->viewport()->mapTo(&s.form, grid->visualRect(grid->model()->index(row, 1)).topLeft());
    };

    s.form.resize(s.form.width() + 120, s.form.height());
    QTRY_COMPARE(box->mapTo(&s.form, QPoint(0, 0)), cellAt(4) + QPoint(0, 1));

    wheelDown(1);
    QVERIFY(grid->verticalScrollBar()->value() > 0);
    QVERIFY(box->isVisible());
    QCOMPARE(box->mapTo(&s.form, QPoint(0, 0)), cellAt(4) + QPoint(0, 1));

    wheelDown(5);
    QVERIFY(grid->verticalScrollBar()->value() > 4);
    QVERIFY(!box->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), "7");
    QCOMPARE(s.cell(4, 1), QString("50"));
}

void PLFormTest::gridAlwaysStartsAtTheLeftEdge() {
    Setup s;
    auto& sub = s.ed.Prj->TimePL[0].SubWin[1];
    s.ed.Prj->TimePL[0].FileList = {"a.jpg"};
    sub.PLCount = 1;
    sub.PL[0] = {0, 3, "/media/a.jpg"};
    s.MainFiles(25);
    s.Open(1);
    QVERIFY(s.openBox(0, 1)->isVisible());
    s.grid()->setFocus();
    QTest::keyClick(s.grid(), Qt::Key_End);
    QTest::keyClick(s.grid(), Qt::Key_Right);
    QVERIFY(Unscrolled(s.grid()));
    s.form.close();

    s.Open(0);
    QTRY_VERIFY(s.grid()->verticalScrollBar()->isVisible());
    QVERIFY(Unscrolled(s.grid()));
    QVERIFY(s.openBox(0, 2)->isVisible());
    QVERIFY(Unscrolled(s.grid()));
    QCOMPARE(s.grid()->visualRect(s.grid()->model()->index(0, 0)).left(), 0);
    const QString shot = qEnvironmentVariable("KESTREL_SHOT_UNSCROLLED");
    if (!shot.isEmpty()) s.form.grab().save(shot);
    s.form.close();

    s.form.resize(700, 499);  // wider or narrower, the columns follow the view
    s.Open(0);
    QVERIFY(Unscrolled(s.grid()));
}

// Rows 1 and 2 selected, a right click on row 4: "Delete Items" deletes rows 1 and 2.
void PLFormTest::rightClickKeepsTheSelectionTheMenuActsOn() {
    Setup s;
    s.MainFiles(5);
    s.Open();
    s.grid()->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 2), true);
    s.clickCell(3, 1, Qt::RightButton);
    QVERIFY(!s.form.VolumeBox()->isVisible());
    const auto ranges = s.grid()->selectedRanges();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges[0].topRow(), 0);
    QCOMPARE(ranges[0].bottomRow(), 1);
    s.action("Delete Items")->trigger();
    QCOMPARE(s.grid()->rowCount(), 3);
    QCOMPARE(s.cell(0, 0), QString("/media/f2.avi"));
    QCOMPARE(s.cell(2, 0), QString("/media/f4.avi"));
}

// Enter opens the box of the current number cell, Esc closes it and gives the cell its
// value back (the dialog stays open), Delete deletes the selected rows.
void PLFormTest::keysOfTheGrid() {
    Setup s;
    s.MainFiles(3);
    s.ed.Prj->TimePL[0].MainWin.PL[1].Interval = 7;
    s.Open();
    QTableWidget* grid = s.grid();
    grid->setFocus();
    grid->setCurrentCell(1, 2);
    QTest::keyClick(grid, Qt::Key_Return);
    QSpinBox* repeat = s.form.RepeatBox();
    QTRY_VERIFY(repeat->isVisible() && repeat->hasFocus());
    QCOMPARE(repeat->value(), 7);
    QTest::keyClick(repeat, Qt::Key_Up);
    QCOMPARE(s.cell(1, 2), QString("8"));
    QTest::keyClick(repeat, Qt::Key_Escape);
    QVERIFY(s.form.isVisible());
    QVERIFY(!repeat->isVisible());
    QCOMPARE(s.cell(1, 2), QString("7"));

    grid->setCurrentCell(0, 0);  // the file column has no box
    QTest::keyClick(grid, Qt::Key_Enter);
    QTest::qWait(20);
    QVERIFY(!s.form.VolumeBox()->isVisible() && !repeat->isVisible());

    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 2), true);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(s.cell(0, 0), QString("/media/f0.avi"));
    QTest::mouseClick(s.form.OkButton(), Qt::LeftButton);
    QCOMPARE(s.ed.Prj->TimePL[0].MainWin.PLCount, 1);
    QCOMPARE(s.ed.Prj->TimePL[0].MainWin.PL[0].Interval, 1);
}

// With the keys alone: a row deleted and a volume typed into its box, then these keys,
// each to the widget that has them. OK stores both, Cancel and Esc store neither.
void PLFormTest::finishedWithTheKeys_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("lastKeyOn");  // the widget that has the keys for the last one
    QTest::addColumn<bool>("stored");
    QTest::newRow("Tab to OK, Return") << QStringList{"Tab", "Return"} << "SpeedButton_OK" << true;
    QTest::newRow("Tab to OK, Space") << QStringList{"Tab", "Space"} << "SpeedButton_OK" << true;
    QTest::newRow("Tab to OK, keypad Enter") << QStringList{"Tab", "Keypad+Enter"} << "SpeedButton_OK" << true;
    QTest::newRow("Tab to Cancel, Return") << QStringList{"Tab", "Tab", "Return"} << "SpeedButton_Cancel" << false;
    QTest::newRow("Tab to Cancel, Space") << QStringList{"Tab", "Tab", "Space"} << "SpeedButton_Cancel" << false;
    QTest::newRow("Shift+Tab to the grid, round to Cancel")
        << QStringList{"Shift+Tab", "Shift+Tab", "Return"} << "SpeedButton_Cancel" << false;
    QTest::newRow("Tab round to the grid and OK")
        << QStringList{"Tab", "Tab", "Tab", "Tab", "Return"} << "SpeedButton_OK" << true;
    QTest::newRow("Ctrl+Return in the open box") << QStringList{"Ctrl+Return"} << "SpinEdit_Volume" << true;
    QTest::newRow("Ctrl+Enter in the open box") << QStringList{"Ctrl+Keypad+Enter"} << "SpinEdit_Volume" << true;
    QTest::newRow("Ctrl+Enter on the grid") << QStringList{"Tab", "Shift+Tab", "Ctrl+Enter"} << "StringGrid_PL" << true;
    QTest::newRow("Ctrl+Return on Cancel") << QStringList{"Tab", "Tab", "Ctrl+Return"} << "SpeedButton_Cancel" << true;
    QTest::newRow("Esc closes the box, Esc discards") << QStringList{"Escape", "Escape"} << "StringGrid_PL" << false;
}
void PLFormTest::finishedWithTheKeys() {
    QFETCH(QStringList, keys);
    QFETCH(QString, lastKeyOn);
    QFETCH(bool, stored);
    Setup s;
    s.MainFiles(2);
    s.Open();
    s.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QTableWidget* grid = s.grid();
    QCOMPARE(QApplication::focusWidget(), grid);  // the dialog opens with the keys in the grid
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Return);  // opens the volume box of the first row
    QTRY_COMPARE(QApplication::focusWidget(), s.form.VolumeBox());
    QTest::keyClicks(QApplication::focusWidget(), "70");

    for (int i = 0; i < keys.size(); ++i) {
        QWidget* on = QApplication::focusWidget();
        QVERIFY2(on, qPrintable(keys[i]));
        if (i == keys.size() - 1) QCOMPARE(on->objectName(), lastKeyOn);
        // "Keypad+" marks the Enter of the number pad.
        QString key = keys[i];
        const bool keypad = key.contains("Keypad+");
        key.remove("Keypad+");
        const QKeyCombination combination = QKeySequence(key)[0];
        const auto modifiers = combination.keyboardModifiers() | (keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QTest::keyClick(on, combination.key(), modifiers);
        if (i == 0 && keys[i] == "Escape") {
            QVERIFY(s.form.isVisible());  // the first Esc closes only the box
            QVERIFY(!s.form.VolumeBox()->isVisible());
        }
    }
    QVERIFY(!s.form.isVisible());
    QVERIFY(s.main.isEnabled());
    const TMainWinData& w = s.ed.Prj->TimePL[0].MainWin;
    QCOMPARE(w.PLCount, stored ? 1 : 2);
    QCOMPARE(w.PL[0].Vol, stored ? 70 : 50);
}

void PLFormTest::columnTitlesHaveEnglishTooltips() {
    Setup s;
    for (int win : {0, 1}) {
        s.Open(win);
        QStringList titles, tips;
        for (int c = 0; c < s.grid()->columnCount(); ++c) {
            titles << s.grid()->horizontalHeaderItem(c)->text();
            tips << s.grid()->horizontalHeaderItem(c)->toolTip();
        }
        if (win == 0) {
            QCOMPARE(titles, QStringList({"文件", "音量", "间隔"}));
            QCOMPARE(tips, QStringList({"File", "Volume", "Interval"}));
        } else {
            QCOMPARE(titles, QStringList({"文件", "次数"}));
            QCOMPARE(tips, QStringList({"File", "Times"}));
        }
        s.form.close();
    }
}

QTEST_MAIN(PLFormTest)
#include "PLFormTest.moc"
