// What the main window shows and what it changes stay one: roads through the real widgets
// on which the window once showed one window while a typed value, a nudge or a save went
// to another, a drag moved edges it did not touch, or a command stayed offered where it
// could do nothing.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "app/about.h"
#include "timesections/TimerList.h"
#include "playlist/PLData.h"
#include "support/ModalDriver.h"
#include "support/UserHand.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

namespace {
QRect Model(const TSubWinData& w) { return QRect(w.Left, w.Top, w.Width, w.Height); }
QRect Model(const TMainWinData& w) { return QRect(w.Left, w.Top, w.Width, w.Height); }
}  // namespace

class ShownAndChangedTest : public QObject, public test::UserHand {
    Q_OBJECT

    TTimePLData& sec(int i = 0) { return app->ed.Prj->TimePL[i]; }
    void typeRect(const QRect& r) {
        typeField(0, QString::number(r.x()));
        typeField(1, QString::number(r.y()));
        typeField(2, QString::number(r.width()));
        typeField(3, QString::number(r.height()));
    }
    QString status() { return child<QLabel>("Status_Window")->text(); }
    bool panelBlue() { return child("Panel_MainWin")->palette().color(QPalette::Window) == QColor(0, 0, 255); }
    // The canvas pixel a marker's outline lies on (markers are in panel pixels).
    QColor outlineOf(const Shape& s) { return canvas()->grab().toImage().pixelColor(s.Left, s.Top + s.Height / 2); }
    QAction* action(const char* name) { return form().findChild<QAction*>(name); }
    // Opens the main window's playlist with a double click and closes it with Cancel.
    void openAndCancelMainPlaylist() {
        doubleClick(child("Panel_MainWin"), QPoint(20, 20));
        QVERIFY(app->PLForm->isVisible());
        app->PLForm->close();
        QVERIFY(form().isEnabled());
    }
    // A section whose main window is placed and whose SubWin1, drawn right of it, is
    // then typed to rect.
    void sectionWithSubWindow(const QRect& rect) {
        newSection(8, 0, 9, 0);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        addSubWindow();
        clickSub(0);
        hover(QPoint(450, 50));
        drag(QPoint(450, 50), {QPoint(550, 150)});
        typeRect(rect);
        QCOMPARE(Model(sec().SubWin[1]), rect);
    }

private slots:
    void init() {
        QApplication::setActiveWindow(nullptr);
        QVERIFY(Start());
        QApplication::setActiveWindow(&form());
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        if (!action("Snap1")->isChecked()) action("Snap1")->trigger();  // as a test left it
    }
    void cleanup() { Stop(); }

    // Main Window's playlist opened by a double click twice, with SubWin1 chosen between:
    // everything then shows the main window, and a typed value goes to it.
    void aDoubleClickChoosesTheMainWindowEverywhere() {
        sectionWithSubWindow(QRect(950, 20, 200, 150));
        openAndCancelMainPlaylist();
        clickSub(0);
        openAndCancelMainPlaylist();
        QCOMPARE(selectedSub(), -1);
        QVERIFY(panelBlue());
        QVERIFY(status().startsWith("Main Window:"));
        QCOMPARE(fields(), (QStringList{"0", "0", "763", "764"}));
        typeField(0, "100");
        QCOMPARE(sec().MainWin.Left, 100);
        QCOMPARE(Model(sec().SubWin[1]), QRect(950, 20, 200, 150));
    }

    // The first click on Main Window after a double click opened and closed its playlist.
    void theClickAfterADoubleClickIsNotLost() {
        sectionWithSubWindow(QRect(950, 20, 200, 150));
        openAndCancelMainPlaylist();
        clickSub(0);
        QCOMPARE(selectedSub(), 0);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(selectedSub(), -1);
        QVERIFY(panelBlue());
        QVERIFY(status().startsWith("Main Window:"));
    }

