// A new user's whole road through the real windows: a section, the main window resized
// by its handles, a sub window drawn, its playlist filled through the file dialog, a
// second section, Save with a chosen name, New, Open, and everything back.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "playlist/PLData.h"
#include "support/AppSession.h"
#include "support/ModalDriver.h"
#include "timesections/TimerList.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

namespace {

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class EndToEndTest : public QObject, public test::AppSession {
    Q_OBJECT


    void drag(QPoint from, QPoint to) {
        hover(from);
        QTest::mousePress(canvas(), Qt::LeftButton, {}, from);
        const QPoint mid = (from + to) / 2;
        QTest::mouseMove(canvas(), mid);
        QTest::mouseMove(canvas(), to);
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, to);
    }

    void newSection(int sh, int sm, int eh, int em) {
        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        TTLForm* tl = app->TLForm.get();
        QVERIFY(tl->isVisible());
        QVERIFY(!form().isEnabled());
        tl->findChild<QSpinBox*>("SpinEdit_SHour")->setValue(sh);
        tl->findChild<QSpinBox*>("SpinEdit_SMinute")->setValue(sm);
        tl->findChild<QSpinBox*>("SpinEdit_EHour")->setValue(eh);
        tl->findChild<QSpinBox*>("SpinEdit_EMinute")->setValue(em);
        QTest::mouseClick(tl->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QVERIFY(!tl->isVisible());
        QVERIFY(form().isEnabled());
    }

    void chooseSection(int index) {
        // Chosen with the arrow keys, as from the keyboard.
        auto* combo = child<QComboBox>("ComboBox_TimeList");
        combo->setFocus();
        while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
        while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(app->ed.Prj->CurTimeIndex, index);
    }

    // Opens SubWin1's playlist by a double click on its list entry.
    void openSubWin1Playlist() {
        auto* list = child<QListWidget>("ListBox_SubWin");
        QCOMPARE(list->item(0)->text(), QString("SubWin1"));
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(app->PLForm->isVisible());
        QCOMPARE(app->ed.PLWinIndex(), 1);
    }

    // "Add Files" through Qt's own file dialog, choosing several files of one folder.
    void addFiles(const QString& folder, const QStringList& names) {
        bool chosen = false;
        driver.fileDialog([&](QFileDialog* d) {
            d->setDirectory(folder);
            QStringList quoted;
            for (const QString& n : names) quoted << '"' + n + '"';
            d->findChild<QLineEdit*>("fileNameEdit")->setText(quoted.join(' '));
            chosen = d->selectedFiles().size() == names.size();
            static_cast<QDialog*>(d)->accept();
        });
        app->PLForm->AddFiles();
        QVERIFY(chosen);
    }

    void setTimes(int row, int times) {
        QTableWidget* grid = app->PLForm->Grid();
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        // A sub window's times are typed in the number box that opens over the cell.
        QTRY_VERIFY(app->PLForm->VolumeBox()->isVisible());
        app->PLForm->VolumeBox()->setValue(times);
        QCOMPARE(grid->item(row, 1)->text(), QString::number(times));
    }

private slots:
    void init() { QVERIFY(Start()); }
    void cleanup() { Stop(); }

    void theRoadOfATypicalPieceOfWork() {
        QTemporaryDir media, target;
        QVERIFY(media.isValid() && target.isValid());
        const QColor colours[] = {QColor(200, 40, 40), QColor(40, 160, 40), QColor(40, 40, 200)};
        const QStringList pictures = {"red.jpg", "green.jpg", "blue.jpg"};
        for (int i = 0; i < 3; ++i) {
            QImage img(32, 18, QImage::Format_RGB32);
            img.fill(colours[i]);
            QVERIFY(img.save(media.filePath(pictures[i]), "JPG"));
        }
        Project& prj = *app->ed.Prj;

        // 1. New section 08:30 to 12:00.
        newSection(8, 30, 12, 0);
        auto* timeList = child<QComboBox>("ComboBox_TimeList");
        QCOMPARE(timeList->count(), 1);
        QCOMPARE(timeList->itemText(0), QString("08:30 -- 12:00"));
        QCOMPARE(prj.CurTimeIndex, 0);
        QVERIFY(!prj.TimePL[0].MainWin.Shape->Visible);

        // 2. "Main Window": a square of the picture's height at the top left, then made
        // smaller by its bottom-right handle.
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        const TMainWinData& main = prj.TimePL[0].MainWin;
        QVERIFY(main.Shape->Visible);
        QCOMPARE(QRect(main.Left, main.Top, main.Width, main.Height), QRect(0, 0, 763, 764));
        const Shape square = *main.Shape;
        const QPoint corner(square.Left + square.Width, square.Top + square.Height);
        drag(corner, corner - QPoint(100, 50));
        QCOMPARE(main.Shape->Width, square.Width - 100);
        QCOMPARE(main.Shape->Height, square.Height - 50);
        QCOMPARE(QRect(main.Left, main.Top, main.Width, main.Height), QRect(0, 0, 575, 670));
        QCOMPARE(child<QLineEdit>("Edit_Width")->text(), QString("575"));

        // 3. "Add Sub Window", choose it, draw it right of the main window.
        form().findChild<QAction*>("AddSubWin")->trigger();
        auto* list = child<QListWidget>("ListBox_SubWin");
        QCOMPARE(list->count(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(app->ed.PLWinIndex(), 1);
        drag(QPoint(420, 40), QPoint(700, 240));
        const TSubWinData& sub = prj.TimePL[0].SubWin[1];
        QCOMPARE(prj.TimePL[0].SubWinCount, 1);
        QVERIFY(sub.Shape && sub.Shape->Visible);
        QVERIFY(sub.Left > main.Left + main.Width);
        QVERIFY(sub.Width > 400 && sub.Height > 300);
        const QRect subRect(sub.Left, sub.Top, sub.Width, sub.Height);

        // 4. Its playlist: two pictures, the second shown three times, OK.
        openSubWin1Playlist();
        addFiles(media.path(), {"red.jpg", "green.jpg"});
        QCOMPARE(app->PLForm->Grid()->rowCount(), 2);
        setTimes(1, 3);
        QTest::mouseClick(app->PLForm->OkButton(), Qt::LeftButton);
        QVERIFY(!app->PLForm->isVisible());
        QVERIFY(form().isEnabled());
        QCOMPARE(sub.PLCount, 2);
        QCOMPARE(sub.PL[1].Times, 3);
        QCOMPARE(QString::fromStdString(sub.PL[0].FileName), media.filePath("red.jpg"));

        // 5. The file list is rebuilt; with no project file yet there is no project folder,
        // so nothing is copied (not into the program's folder either).
        QCOMPARE(prj.TimePL[0].FileList, (std::vector<std::string>{"red.jpg", "green.jpg"}));
        QVERIFY(prj.PrjFileName.empty());
        QVERIFY(!QFile::exists(QString::fromStdString(prj.PrjDir) + "red.jpg"));

        // 6. A second section, and back: each shows its own layout.
        newSection(12, 0, 18, 0);
        QCOMPARE(timeList->count(), 2);
        QCOMPARE(prj.CurTimeIndex, 1);
        QCOMPARE(list->count(), 0);
        QVERIFY(!prj.TimePL[0].SubWin[1].Shape);  // released while its section is not shown
        chooseSection(0);
        QCOMPARE(list->count(), 1);
        QVERIFY(prj.TimePL[0].SubWin[1].Shape && prj.TimePL[0].SubWin[1].Shape->Visible);
        QCOMPARE(QRect(sub.Left, sub.Top, sub.Width, sub.Height), subRect);

        // 7. Save with a chosen name: ".XML" is added, the pictures are copied.
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, target.filePath("shop")); });
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QCOMPARE(driver.seen.size(), 1);
        // Neither main window has a playlist, and the second has no rectangle yet.
        QCOMPARE(driver.seen[0].text, QString("Save completed!\nCheck Project found 3 problems."));
        const QString file = target.filePath("shop.XML");
        QCOMPARE(QString::fromStdString(prj.PrjFileName), file);
        QCOMPARE(Entries(target.path()), QStringList({"green.jpg", "red.jpg", "shop.XML"}));
        QCOMPARE(ReadAll(target.filePath("red.jpg")), ReadAll(media.filePath("red.jpg")));

        const QByteArray expected =
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
            "<KESTREL>\r\n"
            " <TIME s=\"0830\" e=\"1200\"/>\r\n"
            " <MAIN_WINDOW>\r\n"
            "  <rect x=\"0\" y=\"0\" w=\"575\" h=\"670\" /></rect>\r\n"
            "  <TRACK>\r\n"
            "  </TRACK>\r\n"
            " </MAIN_WINDOW>\r\n"
            "\r\n"
            "  <SUB_WINDOW>\r\n"
            "   <WINDOW>1</WINDOW>\r\n"
            "   <LIST>\r\n"
            "    <P>red.jpg</P>\r\n"
            "    <P>green.jpg</P>\r\n"
            "   </LIST>\r\n"
            "   <SUBW1>\r\n" +
            QString("    <rect x=\"%1\" y=\"%2\" w=\"%3\" h=\"%4\" /></rect>\r\n")
                .arg(sub.Left).arg(sub.Top).arg(sub.Width).arg(sub.Height).toUtf8() +
            "    <a i=\"0\" t=\"1\" /></a>\r\n"
            "    <a i=\"1\" t=\"3\" /></a>\r\n"
            "   </SUBW1>\r\n"
            "  </SUB_WINDOW>\r\n"
            " </TIME>\r\n"
            "\r\n"
            " <TIME s=\"1200\" e=\"1800\"/>\r\n"
            " <MAIN_WINDOW>\r\n"
            "  <rect x=\"0\" y=\"0\" w=\"0\" h=\"0\" /></rect>\r\n"
            "  <TRACK>\r\n"
            "  </TRACK>\r\n"
            " </MAIN_WINDOW>\r\n"
            "\r\n"
            "  <SUB_WINDOW>\r\n"
            "   <WINDOW>0</WINDOW>\r\n"
            "   <LIST>\r\n"
            "   </LIST>\r\n"
            "  </SUB_WINDOW>\r\n"
            " </TIME>\r\n"
            "\r\n"
            "</KESTREL>\r\n";
        QCOMPARE(ReadAll(file), expected);

        // Once the project has its folder, a picture added later is copied as soon as the
        // main window is active again.
        openSubWin1Playlist();
        addFiles(media.path(), {"blue.jpg"});
        QTest::mouseClick(app->PLForm->OkButton(), Qt::LeftButton);
        QVERIFY(QFile::exists(target.filePath("blue.jpg")));
        QCOMPARE(sub.PLCount, 3);
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);  // saved under its name, no dialog
        QCOMPARE(driver.seen.size(), 2);
        QCOMPARE(driver.seen[1].text, QString("Save completed!\nCheck Project found 3 problems."));
        const QByteArray saved = ReadAll(file);

