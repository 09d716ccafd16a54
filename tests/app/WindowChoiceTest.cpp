// The main window's choice of window, its position fields and its file dialogs, through
// the real widgets: which window a click, a key or a press on the picture chooses, and
// what typing and choosing do to the stored rectangles.

#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "model/DialogFolder.h"
#include "playlist/PLData.h"
#include "support/ModalDriver.h"
#include "support/UserHand.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

namespace {
QRect Model(const TSubWinData& w) { return QRect(w.Left, w.Top, w.Width, w.Height); }
QRect Model(const TMainWinData& w) { return QRect(w.Left, w.Top, w.Width, w.Height); }
QPoint Centre(const Shape& s) { return QPoint(s.Left + s.Width / 2, s.Top + s.Height / 2); }
}  // namespace

class WindowChoiceTest : public QObject, public test::UserHand {
    Q_OBJECT

    TTimePLData& sec(int i = 0) { return app->ed.Prj->TimePL[i]; }
    // A section with the main window squared and two sub windows drawn right of it.
    void twoDrawnSubWindows() {
        newSection(8, 0, 9, 0);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        addSubWindow();
        addSubWindow();
        clickSub(0);
        hover(QPoint(450, 50));
        drag(QPoint(450, 50), {QPoint(550, 150)});
        clickSub(1);
        hover(QPoint(600, 200));
        drag(QPoint(600, 200), {QPoint(700, 300)});
        QVERIFY(sec().SubWin[1].Shape && sec().SubWin[2].Shape);
    }

private slots:
    void init() {
        QSettings().remove(LastFolderSetting);
        QApplication::setActiveWindow(nullptr);
        QVERIFY(Start());
        QApplication::setActiveWindow(&form());
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }
    void cleanup() { Stop(); }