    // A handle drag moves only the edges of its handle; the others keep their stored
    // screen pixels, also next to a neighbour they were snapped to.
    void aResizeMovesOnlyTheDraggedEdges_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("edge");  // 0 top, 1 bottom
        QTest::addColumn<bool>("snap");
        QTest::newRow("bottom up, snapping") << QRect(960, 0, 400, 300) << 1 << true;
        QTest::newRow("bottom up, no snapping") << QRect(960, 0, 400, 300) << 1 << false;
        QTest::newRow("top down") << QRect(700, 400, 300, 200) << 0 << true;
        // SubWin1 starts on the main window's right edge.
        QTest::newRow("left edge on a neighbour's right edge") << QRect(763, 400, 300, 200) << 1 << true;
    }
    void aResizeMovesOnlyTheDraggedEdges() {
        QFETCH(QRect, rect);
        QFETCH(int, edge);
        QFETCH(bool, snap);
        if (!snap) action("Snap1")->trigger();
        sectionWithSubWindow(rect);
        const Shape s = *sec().SubWin[1].Shape;
        const QPoint handle(s.Left + s.Width / 2, edge == 0 ? s.Top : s.Top + s.Height);
        hover(handle);
        drag(handle, {handle + QPoint(0, edge == 0 ? 10 : -5), handle + QPoint(0, edge == 0 ? 20 : -10)});
        const QRect after = Model(sec().SubWin[1]);
        QCOMPARE(after.x(), rect.x());
        QCOMPARE(after.width(), rect.width());
        if (edge == 0) {
            QVERIFY(after.y() > rect.y());
            QCOMPARE(after.bottom(), rect.bottom());
        } else {
            QCOMPARE(after.y(), rect.y());
            QVERIFY(after.height() < rect.height());
        }
        if (!snap) action("Snap1")->trigger();
    }

    // A drag that comes back to where it started changes nothing: no step, no "*".
    void aDragBackToItsStartChangesNothing() {
        sectionWithSubWindow(QRect(811, 100, 300, 200));  // its left edge is off the picture's pixel grid
        const int steps = static_cast<int>(app->ed.Edits.StepCount());
        const QString undo = action("Undo1")->text();
        const Shape s = *sec().SubWin[1].Shape;
        const QPoint inside(s.Left + 20, s.Top + 20);
        const QPoint corner(s.Left + s.Width, s.Top + s.Height);
        hover(inside);
        drag(inside, {inside + QPoint(30, 12), inside});
        hover(corner);
        drag(corner, {corner - QPoint(40, 25), corner});
        QCOMPARE(Model(sec().SubWin[1]), QRect(811, 100, 300, 200));
        QCOMPARE(static_cast<int>(app->ed.Edits.StepCount()), steps);
        QCOMPARE(action("Undo1")->text(), undo);
    }

    // A sub window not drawn yet is placed by typing and then nudged with the arrows.
    void aSubWindowIsPlacedByTyping() {
        newSection(8, 0, 9, 0);
        addSubWindow();
        clickSub(0);
        typeRect(QRect(960, 0, 400, 300));
        QCOMPARE(Model(sec().SubWin[1]), QRect(960, 0, 400, 300));
        QVERIFY(sec().SubWin[1].Shape && sec().SubWin[1].Shape->Visible);
        QCOMPARE(outlineOf(*sec().SubWin[1].Shape), QColor(255, 0, 0));
        QVERIFY(status().startsWith("SubWin1: Start X 960"));
        canvas()->setFocus();
        QTest::keyClick(canvas(), Qt::Key_Left);
        QCOMPARE(sec().SubWin[1].Left, 959);
        QCOMPARE(fields()[0], QString("959"));
    }

    // Fields and commands that would do nothing are not offered.
    void onlyWhatCanActIsEnabled() {
        for (const char* name : {"SBtn_EditTimeList", "SBtn_DeleteTimeList", "SBtn_BGFile"})
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        for (int i = 0; i < 4; ++i) QVERIFY(!posField(i)->isEnabled());
        QVERIFY(!child("TBtnDeleteSel")->isEnabled());

        newSection(8, 0, 9, 0);  // a new section: nothing chosen yet
        for (const char* name : {"SBtn_EditTimeList", "SBtn_DeleteTimeList", "SBtn_BGFile"})
            QVERIFY2(child<QPushButton>(name)->isEnabled(), name);
        for (int i = 0; i < 4; ++i) QVERIFY(!posField(i)->isEnabled());
        addSubWindow();
        QVERIFY(!child("TBtnDeleteSel")->isEnabled());
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        for (int i = 0; i < 4; ++i) QVERIFY(posField(i)->isEnabled());
        QVERIFY(!child("TBtnDeleteSel")->isEnabled());
        clickSub(0);
        QVERIFY(child("TBtnDeleteSel")->isEnabled());
    }

    // A new section after one with eight sub windows can have sub windows of its own.
    void aNewSectionAfterAFullOneTakesSubWindows() {
        newSection(8, 0, 9, 0);
        for (int i = 0; i < MaxSubWin; ++i) addSubWindow();
        QVERIFY(!action("AddSubWin")->isEnabled());
        newSection(9, 0, 10, 0);
        QVERIFY(action("AddSubWin")->isEnabled());
        addSubWindow();
        QCOMPARE(subItems(), QStringList{"SubWin1"});
        QCOMPARE(sec(1).SubWinCount, 1);
    }

    // A held arrow key is one step, so earlier work stays undoable.
    void nudgesOfOneWindowAreOneStep() {
        sectionWithSubWindow(QRect(100, 100, 400, 300));
        const int steps = static_cast<int>(app->ed.Edits.StepCount());
        canvas()->setFocus();
        for (int i = 0; i < 150; ++i) QTest::keyClick(canvas(), Qt::Key_Right);
        QCOMPARE(sec().SubWin[1].Left, 250);
        QCOMPARE(static_cast<int>(app->ed.Edits.StepCount()), steps + 1);
        QCOMPARE(action("Undo1")->text(), QString("&Undo Move SubWin1"));
        action("Undo1")->trigger();
        QCOMPARE(sec().SubWin[1].Left, 100);
        while (action("Undo1")->isEnabled() && action("Undo1")->text() != "&Undo Add Time Section")
            action("Undo1")->trigger();
        QCOMPARE(action("Undo1")->text(), QString("&Undo Add Time Section"));
    }

    // The free drag takes a key the desktop leaves to the editor: Ctrl, not Alt, which
    // window managers take for moving the whole window.
    void ctrlDragsFreely() {
        newSection(8, 0, 9, 0);
        addSubWindow();
        clickSub(0);
        const QPoint from(100, 100), nearRight(717, 200);  // 3 picture pixels off the right edge
        hover(from);
        QTest::mousePress(canvas(), Qt::LeftButton, Qt::ControlModifier, from);
        QTest::mouseMove(canvas(), nearRight);
        QMouseEvent move(QEvent::MouseMove, nearRight, canvas()->mapToGlobal(nearRight), Qt::LeftButton,
                         Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(canvas(), &move);
        QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::ControlModifier, nearRight);
        const TSubWinData& w = sec().SubWin[1];
        QVERIFY2(w.Left + w.Width < 1360, qPrintable(QString::number(w.Left + w.Width)));
    }

    // After Open nothing of the project before stays chosen.
    void openChoosesNoWindow() {
        sectionWithSubWindow(QRect(950, 20, 200, 150));
        QTemporaryDir dir;
        const QString file = dir.filePath("plan.XML");
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, file); });
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QVERIFY(QFile::exists(file));
        clickSub(0);

        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, file); });
        QTest::mouseClick(child("btnOpenPrj"), Qt::LeftButton);
        QCOMPARE(driver.pendingCount(), 0);
        QCOMPARE(selectedSub(), -1);
        QVERIFY(!panelBlue());
        QVERIFY(status().isEmpty());
        QCOMPARE(fields(), (QStringList{"", "", "", ""}));
        QVERIFY(!posField(0)->isEnabled());
        QCOMPARE(outlineOf(*sec().SubWin[1].Shape), QColor(192, 192, 192));
    }

    // A Save as that fails leaves the project's name, and with it the title and the next
    // Save, as they were.
    void aFailedSaveAsKeepsTheName() {
        QTemporaryDir dir;
        const QString kept = dir.filePath("kept.XML");
        QFile f(kept);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        newSection(8, 0, 9, 0);
        const QString title = form().windowTitle();
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, kept); });
        driver.answer({QMessageBox::Yes, QMessageBox::Ok});  // replace it?, then the failure
        action("SaveAs")->trigger();
        QCOMPARE(driver.seen.size(), 2);
        QVERIFY(driver.seen[1].text.contains("write-protected"));
        QCOMPARE(form().windowTitle(), title);
        QVERIFY(app->ed.Prj->PrjFileName.empty());
        bool asked = false;
        driver.fileDialog([&](QFileDialog* d) {
            asked = true;
            static_cast<QDialog*>(d)->reject();
        });
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QVERIFY(asked);
    }

    // A deleted sub window's files leave its section's list, in the saved file too, even
    // when the section was not the one shown at the save.
    void aDeletedSubWindowsFilesLeaveTheSavedList() {
        QTemporaryDir media, folder;
        for (const char* name : {"a.jpg", "b.jpg"}) {
            QFile f(media.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(name);
        }
        newSection(8, 0, 9, 0);
        addSubWindow();
        addSubWindow();
        // Each sub window plays one picture, as their playlists stored them.
        for (int j = 1; j <= 2; ++j) {
            sec().SubWin[j].PLCount = 1;
            sec().SubWin[j].PL[0] = {0, 1, media.filePath(j == 1 ? "a.jpg" : "b.jpg").toStdString()};
        }
        // The list is rebuilt when the main window is active again, here after the about box.
        child<QToolButton>("tbsButton")->click();
        app->AboutFrm->close();
        QCOMPARE(sec().FileList, (std::vector<std::string>{"a.jpg", "b.jpg"}));
        clickSub(1);
        child<QToolButton>("TBtnDeleteSel")->click();
        QCOMPARE(subItems(), QStringList{"SubWin1"});
        // A new section copying this layout is shown; the first is not shown at the save.
        QTest::mouseClick(child<QPushButton>("SBtn_NewTimeList"), Qt::LeftButton);
        app->TLForm->findChild<QComboBox*>()->setCurrentIndex(1);
        fillTimes(9, 0, 10, 0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);

        const QString file = folder.filePath("plan.XML");
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, file); });
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.contains("<P>a.jpg</P>"));
        QVERIFY2(!bytes.contains("b.jpg"), bytes.constData());
        QVERIFY(!QFile::exists(folder.filePath("b.jpg")));
    }
};

KESTREL_WINDOW_TEST_MAIN(ShownAndChangedTest)
#include "ShownAndChangedTest.moc"
