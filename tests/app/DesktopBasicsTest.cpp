// What every desktop editor has, through the real windows: the Edit menu and its keys,
// the title, the questions before work is lost, the command line, the recent projects,
// tooltips and the status bar.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <memory>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "storage/RecentProjects.h"
#include "support/AppSession.h"
#include "support/ModalDriver.h"
#include "timesections/TimerList.h"

using namespace kestrel;

class DesktopBasicsTest : public QObject, public test::AppSession {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;  // a fresh one for each test
    QString path(const QString& name) { return dir->filePath(name); }

    QAction* action(const char* name) { return form().findChild<QAction*>(name); }
    QComboBox* timeList() { return child<QComboBox>("ComboBox_TimeList"); }
    // The title as the window manager shows it, "*" in place of "[*]".
    QString shownTitle() { return form().windowHandle()->title(); }
    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m) { QTest::keyClick(w, k, m); }

    void newSection(int sh, int eh) {
        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        TTLForm* tl = app->TLForm.get();
        QVERIFY(tl->isVisible());
        tl->findChild<QSpinBox*>("SpinEdit_SHour")->setValue(sh);
        tl->findChild<QSpinBox*>("SpinEdit_EHour")->setValue(eh);
        QTest::mouseClick(tl->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QVERIFY(!tl->isVisible());
    }
    // Save as, into the test's folder; the report is answered.
    void saveAs(const QString& name) {
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, path(name)); });
        driver.answer({QMessageBox::Ok});
        action("SaveAs")->trigger();
        QCOMPARE(driver.pendingCount(), 0);
    }
    // The recent projects menu as it shows when opened.
    QStringList recentItems() {
        QMenu* menu = form().findChild<QMenu*>("OpenRecent1");
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) items << a->text();
        return items;
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(Start());
        ClearRecentProjects(app->platform);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }
    void cleanup() { Stop(); }

    void editMenuUndoesAndRedoesFromItsKeys() {
        QStringList menus;
        for (QAction* a : form().menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
        QVERIFY(form().findChild<QMenu*>("Edit1"));
        QAction* undo = action("Undo1");
        QAction* redo = action("Redo1");
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->text(), QString("&Undo"));

        newSection(8, 9);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QString("&Undo Add Time Section"));
        key(&form(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(timeList()->count(), 0);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString("&Redo Add Time Section"));
        key(&form(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(timeList()->count(), 1);
        QCOMPARE(timeList()->currentText(), QString("08:00 -- 09:00"));
        key(&form(), Qt::Key_Z, Qt::ControlModifier);
        key(&form(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(timeList()->count(), 1);

        // In a position field the keys undo the project's step, not the field's typing.
        QTest::mouseClick(child<QWidget>("Panel_MainWin"), Qt::LeftButton);  // places the default square
        QCOMPARE(undo->text(), QString("&Undo Place Main Window"));
        auto* width = child<QLineEdit>("Edit_Width");
        const QString shown = width->text();
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, "300");
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 300);
        QCOMPARE(undo->text(), QString("&Undo Type Main Window Position"));  // the whole value, one step
        key(width, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(width->text(), shown);
        QCOMPARE(QString::number(app->ed.Prj->TimePL[0].MainWin.Width), shown);
        QCOMPARE(undo->text(), QString("&Undo Place Main Window"));
    }

    void titleNamesTheProjectAndMarksChanges() {
        QCOMPARE(shownTitle(), QString::fromUtf8("Untitled — Kestrel"));
        newSection(8, 9);
        QCOMPARE(shownTitle(), QString::fromUtf8("Untitled* — Kestrel"));
        saveAs("plan");
        QVERIFY(driver.seen.last().text.startsWith("Save completed!"));
        QCOMPARE(driver.seen.last().titleBehind, QString::fromUtf8("plan.XML — Kestrel"));
        QCOMPARE(shownTitle(), QString::fromUtf8("plan.XML — Kestrel"));
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        QCOMPARE(shownTitle(), QString::fromUtf8("plan.XML* — Kestrel"));
        action("Undo1")->trigger();  // back to what was saved
        QCOMPARE(shownTitle(), QString::fromUtf8("plan.XML — Kestrel"));
    }

    void newAndOpenAskOnlyWhenWorkWouldBeLost() {
        const QString newText = "Create new project will lost the before operation, do you want continue?";
        const QString openText = "Open new project will lost the before operation, do you want continue?";
        newSection(8, 9);
        saveAs("plan");
        driver.seen.clear();

        // Saved: Open goes straight to its dialog, New straight to an empty project.
        driver.fileDialog([](QFileDialog* d) { d->reject(); });
        action("Open_Prj")->trigger();
        QCOMPARE(driver.pendingCount(), 0);
        QVERIFY(driver.seen.isEmpty());
        QCOMPARE(timeList()->count(), 1);

        // A layout only, no playlist anywhere: both ask, and No keeps it.
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        driver.answer({QMessageBox::No, QMessageBox::No});
        action("New_Prj")->trigger();
        action("Open_Prj")->trigger();
        QCOMPARE(driver.seen.size(), 2);
        QCOMPARE(driver.seen[0].text, newText);
        QCOMPARE(driver.seen[1].text, openText);
        QCOMPARE(driver.seen[1].title, QString("Warning"));
        QCOMPARE(timeList()->count(), 1);
        QVERIFY(app->ed.Prj->TimePL[0].MainWin.Width > 0);

        // Undone back to the save: nothing is asked again.
        action("Undo1")->trigger();
        driver.seen.clear();
        action("New_Prj")->trigger();
        QVERIFY(driver.seen.isEmpty());
        QCOMPARE(timeList()->count(), 0);
        QCOMPARE(shownTitle(), QString::fromUtf8("Untitled — Kestrel"));
        QVERIFY(!action("Undo1")->isEnabled());
    }

    // A value typed into a position field and not yet applied (no Return, the field not
    // left) is the user's work too: Save writes it, and New asks before it is lost.
    void aValueStillBeingTypedIsSavedAndAskedFor() {
        newSection(8, 9);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        saveAs("plan");
        QVERIFY(QTest::qWaitForWindowActive(&form()));  // the keys are the main window's again
        auto* width = child<QLineEdit>("Edit_Width");
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, "500");

        driver.answer({QMessageBox::Ok});
        key(width, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(driver.pendingCount(), 0);
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 500);
        QFile saved(path("plan.XML"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("w=\"500\""));
        QCOMPARE(shownTitle(), QString::fromUtf8("plan.XML — Kestrel"));

        QVERIFY(QTest::qWaitForWindowActive(&form()));
        width->selectAll();
        QTest::keyClicks(width, "400");
        driver.answer({QMessageBox::No});
        key(width, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(driver.pendingCount(), 0);
        QCOMPARE(driver.seen.last().text,
                 QString("Create new project will lost the before operation, do you want continue?"));
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 400);
    }

    void commandLineOpensTheProject() {
        const QString demo = path("DEMO.XML");
        for (const QString& name : QDir(KESTREL_DEMO_DIR).entryList(QDir::Files))
            QVERIFY(QFile::copy(QDir(KESTREL_DEMO_DIR).filePath(name), path(name)));

        app->OpenFromCommandLine({"kestrel"});  // no file: nothing happens
        QCOMPARE(timeList()->count(), 0);

        // A name relative to where the program was started.
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir->path());
        app->OpenFromCommandLine({"kestrel", "DEMO.XML"});
        QDir::setCurrent(before);
        QVERIFY(timeList()->count() > 0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(QString::fromStdString(app->ed.Prj->PrjFileName), demo);
        QCOMPARE(QString::fromStdString(app->ed.Prj->PrjDir), dir->path() + "/");
        QCOMPARE(shownTitle(), QString::fromUtf8("DEMO.XML — Kestrel"));
        QCOMPARE(recentItems().first(), "&1 " + demo);

        // A file that is not there: Open's message, and the project stays.
        driver.answer({QMessageBox::Ok});
        app->OpenFromCommandLine({"kestrel", path("missing.XML")});
        QCOMPARE(driver.seen.size(), 1);
        QVERIFY2(driver.seen[0].text.contains("missing.XML"), qPrintable(driver.seen[0].text));
        QCOMPARE(QString::fromStdString(app->ed.Prj->PrjFileName), demo);
    }

    void openRecentRemembersBetweenRuns() {
        saveAs("first");
        saveAs("second");
        const QString first = path("first.XML"), second = path("second.XML");
        QCOMPARE(recentItems(), (QStringList{"&1 " + second, "&2 " + first, "Clear Menu"}));

        Stop();  // the next run remembers them
        QVERIFY(Start());
        QCOMPARE(recentItems(), (QStringList{"&1 " + second, "&2 " + first, "Clear Menu"}));

        // A project that is gone: a message, and it leaves the menu.
        QVERIFY(QFile::remove(second));
        driver.answer({QMessageBox::Ok});
        form().findChild<QAction*>("RecentProject1")->trigger();
        QCOMPARE(driver.seen.size(), 1);
        QVERIFY(driver.seen[0].text.contains("cannot be found"));
        QCOMPARE(recentItems(), (QStringList{"&1 " + first, "Clear Menu"}));

        form().findChild<QAction*>("RecentProject1")->trigger();
        QCOMPARE(shownTitle(), QString::fromUtf8("first.XML — Kestrel"));

        form().findChild<QAction*>("ClearRecent1")->trigger();
        QCOMPARE(recentItems(), QStringList{"Clear Menu"});
        QVERIFY(!form().findChild<QAction*>("ClearRecent1")->isEnabled());
    }

    void tooltipsAndStatusBar() {
        QCOMPARE(child<QToolButton>("btnOpenPrj")->toolTip(), "Open (" + QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText) + ")");
        QCOMPARE(child<QToolButton>("btnExit")->toolTip(), QString("Exit (Ctrl+Q)"));
        QCOMPARE(child<QToolButton>("btnSetting")->toolTip(), QString("Option"));

        auto* pointer = child<QLabel>("Status_Pointer");
        auto* window = child<QLabel>("Status_Window");
        QVERIFY(form().statusBar()->isVisible());
        newSection(8, 9);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        const TMainWinData& main = app->ed.Prj->TimePL[0].MainWin;
        QCOMPARE(window->text(), QString("Main Window: Start X 0, Start Y 0, Width %1, Height %2")
                                     .arg(main.Width).arg(main.Height));
        // The picture panel's corners are the target screen's.
        hover(QPoint(0, 0));
        QCOMPARE(pointer->text(), QString("Pointer: 0, 0"));
        hover(QPoint(app->ed.Panel.Width, app->ed.Panel.Height));
        QCOMPARE(pointer->text(), QString("Pointer: 1360, 768"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(canvas(), &leave);
        QVERIFY(pointer->text().isEmpty());
    }
};

QTEST_MAIN(DesktopBasicsTest)
#include "DesktopBasicsTest.moc"
