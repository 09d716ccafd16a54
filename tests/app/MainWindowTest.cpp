// The whole program built in-process on the offscreen platform.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "app/about.h"
#include "layout/CoordinateMapping.h"
#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "playlist/PLData.h"
#include "settings/TPSetting.h"
#include "timesections/TimerList.h"
#include "model/Error.h"
#include "support/AppSession.h"
#include "support/ModalDriver.h"
#include "ui/ConventionDialog.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

namespace {

bool Near(QColor a, QColor b, int tolerance = 0) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

const QColor kRed(255, 0, 0), kYellow(255, 255, 0), kSilver(192, 192, 192);

}  // namespace

class MainWindowTest : public QObject, public test::AppSession {
    Q_OBJECT

    QImage grabCanvas() { return app->Form1->canvas()->grab().toImage(); }

private slots:
    void init() { QVERIFY(Start()); }
    void cleanup() { Stop(); }

    void startUpState() {
        // The five windows, in their start-up order of creation, each named.
        QCOMPARE(form().objectName(), QString("Form1"));
        QCOMPARE(app->AboutFrm->objectName(), QString("AboutFrm"));
        QCOMPARE(app->PLForm->objectName(), QString("PLForm"));
        QCOMPARE(app->SettingForm->objectName(), QString("SettingForm"));
        QCOMPARE(app->TLForm->objectName(), QString("TLForm"));
        QCOMPARE(form().windowHandle()->title(), QString::fromUtf8("Untitled — Kestrel"));

        for (const char* name :
             {"tbToolbar", "btnOpenPrj", "TBtnSavePrj", "btnSetting", "TBtnDeleteSel", "btnExit", "tbsButton",
              "Panel7", "ComboBox_TimeList", "SBtn_NewTimeList", "SBtn_EditTimeList", "SBtn_DeleteTimeList",
              "Panel1", "Panel3", "Panel_MainWin", "Label_SubWin", "ListBox_SubWin", "PopupMenu1", "AddSubWin",
              "DelSubWin", "Label_BGFile", "Edit_BGFile", "SBtn_BGFile", "Panel_ImageParent", "Img_DefTitle",
              "Panel_Image", "imgBmp", "Label_StartX", "Label_StartY", "Label_Width", "Label_Height", "Edit_Left",
              "Edit_Top", "Edit_Width", "Edit_Height", "New_Prj", "Open_Prj", "Save_Prj", "SaveAs", "Exit1",
              "Option1", "About1"})
            QVERIFY2(form().findChild<QObject*>(name), name);

        // No section, the default picture, nothing chosen.
        QCOMPARE(app->ed.Prj->CurTimeIndex, -1);
        QCOMPARE(app->ed.Prj->TimeCount, 0);
        QCOMPARE(child<QComboBox>("ComboBox_TimeList")->count(), 0);
        QVERIFY(!child<QComboBox>("ComboBox_TimeList")->isEditable());
        QVERIFY(!child("Img_DefTitle")->isVisible());
        for (const char* name : {"Edit_Left", "Edit_Top", "Edit_Width", "Edit_Height"})
            QCOMPARE(child<QLineEdit>(name)->text(), QString("0"));
        QVERIFY(child<QLineEdit>("Edit_BGFile")->isReadOnly());
        QVERIFY(child<QLineEdit>("Edit_BGFile")->text().isEmpty());

        const QImage shown = grabCanvas();
        const QImage expected = QImage(":/kestrel/default-title.png")
                                    .scaled(720, 405, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (QPoint p : {QPoint(360, 202), QPoint(100, 300), QPoint(600, 50)})
            QVERIFY(Near(shown.pixelColor(p), expected.pixelColor(p), 2));

        // Every tool bar button and menu item can be used, but Undo and Redo (nothing is done
        // yet) and Delete Sub Window (no sub window is chosen).
        const auto buttons = child("tbToolbar")->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 6);
        for (QToolButton* b : buttons)
            QVERIFY2(b->isEnabled() != (b->objectName() == "TBtnDeleteSel"), qPrintable(b->objectName()));
        for (QAction* menu : form().menuBar()->actions())
            for (QAction* item : menu->menu()->actions())
                if (!item->isSeparator())
                    QVERIFY2(item->isEnabled() != (item->objectName() == "Undo1" || item->objectName() == "Redo1"),
                             qPrintable(item->objectName()));
    }

