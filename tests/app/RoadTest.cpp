// Whole roads through the real windows on the offscreen platform: the user's clicks,
// keys and drags reach the widgets, and the test looks at what the widgets show, at the
// model and at the saved file.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "playlist/PLData.h"
#include "support/UserHand.h"
#include "support/ModalDriver.h"
#include "timesections/TimerList.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

class RoadTest : public QObject, public test::UserHand {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }
    void cleanup() { Stop(); }

    // Adding two sections, editing one, deleting one and switching between them.
    void timeSections() {
        newSection(8, 30, 12, 0);
        QCOMPARE(timeEntries(), QStringList{"08:30 -- 12:00"});
        QCOMPARE(timeList()->currentIndex(), 0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);

        // The first section gets its main window and one sub window.
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(fields(), (QStringList{"0", "0", "763", "764"}));
        addSubWindow();
        QCOMPARE(subItems(), QStringList{"SubWin1"});

        // The second is appended after it, current, with nothing of the first shown.
        newSection(13, 0, 17, 45);
        QCOMPARE(timeEntries(), (QStringList{"08:30 -- 12:00", "13:00 -- 17:45"}));
        QCOMPARE(timeList()->currentIndex(), 1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);
        QVERIFY(subItems().isEmpty());
        QCOMPARE(fields(), (QStringList{"", "", "", ""}));

        // Switching back shows the first section's list; choosing it selects no window.
        chooseSection(0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(subItems(), QStringList{"SubWin1"});
        QCOMPARE(selectedSub(), -1);
        chooseSection(1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);
        QVERIFY(subItems().isEmpty());

        // Edit opens with the current section's times; an unchanged edit is refused and
        // the editor stays open; the close box cancels.
        QTest::mouseClick(child<QPushButton>("SBtn_EditTimeList"), Qt::LeftButton);
        auto* d = app->TLForm.get();
        QVERIFY(d->isVisible());
        QCOMPARE(d->findChild<QSpinBox*>("SpinEdit_SHour")->value(), 13);
        QCOMPARE(d->findChild<QSpinBox*>("SpinEdit_EMinute")->value(), 45);
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(d->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].text, QString("New time exist in timer list, add failure! Please check."));
        QVERIFY(d->isVisible());
        QVERIFY(d->close());
        QVERIFY(form().isEnabled());
        QCOMPARE(timeEntries(), (QStringList{"08:30 -- 12:00", "13:00 -- 17:45"}));

        // A real edit changes the entry in place and keeps it chosen.
        QTest::mouseClick(child<QPushButton>("SBtn_EditTimeList"), Qt::LeftButton);
        fillTimes(14, 0, 18, 0);
        QVERIFY(!d->isVisible());
        QCOMPARE(timeEntries(), (QStringList{"08:30 -- 12:00", "14:00 -- 18:00"}));
        QCOMPARE(timeList()->currentIndex(), 1);
        QCOMPARE(app->ed.Prj->TimePL[1].StartTime, 1400);

        // Deleting the first section (after a Yes to "Confirm") moves the second up with
        // nothing of the first left, and shows it.
        chooseSection(0);
        driver.seen.clear();
        driver.answer({QMessageBox::Yes});
        QTest::mouseClick(child<QPushButton>("SBtn_DeleteTimeList"), Qt::LeftButton);
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].title, QString("Confirm"));
        QCOMPARE(timeEntries(), QStringList{"14:00 -- 18:00"});
        QCOMPARE(timeList()->currentIndex(), 0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(app->ed.Prj->TimePL[0].EndTime, 1800);
        QVERIFY(subItems().isEmpty());
        QCOMPARE(app->ed.Prj->TimePL[0].SubWinCount, 0);
    }

    // The playlist editor from "Main Window": files through the file dialog, a volume
    // through the spin box over its cell, OK.
    void mainWindowPlaylist() {
        QTemporaryDir dir;
        for (const char* name : {"a.mp4", "b.mp4"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        newSection(8, 0, 9, 0);

        doubleClick(child("Panel_MainWin"), QPoint(20, 20));
        auto* pl = app->PLForm.get();
        QVERIFY(pl->isVisible());
        QVERIFY(!form().isEnabled());

        QTableWidget* grid = pl->Grid();
        driver.fileDialog([&](QFileDialog* fd) {
            fd->setDirectory(dir.path());
            fd->findChild<QLineEdit*>("fileNameEdit")->setText("\"a.mp4\" \"b.mp4\"");
            static_cast<QDialog*>(fd)->accept();
        });
        menuItem(grid->viewport(), QPoint(40, 10), pl->Popup(), "Add Files");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), dir.filePath("a.mp4"));
        QCOMPARE(grid->item(1, 0)->text(), dir.filePath("b.mp4"));

        const QRect volume = grid->visualRect(grid->model()->index(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, volume.center());
        QTRY_VERIFY(pl->VolumeBox()->isVisible());
        pl->VolumeBox()->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(pl->VolumeBox(), "75");
        QCOMPARE(grid->item(0, 1)->text(), QString("75"));

        QTest::mouseClick(pl->OkButton(), Qt::LeftButton);
        QVERIFY(!pl->isVisible());
        QVERIFY(form().isEnabled());
        const auto& main = app->ed.Prj->TimePL[0].MainWin;
        QCOMPARE(main.PLCount, 2);
        QCOMPARE(QString::fromStdString(main.PL[0].FileName), dir.filePath("a.mp4"));
        QCOMPARE(main.PL[0].Vol, 75);
        QCOMPARE(main.PL[0].Interval, 1);
        QCOMPARE(QString::fromStdString(main.PL[1].FileName), dir.filePath("b.mp4"));
        QCOMPARE(main.PL[1].Vol, 50);
    }

    // A double click on a list item opens the editor for that sub window only while the
    // section has it.
    void subWindowPlaylistNeedsTheWindow() {
        newSection(8, 0, 9, 0);
        addSubWindow();
        doubleClick(subList()->viewport(), subList()->visualItemRect(subList()->item(0)).center());
        QVERIFY(app->PLForm->isVisible());
        QCOMPARE(app->ed.PLWinIndex(), 1);
        QCOMPARE(app->PLForm->Grid()->columnCount(), 2);
        app->PLForm->close();
        QVERIFY(form().isEnabled());

        // An item the section does not count (a list that holds more than SubWinCount).
        app->ed.ListedSubWins = 2;
        form().SyncView();
        doubleClick(subList()->viewport(), subList()->visualItemRect(subList()->item(1)).center());
        QVERIFY(!app->PLForm->isVisible());
        QVERIFY(form().isEnabled());
    }

    // Every button draws alike; choosing "Main Window" afterwards clears the list's
    // selection, turns the panel blue and shows the main window's rectangle.
    void anyButtonDrawsAndTheViewFollows_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void anyButtonDrawsAndTheViewFollows() {
        QFETCH(Qt::MouseButton, button);
        newSection(8, 0, 9, 0);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        addSubWindow();
        clickSub(0);
        QCOMPARE(child("Panel_MainWin")->palette().color(QPalette::Window), QColor(166, 202, 240));

        hover(QPoint(500, 100));
        QTest::mousePress(canvas(), button, {}, QPoint(500, 100));
        QTest::mouseMove(canvas(), QPoint(600, 180));
        QTest::mouseRelease(canvas(), button, {}, QPoint(600, 180));
        QCOMPARE(fields(), (QStringList{"942", "189", "188", "151"}));
        QCOMPARE(selectedSub(), 0);

        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(selectedSub(), -1);
        QCOMPARE(child("Panel_MainWin")->palette().color(QPalette::Window), QColor(0, 0, 255));
        QCOMPARE(fields(), (QStringList{"0", "0", "763", "764"}));
    }

    // Text put into a field without a key (a paste with the mouse) is applied when the
    // focus leaves the field.
    void leavingAFieldAppliesIt() {
        QApplication::setActiveWindow(&form());
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        newSection(8, 0, 9, 0);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        auto* width = child<QLineEdit>("Edit_Width");
        QTest::mouseClick(width, Qt::LeftButton);
        QTRY_VERIFY(width->hasFocus());
        width->setText("2000");
        QTest::mouseClick(child<QLineEdit>("Edit_Height"), Qt::LeftButton);
        QTRY_VERIFY(!width->hasFocus());
        QCOMPARE(fields(), (QStringList{"0", "0", "1360", "764"}));
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 1360);
    }

    // A background chosen through the file dialog is named in its field and shown.
    void backgroundIsShown() {
        QTemporaryDir dir;
        QImage green(64, 36, QImage::Format_RGB32);
        green.fill(QColor(0, 160, 0));
        QVERIFY(green.save(dir.filePath("back.JPG"), "JPG", 100));
        newSection(8, 0, 9, 0);
        driver.fileDialog([&](QFileDialog* fd) { test::ChooseFile(fd, dir.filePath("back.JPG")); });
        QTest::mouseClick(child<QPushButton>("SBtn_BGFile"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>("Edit_BGFile")->text(), dir.filePath("back.JPG"));
        const QColor shown = canvas()->grab().toImage().pixelColor(360, 200);
        QVERIFY2(std::abs(shown.green() - 160) < 8 && shown.red() < 8 && shown.blue() < 8,
                 qPrintable(shown.name()));
    }

    // Choose SubWin1, draw it, move it, resize it by a corner, type a position, save.
    void layoutAndSave() {
        QTemporaryDir dir;
        newSection(8, 30, 12, 0);

        // The first click on "Main Window" squares its hidden marker at the top left.
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(fields(), (QStringList{"0", "0", "763", "764"}));
        addSubWindow();
        clickSub(0);
        QCOMPARE(selectedSub(), 0);
        QCOMPARE(app->ed.PLWinIndex(), 1);

        // Drawing outside every window: marker 500,100 .. 600,180 on the panel.
        hover(QPoint(500, 100));
        drag(QPoint(500, 100), {QPoint(550, 140), QPoint(600, 180)});
        QCOMPARE(fields(), (QStringList{"942", "189", "188", "151"}));

        // Moving it by 40, 20 from inside: only the corner changes in the model.
        hover(QPoint(550, 140));
        QCOMPARE(canvas()->cursor().shape(), Qt::ArrowCursor);
        drag(QPoint(550, 140), {QPoint(570, 150), QPoint(590, 160)});
        QCOMPARE(fields(), (QStringList{"1017", "226", "188", "151"}));

        // Resizing by the bottom-right corner (640, 200) by 40, 50.
        hover(QPoint(640, 200));
        QCOMPARE(canvas()->cursor().shape(), Qt::SizeFDiagCursor);
        drag(QPoint(640, 200), {QPoint(660, 230), QPoint(680, 250)});
        QCOMPARE(fields(), (QStringList{"1017", "226", "264", "246"}));
        const auto& sub = app->ed.Prj->TimePL[0].SubWin[1];
        QCOMPARE(sub.Shape->Left, 540);
        QCOMPARE(sub.Shape->Width, 140);

        // Typed positions: Return applies the fields; the right edge is cut.
        auto* top = child<QLineEdit>("Edit_Top");
        top->selectAll();
        QTest::keyClicks(top, "300");
        QTest::keyClick(top, Qt::Key_Return);
        auto* left = child<QLineEdit>("Edit_Left");
        left->selectAll();
        QTest::keyClicks(left, "1300");
        QTest::keyClick(left, Qt::Key_Return);
        QCOMPARE(fields(), (QStringList{"1300", "300", "60", "246"}));
        QCOMPARE(sub.Shape->Left, 690);
        QCOMPARE(sub.Shape->Top, 159);

        // Save asks for a name, adds ".XML" and reports.
        driver.fileDialog([&](QFileDialog* fd) { test::ChooseFile(fd, dir.filePath("road")); });
        driver.answer({QMessageBox::Ok});
        child<QToolButton>("TBtnSavePrj")->click();
        QCOMPARE(driver.seen.size(), 1);
        // The main window has no playlist yet: the check of the saved project says so.
        QCOMPARE(driver.seen[0].text, QString("Save completed!\nCheck Project found 1 problems."));

        QFile saved(dir.filePath("road.XML"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray expected =
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
            "<KESTREL>\r\n"
            " <TIME s=\"0830\" e=\"1200\"/>\r\n"
            " <MAIN_WINDOW>\r\n"
            "  <rect x=\"0\" y=\"0\" w=\"763\" h=\"764\" /></rect>\r\n"
            "  <TRACK>\r\n"
            "  </TRACK>\r\n"
            " </MAIN_WINDOW>\r\n"
            "\r\n"
            "  <SUB_WINDOW>\r\n"
            "   <WINDOW>1</WINDOW>\r\n"
            "   <LIST>\r\n"
            "   </LIST>\r\n"
            "   <SUBW1>\r\n"
            "    <rect x=\"1300\" y=\"300\" w=\"60\" h=\"246\" /></rect>\r\n"
            "   </SUBW1>\r\n"
            "  </SUB_WINDOW>\r\n"
            " </TIME>\r\n"
            "\r\n"
            "</KESTREL>\r\n";
        QCOMPARE(saved.readAll(), expected);
    }
};

KESTREL_WINDOW_TEST_MAIN(RoadTest)

#include "RoadTest.moc"
