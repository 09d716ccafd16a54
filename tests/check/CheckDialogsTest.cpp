// The Check Project dialog and the Day Plan in the whole program, on a copy of the demo.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QtTest>

#include "check/CheckForm.h"
#include "check/DayPlanForm.h"
#include "support/AppSession.h"
#include "settings/TPSetting.h"
#include "timesections/TimerList.h"

using namespace kestrel;

class CheckDialogsTest : public QObject, public test::AppSession {
    Q_OBJECT

    QTemporaryDir tmp;

    // Opens a copy of the demo without `missing`, as the user does.
    void openDemo(const QString& missing = {}) {
        const QDir demo(KESTREL_DEMO_DIR);
        for (const QString& name : demo.entryList(QDir::Files)) {
            QFile::remove(tmp.filePath(name));
            if (name != missing) QVERIFY(QFile::copy(demo.filePath(name), tmp.filePath(name)));
        }
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, tmp.filePath("DEMO.XML")); });
        QTest::mouseClick(child("btnOpenPrj"), Qt::LeftButton);
        QCOMPARE(timeList()->count(), 3);
    }
    QComboBox* timeList() { return child<QComboBox>("ComboBox_TimeList"); }
    void chooseInTimeList(int index) {
        while (timeList()->currentIndex() < index) QTest::keyClick(timeList(), Qt::Key_Down);
        while (timeList()->currentIndex() > index) QTest::keyClick(timeList(), Qt::Key_Up);
    }
    // Every stored rectangle and time: what an edit would change.
    QString records() {
        QString text;
        for (const TTimePLData& r : app->ed.Prj->TimePL) {
            text += QString("%1-%2 %3,%4,%5,%6").arg(r.StartTime).arg(r.EndTime).arg(r.MainWin.Left).arg(r.MainWin.Top)
                        .arg(r.MainWin.Width).arg(r.MainWin.Height);
            for (int j = 1; j <= MaxSubWin; ++j)
                text += QString(" %1,%2,%3,%4").arg(r.SubWin[j].Left).arg(r.SubWin[j].Top).arg(r.SubWin[j].Width)
                            .arg(r.SubWin[j].Height);
        }
        return text;
    }
    // A picture of the dialog for the README when KESTREL_SHOTS names a folder.
    void shoot(QWidget* dialog, const char* name) {
        const QString shots = qEnvironmentVariable("KESTREL_SHOTS");
        if (!shots.isEmpty()) QVERIFY(dialog->grab().save(shots + "/" + name + ".png"));
    }
    // As a hand does it: the row is clicked, then double-clicked.
    void doubleClickRow(QTableWidget* grid, int row) {
        const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void clickBar(int section) {
        QTest::mouseClick(app->DayPlanForm->Strip(), Qt::LeftButton, {}, app->DayPlanForm->BarRect(section).center());
    }

    // The main window chosen and a width typed into its field, not yet applied.
    void typeMainWidthWithoutReturn(const QString& text) {
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        auto* width = child<QLineEdit>("Edit_Width");
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, text);
    }