    void startUpGeometry() {
        QCOMPARE(form().centralWidget()->size(), QSize(929, 737));
        QCOMPARE(form().minimumSize(), form().maximumSize());  // cannot be resized
        QCOMPARE(child("tbToolbar")->geometry(), QRect(0, 0, 929, 45));
        QCOMPARE(child("tbToolbar")->palette().color(QPalette::Window), QColor(166, 202, 240));
        int x = 0;
        for (const char* name : {"btnOpenPrj", "TBtnSavePrj", "btnSetting", "TBtnDeleteSel", "btnExit", "tbsButton"}) {
            x += 8;
            auto* b = child<QToolButton>(name);
            QCOMPARE(b->geometry(), QRect(x, 3, 39, 39));
            QCOMPARE(b->iconSize(), QSize(32, 32));
            QVERIFY(!b->icon().isNull());
            x += 39;
        }
        QCOMPARE(child("Panel7")->geometry(), QRect(0, 45, 929, 59));
        QCOMPARE(child("Panel1")->geometry(), QRect(0, 104, 929, 633));
        QCOMPARE(child("Panel3")->geometry(), QRect(0, 0, 200, 633));
        QCOMPARE(child("Panel_ImageParent")->geometry(), QRect(203, 0, 722, 527));
        // The fitted panel of the 1360 x 768 display and the image inside its bevel.
        QCOMPARE(child("Panel_Image")->geometry(), QRect(0, 60, 722, 407));
        QCOMPARE(child("imgBmp")->geometry(), QRect(1, 1, 720, 405));
        QCOMPARE(app->ed.Panel.AreaWidth, 722);
        QCOMPARE(app->ed.Panel.AreaHeight, 527);
        QCOMPARE(form().centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 128));