    // With the keys alone: Tab reaches Main Window, Space chooses it and Return opens its
    // playlist; in the window list Up chooses a sub window and Return opens its playlist;
    // after each the keys are back where they were.
    void theKeysChooseWindowsAndOpenTheirPlaylists() {
        twoDrawnSubWindows();
        clickSub(1);
        QWidget* mainPanel = child("Panel_MainWin");
        child("SBtn_DeleteTimeList")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), mainPanel);
        QTest::keyClick(mainPanel, Qt::Key_Space);
        QCOMPARE(app->ed.PLWinIndex(), 0);
        QCOMPARE(selectedSub(), -1);

        TPLForm* pl = nullptr;
        QTest::keyClick(mainPanel, Qt::Key_Return);
        pl = app->PLForm.get();
        QTRY_VERIFY(pl->isVisible());
        QCOMPARE(pl->Grid()->columnCount(), 3);  // the main window's playlist
        QTest::keyClick(pl, Qt::Key_Escape);
        QVERIFY(!pl->isVisible() && form().isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), mainPanel);  // the keys are back where they were

        QTest::keyClick(mainPanel, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), subList());
        QTest::keyClick(subList(), Qt::Key_Up);  // from SubWin2, chosen before
        QCOMPARE(app->ed.PLWinIndex(), 1);
        QTest::keyClick(subList(), Qt::Key_Return);
        QTRY_VERIFY(pl->isVisible());
        QCOMPARE(pl->Grid()->columnCount(), 2);
        QCOMPARE(app->ed.PLWinIndex(), 1);
        QTest::keyClick(pl, Qt::Key_Escape);
        QVERIFY(form().isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), subList());
    }

    // SubWin1 chosen, the pointer crosses the main window, the focus passes through the
    // fields without typing: no rectangle changes. Typed values go to SubWin1.
    void typedValuesGoToTheWindowTheFieldsShow() {
        twoDrawnSubWindows();
        clickSub(0);
        const QRect main = Model(sec().MainWin), first = Model(sec().SubWin[1]);
        hover(QPoint(100, 100));  // over the main window
        QTest::mouseClick(posField(0), Qt::LeftButton);
        QTRY_VERIFY(posField(0)->hasFocus());
        QTest::mouseClick(posField(1), Qt::LeftButton);
        QTRY_VERIFY(posField(1)->hasFocus());
        QCOMPARE(Model(sec().MainWin), main);
        QCOMPARE(Model(sec().SubWin[1]), first);

        typeField(0, "1000");
        QCOMPARE(sec().SubWin[1].Left, 1000);
        QCOMPARE(Model(sec().MainWin), main);
        QCOMPARE(fields()[0], QString("1000"));

        // Typed without Return, then another window chosen: the value still lands.
        typeField(1, "20", false);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(sec().SubWin[1].Top, 20);
        typeField(1, "30", false);
        const QPoint second = Centre(*sec().SubWin[2].Shape);
        hover(second);
        drag(second, {second});
        QCOMPARE(sec().MainWin.Top, 30);
        QCOMPARE(app->ed.PLWinIndex(), 2);
    }

    // A typed 960 and 1359 stay as typed when "Main Window" or the list item is chosen
    // again; the fields show the stored values.
    void choosingAWindowKeepsItsRectangle() {
        twoDrawnSubWindows();
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        typeField(0, "960");
        typeField(2, "400");
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(Model(sec().MainWin), QRect(960, 0, 400, 764));
        QCOMPARE(fields(), (QStringList{"960", "0", "400", "764"}));

        clickSub(1);
        typeField(0, "1");
        typeField(2, "1359");
        clickSub(0);
        clickSub(1);
        QCOMPARE(sec().SubWin[2].Width, 1359);
        QCOMPARE(fields()[2], QString("1359"));
    }

    // A press on SubWin2 on the picture chooses it in the list; "Delete Sub Window" (the
    // tool button) then deletes SubWin2, the one outlined in red.
    void aPressOnThePictureChoosesInTheList() {
        twoDrawnSubWindows();
        clickSub(0);
        const QRect first = Model(sec().SubWin[1]);
        const QPoint second = Centre(*sec().SubWin[2].Shape);
        hover(second);
        drag(second, {second});
        QCOMPARE(selectedSub(), 1);
        QCOMPARE(app->ed.PLWinIndex(), 2);
        QVERIFY(markedChosen(2));
        QVERIFY(!markedChosen(1));
        QCOMPARE(fields()[0], QString::number(sec().SubWin[2].Left));
        QCOMPARE(child("Panel_MainWin")->palette().color(QPalette::Window), QColor(166, 202, 240));
        const QString shots = qEnvironmentVariable("KESTREL_SHOTS");
        if (!shots.isEmpty()) QVERIFY(form().grab().save(shots + "/chosen-on-picture.png"));

        child<QToolButton>("TBtnDeleteSel")->click();
        QCOMPARE(subItems(), QStringList{"SubWin1"});
        QCOMPARE(Model(sec().SubWin[1]), first);

        const QPoint main(50, 300);  // on the main window, below SubWin1
        hover(main);
        drag(main, {main});
        QCOMPARE(selectedSub(), -1);
        QCOMPARE(app->ed.PLWinIndex(), 0);
        QCOMPARE(child("Panel_MainWin")->palette().color(QPalette::Window), QColor(0, 0, 255));
    }

    // Arrows and type-ahead in the list choose the window they move to.
    void keysInTheListChoose() {
        twoDrawnSubWindows();
        clickSub(0);
        subList()->setFocus();
        QTest::keyClick(subList(), Qt::Key_Down);
        QCOMPARE(app->ed.PLWinIndex(), 2);
        QVERIFY(markedChosen(2));
        QCOMPARE(fields()[0], QString::number(sec().SubWin[2].Left));
        QTest::keyClicks(subList(), "SubWin1");
        QCOMPARE(selectedSub(), 0);
        QCOMPARE(app->ed.PLWinIndex(), 1);
        QCOMPARE(fields()[0], QString::number(sec().SubWin[1].Left));
    }

    // A section chosen in the time list before its main window was drawn: nothing to
    // grab at the top left, and "Main Window" gives the default square.
    void aNewSectionGetsItsDefaultMainWindow() {
        newSection(8, 0, 9, 0);
        newSection(9, 0, 10, 0);
        chooseSection(0);
        chooseSection(1);
        hover(QPoint(1, 1));
        QCOMPARE(canvas()->cursor().shape(), Qt::ArrowCursor);
        drag(QPoint(1, 1), {QPoint(5, 5), QPoint(0, 0)});
        QCOMPARE(Model(sec(1).MainWin), QRect(0, 0, 0, 0));
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(Model(sec(1).MainWin), QRect(0, 0, 763, 764));
        QCOMPARE(fields(), (QStringList{"0", "0", "763", "764"}));
    }

    // SubWin2 chosen in one section draws nothing in a section that lists no sub window.
    void theChosenSubWindowStaysInItsSection() {
        newSection(8, 0, 9, 0);
        addSubWindow();
        addSubWindow();
        clickSub(1);
        newSection(9, 0, 10, 0);
        chooseSection(0);
        chooseSection(1);
        QCOMPARE(app->ed.PLWinIndex(), -1);
        hover(QPoint(300, 100));
        drag(QPoint(300, 100), {QPoint(400, 200)});
        QVERIFY(!sec(1).SubWin[2].Shape);
        QCOMPARE(Model(sec(1).SubWin[2]), QRect());
        QVERIFY(subItems().isEmpty());
    }

    // Letters are not typed, an empty field raises nothing, and a number is applied when
    // it is complete: typing 768 never makes the window 7 pixels high.
    void positionFieldsTakeOnlyNumbers() {
        newSection(8, 0, 9, 0);
        driver.answer({QMessageBox::Ok});  // would take a box if one came
        QTest::mouseClick(posField(0), Qt::LeftButton);  // empty after adding a section
        QTest::mouseClick(posField(1), Qt::LeftButton);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        typeField(3, "7a6-8", false);
        QCOMPARE(posField(3)->text(), QString("768"));
        QCOMPARE(sec().MainWin.Height, 764);
        QTest::keyClick(posField(3), Qt::Key_Return);
        QCOMPARE(sec().MainWin.Height, 768);
        typeField(0, "-");
        QCOMPARE(fields()[0], QString("0"));
        QVERIFY(driver.seen.isEmpty());
    }

    // The file dialogs open in the user's home folder at first, then in the folder used
    // last (also after a restart), and in the project folder once there is one.
    void fileDialogsStartInTheRightFolder() {
        QTemporaryDir media, project;
        const QString picture = QDir(media.path()).filePath("back.jpg");
        QImage(8, 8, QImage::Format_RGB32).save(picture, "JPG");
        newSection(8, 0, 9, 0);
        auto backgroundIn = [&](const QString& choose) -> QString {
            QString shown;
            driver.fileDialog([&](QFileDialog* d) {
                shown = d->directory().absolutePath();
                if (choose.isEmpty()) d->reject(); else test::ChooseFile(d, choose);
            });
            QTest::mouseClick(child("SBtn_BGFile"), Qt::LeftButton);
            return driver.pendingCount() == 0 ? shown : QString("(no dialog)");
        };
        QCOMPARE(backgroundIn(picture), QDir::homePath());
        QCOMPARE(backgroundIn(""), media.path());

        Stop();
        QVERIFY(Start());
        newSection(8, 0, 9, 0);
        QCOMPARE(backgroundIn(""), media.path());

        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, QDir(project.path()).filePath("show")); });
        driver.answer({QMessageBox::Ok});
        child<QToolButton>("TBtnSavePrj")->click();
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(backgroundIn(""), project.path());
    }
};

KESTREL_WINDOW_TEST_MAIN(WindowChoiceTest)

#include "WindowChoiceTest.moc"