        // New project right after the save: nothing would be lost, so nothing is asked
        // (an answer stands ready in case), and then nothing is left.
        driver.answer({QMessageBox::Yes});
        form().findChild<QAction*>("New_Prj")->trigger();
        QCOMPARE(driver.seen.size(), 2);
        driver.closeAll();
        QCOMPARE(prj.TimeCount, 0);
        QCOMPARE(timeList->count(), 0);
        QCOMPARE(list->count(), 0);
        QVERIFY(prj.PrjFileName.empty());

        // 8. Open the saved file: time list, layouts and playlists are back.
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, file); });
        QTest::mouseClick(child("btnOpenPrj"), Qt::LeftButton);
        const Project& back = *app->ed.Prj;
        QCOMPARE(timeList->count(), 2);
        QCOMPARE(timeList->itemText(0), QString("08:30 -- 12:00"));
        QCOMPARE(timeList->itemText(1), QString("12:00 -- 18:00"));
        QCOMPARE(back.CurTimeIndex, 0);
        const TTimePLData& s0 = back.TimePL[0];
        QCOMPARE(QRect(s0.MainWin.Left, s0.MainWin.Top, s0.MainWin.Width, s0.MainWin.Height),
                 QRect(0, 0, 575, 670));
        QCOMPARE(s0.SubWinCount, 1);
        const TSubWinData& sw = s0.SubWin[1];
        QCOMPARE(QRect(sw.Left, sw.Top, sw.Width, sw.Height), subRect);
        QVERIFY(sw.Shape && sw.Shape->Visible);
        QCOMPARE(sw.PLCount, 3);
        const char* names[] = {"red.jpg", "green.jpg", "blue.jpg"};
        const int times[] = {1, 3, 1};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(QString::fromStdString(sw.PL[k].FileName), target.filePath(names[k]));
            QCOMPARE(sw.PL[k].Times, times[k]);
        }
        QCOMPARE(list->count(), 1);
        // Opened and saved again unchanged, the file is the same byte for byte.
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QCOMPARE(ReadAll(file), saved);
        QCOMPARE(driver.pendingCount(), 0);
    }

    // The demo project, copied first so that nothing changes the original, opens with
    // its sections, windows and pictures. With KESTREL_SHOTS naming a folder, pictures of
    // the main window, the playlist editor and the time list editor are saved there
    // (scripts/screenshot uses them for the README).
    void demoProjectOpens() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid() && QDir(tmp.path()).mkdir("kestrel-demo"));
        const QDir copy(tmp.filePath("kestrel-demo"));
        const QDir demo(KESTREL_DEMO_DIR);
        for (const QString& name : demo.entryList(QDir::Files))
            QVERIFY(QFile::copy(demo.filePath(name), copy.filePath(name)));
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, copy.filePath("DEMO.XML")); });
        QTest::mouseClick(child("btnOpenPrj"), Qt::LeftButton);
        QCOMPARE(driver.pendingCount(), 0);
        QVERIFY(driver.seen.isEmpty());  // no failure reported

        auto* timeList = child<QComboBox>("ComboBox_TimeList");
        QCOMPARE(timeList->count(), 3);
        QCOMPARE(timeList->itemText(0), QString("08:00 -- 11:30"));
        auto* list = child<QListWidget>("ListBox_SubWin");
        QCOMPARE(list->count(), 2);
        QCOMPARE(child<QLineEdit>("Edit_BGFile")->text(), copy.filePath("bg-morning.jpg"));
        // The background is shown: the canvas is not the default picture's plain fill.
        QCOMPARE(form().View().Picture, PictureKind::File);

        // SubWin1 chosen by a press on it on the picture: the list follows.
        const Shape& first = *app->ed.Prj->TimePL[0].SubWin[1].Shape;
        const QPoint onFirst(first.Left + first.Width / 2, first.Top + first.Height / 2);
        hover(onFirst);
        QTest::mousePress(canvas(), Qt::LeftButton, {}, onFirst);
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, onFirst);
        QCOMPARE(app->ed.PLWinIndex(), 1);
        QVERIFY(list->item(0)->isSelected());
        QCOMPARE(child<QLineEdit>("Edit_Left")->text(), QString("960"));
        const QString shots = qEnvironmentVariable("KESTREL_SHOTS");
        if (!shots.isEmpty()) QVERIFY(form().grab().save(shots + "/main.png"));

        // Choosing windows changes nothing: saved at once, the file is as it was.
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].text, QString("Save completed!"));
        driver.seen.clear();
        QCOMPARE(ReadAll(copy.filePath("DEMO.XML")), ReadAll(demo.filePath("DEMO.XML")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());

        // SubWin1's playlist, moved to its last column, then the main window's playlist,
        // by a double click on "Main Window": it opens on its first column.
        const QPoint item = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, item);
        QVERIFY(app->PLForm->isVisible());
        QTableWidget* grid = app->PLForm->Grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End);
        app->PLForm->close();
        QTest::mouseDClick(child("Panel_MainWin"), Qt::LeftButton);
        QVERIFY(app->PLForm->isVisible());
        QCOMPARE(grid->columnViewportPosition(0), 0);
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 0)->text(), copy.filePath("main-coffee.jpg"));
        if (!shots.isEmpty()) QVERIFY(app->PLForm->grab().save(shots + "/playlist.png"));
        app->PLForm->close();

        // The time list editor, opened by "Edit" on the current section.
        QTest::mouseClick(child("SBtn_EditTimeList"), Qt::LeftButton);
        TTLForm* tl = app->TLForm.get();
        QVERIFY(tl->isVisible());
        QCOMPARE(tl->findChild<QSpinBox*>("SpinEdit_EHour")->value(), 11);
        QCOMPARE(tl->findChild<QSpinBox*>("SpinEdit_EMinute")->value(), 30);
        if (!shots.isEmpty()) QVERIFY(tl->grab().save(shots + "/timelist.png"));
        tl->close();
        QVERIFY(form().isEnabled());
    }
};

KESTREL_WINDOW_TEST_MAIN(EndToEndTest)

#include "EndToEndTest.moc"