        // Centred on the screen, on each axis where it fits (the offscreen screen is
        // narrower than the window).
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = form().frameGeometry();
        if (frame.width() <= screen.width()) QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(frame.height() <= screen.height());
        QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= 1);
    }

    void dialogsDisableTheMainWindowAndCentreOverIt_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("about by tool button") << "AboutFrm" << "tbsButton";
        QTest::newRow("about by menu") << "AboutFrm" << "About1";
        QTest::newRow("setting by tool button") << "SettingForm" << "btnSetting";
        QTest::newRow("setting by menu") << "SettingForm" << "Option1";
        QTest::newRow("playlist editor") << "PLForm" << "";
        QTest::newRow("time list editor") << "TLForm" << "";
    }
    void dialogsDisableTheMainWindowAndCentreOverIt() {
        QFETCH(QString, dialog);
        QFETCH(QString, trigger);
        // A dialog is built on its first use: the first showing, by its trigger, is
        // like every later one.
        auto built = [&]() -> ConventionDialog* {
            if (dialog == "AboutFrm") return app->AboutFrm.built();
            if (dialog == "SettingForm") return app->SettingForm.built();
            return dialog == "PLForm" ? static_cast<ConventionDialog*>(app->PLForm.get()) : app->TLForm.get();
        };
        form().move(137, 83);
        QCOMPARE(form().pos(), QPoint(137, 83));
        for (int round = 0; round < 2; ++round) {  // hidden on close, shown again the same way
            if (trigger.isEmpty())
                built()->ShowOverMain();
            else if (auto* b = form().findChild<QToolButton*>(trigger))
                b->click();
            else
                form().findChild<QAction*>(trigger)->trigger();
            ConventionDialog* d = built();
            QVERIFY(d);
            QVERIFY(d->isVisible());
            QVERIFY(!form().isEnabled());
            // A window manager keeps the dialog above the main window it belongs to, so a
            // click on the disabled main window cannot hide it.
            QVERIFY(d->windowHandle());
            QCOMPARE(d->windowHandle()->transientParent(), form().windowHandle());
            // X11 names the transient parent to the window manager for a dialog window only.
            QCOMPARE(d->windowType(), Qt::Dialog);

            const QRect main = form().frameGeometry(), own = d->frameGeometry();
            QCOMPARE(own.left(), main.left() + (main.width() - own.width()) / 2);
            QCOMPARE(own.top(), main.top() + (main.height() - own.height()) / 2);

            QSignalSpy closed(d, &ConventionDialog::Closed);
            QVERIFY(d->close());  // the close box
            QVERIFY(!d->isVisible());
            QVERIFY(form().isEnabled());
            QCOMPARE(closed.count(), 1);
        }
    }

    void exitAsksFirst_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("yes");
        QTest::newRow("tool button, No") << "btnExit" << false;
        QTest::newRow("menu, No") << "Exit1" << false;
        QTest::newRow("close box, No") << "" << false;
        QTest::newRow("tool button, Yes") << "btnExit" << true;
        QTest::newRow("close box, Yes") << "" << true;
    }
    void exitAsksFirst() {
        QFETCH(QString, trigger);
        QFETCH(bool, yes);
        auto& prj = *app->ed.Prj;
        prj.TimeCount = 1;
        prj.CurTimeIndex = 0;
        prj.TimePL[0].FileList = {"a.jpg"};
        prj.TimePL[0].SubWin[1].Shape = Shape{1, 2, 3, 4, true};
        prj.TimePL[0].MainWin.Width = 500;

        driver.answer({yes ? QMessageBox::Yes : QMessageBox::No});
        if (trigger.isEmpty())
            form().close();
        else if (auto* b = form().findChild<QToolButton*>(trigger))
            b->click();
        else
            form().findChild<QAction*>(trigger)->trigger();

        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].title, QString("Confirm"));
        QCOMPARE(driver.seen[0].text, QString("Are you sure to close the current project ?"));
        QCOMPARE(driver.seen[0].icon, QMessageBox::Question);
        QCOMPARE(driver.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(form().isVisible(), !yes);
        QCOMPARE(prj.TimeCount, 1);
        QCOMPARE(prj.TimePL[0].MainWin.Width, 500);
        if (yes) {
            QVERIFY(prj.TimePL[0].FileList.empty());
            QVERIFY(!prj.TimePL[0].SubWin[1].Shape);
            QVERIFY(!prj.TimePL[0].MainWin.Shape);
        } else {
            QCOMPARE(prj.TimePL[0].FileList.size(), size_t(1));
            QVERIFY(prj.TimePL[0].SubWin[1].Shape);
            QVERIFY(prj.TimePL[0].MainWin.Shape);
        }
    }

    void closeBoxIsIgnoredWhileADialogIsOpen() {
        driver.answer({QMessageBox::Yes});  // would close the program if the question came
        child<QToolButton>("tbsButton")->click();
        QVERIFY(!form().close());
        QVERIFY(driver.seen.isEmpty());
        QVERIFY(form().isVisible());
        QVERIFY(app->ed.Prj->TimePL[0].MainWin.Shape);
        app->AboutFrm->close();
        QVERIFY(form().isEnabled());
    }

    void pictureFollowsTheView() {
        QTemporaryDir dir;
        const QString file = dir.filePath("green.bmp");
        QImage green(64, 36, QImage::Format_RGB32);
        green.fill(QColor(0, 160, 0));
        QVERIFY(green.save(file, "BMP"));

        auto& prj = *app->ed.Prj;
        prj.TimeCount = 1;
        prj.CurTimeIndex = 0;
        prj.TimePL[0].BGFile = file.toStdString();
        app->ed.Picture = PictureKind::File;
        form().SyncView();
        QCOMPARE(grabCanvas().pixelColor(0, 0), QColor(0, 160, 0));
        QCOMPARE(grabCanvas().pixelColor(719, 404), QColor(0, 160, 0));  // stretched to the image

        // Chosen again after it changed on disk: read again, not taken from a cache.
        app->ed.Picture = PictureKind::Empty;
        form().SyncView();
        const QColor empty = grabCanvas().pixelColor(360, 200);
        QVERIFY(empty != QColor(0, 160, 0));
        green.fill(QColor(0, 0, 200));
        QVERIFY(green.save(file, "BMP"));
        app->ed.Picture = PictureKind::File;
        form().SyncView();
        QCOMPARE(grabCanvas().pixelColor(360, 200), QColor(0, 0, 200));

        // A picture that cannot be read shows nothing rather than the last one.
        prj.TimePL[0].BGFile = dir.filePath("missing.bmp").toStdString();
        form().SyncView();
        QCOMPARE(grabCanvas().pixelColor(360, 200), empty);
    }

    // The playlist editor opens on a double click of "Main Window" only when a section
    // is current.
    void doubleClickOnMainWindowOpensThePlaylistEditor() {
        auto* panel = child("Panel_MainWin");
        QTest::mouseDClick(panel, Qt::LeftButton);
        QVERIFY(!app->PLForm->isVisible());
        QVERIFY(form().isEnabled());

        app->ed.Prj->TimeCount = 1;
        app->ed.Prj->CurTimeIndex = 0;
        ChooseWindow(app->ed, 3);
        QTest::mouseDClick(panel, Qt::LeftButton);
        QVERIFY(app->PLForm->isVisible());
        QVERIFY(!form().isEnabled());
        QCOMPARE(app->ed.PLWinIndex(), 0);
        app->PLForm->close();
        QVERIFY(form().isEnabled());
    }

    // The view is copied back only where it differs, so typing in the middle of a
    // field is not disturbed by the sync after Return.
    void typingInAFieldReachesTheViewAndKeepsTheCursor() {
        app->ed.Prj->TimeCount = 1;
        app->ed.Prj->CurTimeIndex = 0;
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        auto* edit = child<QLineEdit>("Edit_Left");
        edit->setFocus();
        edit->setText("10");
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QString("150"));
        QCOMPARE(edit->cursorPosition(), 2);
        QCOMPARE(form().View().PosFields[FieldLeft], std::string("150"));
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Left, 150);
    }

    // The list's menu works on the window chosen before: the right button chooses nothing.
    void listMenuFollowsTheViewAndTheRightButtonChoosesNothing() {
        auto& prj = *app->ed.Prj;
        prj.TimeCount = 1;
        prj.CurTimeIndex = 0;
        prj.TimePL[0].SubWinCount = MaxSubWin;
        app->ed.ListedSubWins = MaxSubWin;
        form().RunCommand([this] { ListBox_SubWinClick(app->ed, 0); });
        auto* list = child<QListWidget>("ListBox_SubWin");
        QCOMPARE(list->count(), MaxSubWin);
        QVERIFY(list->item(0)->isSelected());
        QVERIFY(!form().findChild<QAction*>("AddSubWin")->isEnabled());
        QVERIFY(form().findChild<QAction*>("DelSubWin")->isEnabled());

        const QPoint third = list->visualItemRect(list->item(2)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, third);
        QVERIFY(list->item(0)->isSelected());
        QVERIFY(!list->item(2)->isSelected());

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);  // the left one does
        QCOMPARE(form().View().SubWinListIndex, 2);

        prj.CurTimeIndex = -1;
        form().SyncView();
        QCOMPARE(list->count(), 0);
        QVERIFY(list->selectedItems().isEmpty());
    }

    void aboutBoxShowsWhoWeAre() {
        auto* d = app->AboutFrm.get();
        QCOMPARE(d->windowTitle(), QString("AboutFrm"));
        QCOMPARE(d->size(), QSize(476, 338));
        child<QToolButton>("tbsButton")->click();
        auto text = [d](const char* name) { return d->findChild<QLabel*>(name)->text(); };
        QCOMPARE(text("Label_Header"), QString("About"));
        QCOMPARE(d->findChild<QLabel*>("Label_Header")->height(), 41);
        QCOMPARE(text("Label_Name"), QString("Kestrel"));
        QCOMPARE(text("Label_Version"), QString("Version " KESTREL_VERSION));
        QVERIFY(!text("Label_Date").isEmpty());
        QVERIFY(!d->findChild<QLabel*>("Image_About")->pixmap().isNull());
        d->close();
    }

    void optionShowsTheDisplayMode() {
        auto* d = app->SettingForm.get();
        QCOMPARE(d->windowTitle(), QString("Display Window Setting"));
        QCOMPARE(d->size(), QSize(333, 230));
        QVERIFY(d->windowFlags() & Qt::WindowStaysOnTopHint);

        child<QToolButton>("btnSetting")->click();
        const char* names[5] = {"RadioButton_1280", "RadioButton_1360", "RadioButton_1440", "RadioButton_1680",
                                "RadioButton_1920"};
        for (int mode = 0; mode < 5; ++mode) {
            auto* r = d->findChild<QRadioButton*>(names[mode]);
            QVERIFY2(r, names[mode]);
            QCOMPARE(r->isChecked(), mode == 1);
            QCOMPARE(r->isEnabled(), mode == 1);
        }
        QCOMPARE(d->findChild<QRadioButton*>(names[1])->text(), QString("1360 x 768"));
        d->findChild<QPushButton*>("Button_OK")->click();
        QVERIFY(!d->isVisible());
        QVERIFY(form().isEnabled());
        QCOMPARE(app->ed.Display.DisplayWidth, 1360);
        QCOMPARE(app->ed.Display.DisplayHeight, 768);

        // A mode held from elsewhere is shown; the close box keeps it and refits the
        // picture panel, which the main window then shows.
        app->ed.Display = {4, 1920, 1080};
        child<QToolButton>("btnSetting")->click();
        QVERIFY(d->findChild<QRadioButton*>(names[4])->isChecked());
        d->close();
        QCOMPARE(app->ed.Display.DisplayMode, 4);
        QCOMPARE(child("Panel_Image")->geometry(), QRect(0, 60, 722, 406));
        QCOMPARE(child("imgBmp")->geometry(), QRect(1, 1, 720, 404));
    }

    void aFailureIsShownAndTheProgramGoesOn() {
        driver.answer({QMessageBox::Ok, QMessageBox::Ok});
        app->ed.Prj->TimeCount = 1;
        app->ed.Prj->CurTimeIndex = 0;
        form().RunCommand([this] {
            app->ed.Prj->TimePL[0].BGFile = "half done";  // what ran before the failure stays
            throw Error("Cannot create file \"/nowhere/x.XML\".");
        });
        form().RunCommand([] { throw std::out_of_range("vector index"); });
        QCOMPARE(driver.seen.size(), 2);
        QCOMPARE(driver.seen[0].title, QString("Kestrel"));
        QCOMPARE(driver.seen[0].text, QString("Cannot create file \"/nowhere/x.XML\"."));
        QCOMPARE(driver.seen[1].text, QString("vector index"));
        QCOMPARE(child<QLineEdit>("Edit_BGFile")->text(), QString("half done"));

        bool ran = false;
        form().RunCommand([&] { ran = true; });
        QVERIFY(ran);
        QVERIFY(form().isVisible());
        QVERIFY(form().isEnabled());
    }

    void markersArePaintedWithTheirLook() {
        auto& prj = *app->ed.Prj;
        prj.TimeCount = 2;
        prj.CurTimeIndex = 0;
        auto& rec = prj.TimePL[0];
        rec.MainWin.Shape = Shape{40, 30, 100, 80, true};       // highlighted
        rec.SubWin[1].Shape = Shape{300, 150, 120, 90, true};  // normal
        rec.SubWin[2].Shape = Shape{500, 300, 50, 50, false};   // hidden
        prj.TimePL[1].SubWin[1].Shape = Shape{600, 20, 60, 60, true};  // another section
        StoreShapeRect(app->ed, *rec.MainWin.Shape, rec.MainWin);
        rec.SubWinCount = 2;
        app->ed.ListedSubWins = 2;
        app->ed.Picture = PictureKind::Empty;
        form().RunCommand([this] { ChooseWindow(app->ed, 0); });
        const QImage img = grabCanvas();

        // Markers are in Panel_Image pixels; the image lies at (1, 1) inside it.
        auto at = [&](int panelX, int panelY) { return img.pixelColor(panelX - 1, panelY - 1); };
        auto countIn = [&](QRect r, QColor c) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) n += at(x, y) == c;
            return n;
        };

        // Highlighted: a 2-pixel red outline exactly on its bounds, red hatch inside.
        for (QPoint p : {QPoint(40, 30), QPoint(41, 31), QPoint(139, 109), QPoint(138, 108), QPoint(90, 30)})
            QVERIFY2(at(p.x(), p.y()) == kRed, qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
        for (QPoint p : {QPoint(39, 29), QPoint(140, 110), QPoint(90, 29)}) QVERIFY(at(p.x(), p.y()) != kRed);
        const QRect inside(43, 33, 94, 74);
        const int red = countIn(inside, kRed);
        QVERIFY2(red > inside.width() * inside.height() / 20 && red < inside.width() * inside.height() / 2,
                 qPrintable(QString::number(red)));

        // Normal: silver outline, yellow hatch with the picture between.
        QCOMPARE(at(300, 150), kSilver);
        QCOMPARE(at(419, 239), kSilver);
        const QRect inner(303, 153, 114, 84);
        const int yellow = countIn(inner, kYellow);
        QVERIFY(yellow > inner.width() * inner.height() / 20 && yellow < inner.width() * inner.height() / 2);
        QCOMPARE(countIn(inner, kRed), 0);

        // Hidden markers and those of other sections are not painted.
        QCOMPARE(countIn(QRect(500, 300, 51, 51), kRed), 0);
        QCOMPARE(countIn(QRect(600, 20, 61, 61), kRed), 0);
    }
};

KESTREL_WINDOW_TEST_MAIN(MainWindowTest)

#include "MainWindowTest.moc"