private slots:
    void init() { QVERIFY(tmp.isValid() && Start()); }
    void cleanup() { Stop(); }

    void checkListsTheFindingsAndADoubleClickChoosesTheirPlace() {
        openDemo("clock.bmp");
        chooseInTimeList(2);
        const QString before = records();
        QAction* check = form().findChild<QAction*>("Check1");
        QCOMPARE(check->shortcut(), QKeySequence(Qt::Key_F7));
        QCOMPARE(check->text(), QString("Check Project"));
        check->trigger();

        TCheckForm* dialog = app->CheckForm.get();
        QVERIFY(dialog->isVisible());
        QVERIFY(!form().isEnabled());
        QCOMPARE(dialog->findChild<QLabel*>("Label_Summary")->text(), QString("1 error, 2 notes"));
        QTableWidget* grid = dialog->Grid();
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 0)->text(), QString("error"));
        QCOMPARE(grid->item(0, 1)->text(), QString("08:00 -- 11:30, SubWin2, entry 1"));
        QCOMPARE(grid->item(0, 2)->text(), QString("clock.bmp is not in the project folder"));
        QCOMPARE(grid->item(2, 1)->text(), QString("22:00 -- 24:00"));
        shoot(dialog, "check");

        // A finding of the day as a whole places nothing: the dialog stays.
        doubleClickRow(grid, 2);
        QVERIFY(dialog->isVisible());
        QCOMPARE(app->ed.Prj->CurTimeIndex, 2);

        doubleClickRow(grid, 0);
        QVERIFY(!dialog->isVisible());
        QVERIFY(form().isEnabled());
        QCOMPARE(timeList()->currentIndex(), 0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(child<QListWidget>("ListBox_SubWin")->currentRow(), 1);
        QCOMPARE(app->ed.PLWinIndex(), 2);
        QCOMPARE(records(), before);  // choosing is no edit

        // Mended, the check finds nothing to fix.
        QVERIFY(QFile::copy(QString(KESTREL_DEMO_DIR) + "/clock.bmp", tmp.filePath("clock.bmp")));
        check->trigger();
        QCOMPARE(dialog->findChild<QLabel*>("Label_Summary")->text(), QString("2 notes"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("SBtn_Close"), Qt::LeftButton);
        QVERIFY(form().isEnabled());
    }

    // With the keys alone: F7 lists the findings, Down goes to one, Return chooses its place.
    void returnOnAFindingChoosesItsPlace() {
        openDemo("clock.bmp");
        chooseInTimeList(2);
        QTest::keyClick(&form(), Qt::Key_F7);
        TCheckForm* dialog = app->CheckForm.get();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTableWidget* grid = dialog->Grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentRow(), 0);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(app->ed.PLWinIndex(), 2);
    }

    // A size typed and not yet applied is the section's before the plan chooses another.
    void aSectionChosenOnThePlanKeepsTheValueBeingTyped() {
        openDemo();
        typeMainWidthWithoutReturn("900");
        form().findChild<QAction*>("DayPlan1")->trigger();
        clickBar(1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 900);
    }

    // F7 while a width is being typed checks the width the field shows: 0, an empty window.
    void checkTakesTheValueBeingTyped() {
        openDemo();
        typeMainWidthWithoutReturn("0");
        form().findChild<QAction*>("Check1")->trigger();  // F7
        QVERIFY(app->CheckForm->isVisible());
        QCOMPARE(app->ed.Prj->TimePL[0].MainWin.Width, 0);
        QCOMPARE(app->CheckForm->findChild<QLabel*>("Label_Summary")->text(), QString("1 warning, 2 notes"));
        QTest::keyClick(app->CheckForm.get(), Qt::Key_Escape);
    }

    // Adds a section through the time list editor, as a user does.
    void addSection(int sh, int sm, int eh, int em) {
        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        TTLForm* editor = app->TLForm.get();
        QVERIFY(editor->isVisible());
        editor->findChild<QSpinBox*>("SpinEdit_SHour")->setValue(sh);
        editor->findChild<QSpinBox*>("SpinEdit_SMinute")->setValue(sm);
        editor->findChild<QSpinBox*>("SpinEdit_EHour")->setValue(eh);
        editor->findChild<QSpinBox*>("SpinEdit_EMinute")->setValue(em);
        QTest::mouseClick(editor->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QVERIFY(!editor->isVisible());
    }
    // Pixels unlike the bar's fill on a line just inside a section's bar, above its label:
    // the focus mark.
    int markOn(int section) {
        const QRect bar = app->DayPlanForm->BarRect(section);
        const QImage shot = app->DayPlanForm->Strip()->grab().toImage();
        const QColor fill = shot.pixelColor(bar.left() + 1, bar.top() + 1);
        int marked = 0;
        for (int x = bar.left() + 3; x < bar.right() - 3; ++x) marked += shot.pixelColor(x, bar.top() + 3) != fill;
        return marked;
    }

    // With the keys alone: the plan opens with the keys on the current section's bar, the
    // arrows go from bar to bar by start time (sections that start together in list
    // order), stop at either end, and Return or Enter chooses the bar, as a click does.
    void dayPlanWithTheKeys() {
        openDemo();  // 0: 08:00 -- 11:30, 1: 11:30 -- 18:00, 2: 18:00 -- 22:00
        addSection(6, 0, 7, 0);     // 3: the earliest, listed after the others
        addSection(11, 30, 12, 0);  // 4: starts with 1, ends first, listed after it
        chooseInTimeList(1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);
        form().findChild<QAction*>("DayPlan1")->trigger();
        TDayPlanForm* dialog = app->DayPlanForm.get();
        QWidget* strip = dialog->Strip();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), strip);
        QCOMPARE(strip->accessibleName(), QString("11:30 -- 18:00"));
        QVERIFY(markOn(1) > 0);
        QCOMPARE(markOn(0), 0);

        const struct { Qt::Key key; const char* bar; } steps[] = {
            {Qt::Key_Right, "11:30 -- 12:00"}, {Qt::Key_Right, "18:00 -- 22:00"},
            {Qt::Key_Down, "18:00 -- 22:00"},  // the last stays
            {Qt::Key_Left, "11:30 -- 12:00"}, {Qt::Key_Up, "11:30 -- 18:00"}, {Qt::Key_Left, "08:00 -- 11:30"},
            {Qt::Key_Up, "06:00 -- 07:00"},   {Qt::Key_Left, "06:00 -- 07:00"},  // the first stays
            {Qt::Key_Down, "08:00 -- 11:30"},
        };
        for (const auto& step : steps) {
            QTest::keyClick(QApplication::focusWidget(), step.key);
            QCOMPARE(strip->accessibleName(), QString(step.bar));
        }
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);  // going along the plan chooses nothing
        QVERIFY(markOn(0) > 0);
        QCOMPARE(markOn(1), 0);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 0);
        QCOMPARE(timeList()->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 3);
        QCOMPARE(strip->accessibleName(), QString("06:00 -- 07:00"));
        QVERIFY(strip->accessibleDescription().contains("current"));
    }

    void dayPlanChoosesASectionAndFollowsTheSections() {
        openDemo();
        QAction* plan = form().findChild<QAction*>("DayPlan1");
        QCOMPARE(plan->text(), QString("Day Plan"));
        plan->trigger();
        TDayPlanForm* dialog = app->DayPlanForm.get();
        QVERIFY(dialog->isVisible());
        QVERIFY(form().isEnabled());  // the plan only shows; the main window stays usable
        QCOMPARE(dialog->Plan().Bars.size(), size_t(3));
        QCOMPARE(dialog->Plan().Rows, 1);

        clickBar(2);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 2);
        shoot(dialog, "dayplan");
        QCOMPARE(timeList()->currentIndex(), 2);

        // While the time list editor is open, a click on the plan chooses nothing.
        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        TTLForm* editor = app->TLForm.get();
        QVERIFY(editor->isVisible());
        clickBar(0);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 2);
        editor->findChild<QSpinBox*>("SpinEdit_SHour")->setValue(10);
        editor->findChild<QSpinBox*>("SpinEdit_EHour")->setValue(12);
        QTest::mouseClick(editor->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QVERIFY(!editor->isVisible());

        // The new section shares time with the first: it gets a row of its own.
        QCOMPARE(dialog->Plan().Bars.size(), size_t(4));
        QCOMPARE(dialog->Plan().Rows, 2);
        QCOMPARE(dialog->BarRect(3).top(), dialog->BarRect(0).bottom() + 5);

        driver.answer({QMessageBox::Yes});
        QTest::mouseClick(child("SBtn_DeleteTimeList"), Qt::LeftButton);
        QCOMPARE(timeList()->count(), 3);
        QCOMPARE(dialog->Plan().Bars.size(), size_t(3));
        QCOMPARE(dialog->Plan().Rows, 1);
        clickBar(1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);

        // Closing the plan while another dialog is open leaves the main window waiting
        // for that dialog.
        QTest::mouseClick(child("btnSetting"), Qt::LeftButton);
        QVERIFY(app->SettingForm->isVisible());
        dialog->close();
        QVERIFY(!form().isEnabled());
        app->SettingForm->close();
        QVERIFY(form().isEnabled());
        plan->trigger();

        // Open beside the main window, the plan would keep the program running after it.
        driver.answer({QMessageBox::Yes});
        form().close();
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(CheckDialogsTest)
#include "CheckDialogsTest.moc"
