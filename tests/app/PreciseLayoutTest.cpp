// Pixel work on the main window through real keys and the mouse: arrow-key nudges,
// snapping while dragging (and Ctrl to drag freely), the Snap toggle, the names and
// outlines on the picture, and a new section copied from a listed one.

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "layout/WindowList.h"
#include "support/AppSession.h"
#include "timesections/TimerList.h"
#include "ui/ImageCanvas.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

class PreciseLayoutTest : public QObject, public test::AppSession {
    Q_OBJECT

    TTimePLData& section(int i = -1) { return app->ed.Prj->TimePL[i < 0 ? app->ed.Prj->CurTimeIndex : i]; }
    QListWidget* list() { return child<QListWidget>("ListBox_SubWin"); }
    QString field(const char* name) { return child<QLineEdit>(name)->text(); }
    QAction* snapAction() { return form().findChild<QAction*>("Snap1"); }
    QImage grabCanvas() { return canvas()->grab().toImage(); }

    // New, the times, a copy choice (0 is "(none)"), OK.
    void addSection(int startHour, int endHour, int copyChoice = 0) {
        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        TTLForm* tl = app->TLForm.get();
        QVERIFY(tl->isVisible());
        tl->findChild<QSpinBox*>("SpinEdit_SHour")->setValue(startHour);
        tl->findChild<QSpinBox*>("SpinEdit_EHour")->setValue(endHour);
        tl->findChild<QComboBox*>("ComboBox_CopyFrom")->setCurrentIndex(copyChoice);
        QTest::mouseClick(tl->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
        QVERIFY(!tl->isVisible());
    }
    void addSubWindows(int n) {
        for (int i = 0; i < n; ++i) form().RunCommand([this] { AddSubWinClick(app->ed); });
    }
    void chooseItem(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
    }
    // A move with the button held, with the keys the hand holds.
    void dragMove(QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent move(QEvent::MouseMove, to, canvas()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, keys);
        QApplication::sendEvent(canvas(), &move);
    }
    // Hover, press, one move, and the release unless the button is to stay held.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier, bool release = true) {
        hover(from);
        QTest::mousePress(canvas(), Qt::LeftButton, {}, from);
        dragMove(to, keys);
        if (release) QTest::mouseRelease(canvas(), Qt::LeftButton, {}, to);
    }
    // The canvas column of a guide at image panel x (the canvas lies one pixel in).
    static bool columnHas(const QImage& img, int x, QColor colour) {
        for (int y = 0; y < img.height(); ++y)
            if (img.pixelColor(x, y) != colour) return false;
        return true;
    }

private slots:
    void initTestCase() { QSettings().remove("snap"); }
    void init() { QVERIFY(Start()); }
    void cleanup() {
        Stop();
        QSettings().remove("snap");
    }

    void arrowKeysNudgeTheChosenWindow() {
        addSection(8, 12);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);  // the 763 x 764 square at 0, 0
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(canvas()->hasFocus());
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            const char* left;
            const char* top;
            const char* width;
            const char* height;
        } steps[] = {
            {Qt::Key_Right, Qt::NoModifier, "1", "0", "763", "764"},
            {Qt::Key_Down, Qt::ShiftModifier, "1", "4", "763", "764"},  // the display's bottom edge stops it
            {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, "1", "4", "753", "764"},
            {Qt::Key_Up, Qt::ControlModifier, "1", "4", "753", "763"},
            {Qt::Key_Left, Qt::ShiftModifier, "0", "4", "753", "763"},
        };
        for (const auto& s : steps) {
            QTest::keyClick(canvas(), s.key, s.mods);
            QCOMPARE(field("Edit_Left"), QString(s.left));
            QCOMPARE(field("Edit_Top"), QString(s.top));
            QCOMPARE(field("Edit_Width"), QString(s.width));
            QCOMPARE(field("Edit_Height"), QString(s.height));
        }
        QCOMPARE(section().MainWin.Left, 0);
        QCOMPARE(section().MainWin.Height, 763);

        // Choosing a sub window that has no rectangle yet leaves none chosen: the list
        // keeps its own arrow keys then.
        addSubWindows(2);
        chooseItem(0);
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(section().MainWin.Left, 0);

        // SubWin1 drawn, then nudged from the focused list, which keeps its item.
        chooseItem(0);
        drag(QPoint(450, 50), QPoint(550, 150));
        const int left = section().SubWin[1].Left;
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(section().SubWin[1].Left, left + 10);
        QCOMPARE(field("Edit_Left"), QString::number(left + 10));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(section().MainWin.Left, 0);
    }

    // A section whose main window's square covers the picture's left part (image x 0 to
    // 405), with SubWin1 drawn to its right from (450, 50) to drawTo.
    void setUpSection(int subWindows, QPoint drawTo) {
        addSection(8, 12);
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);
        addSubWindows(subWindows);
        chooseItem(0);
        drag(QPoint(450, 50), drawTo, Qt::ControlModifier);
    }
    void setUpTwoSubWindows() {
        setUpSection(2, QPoint(520, 150));  // SubWin1's right edge at screen 980
        chooseItem(1);
    }

    void dragsSnapAndCtrlDragsFreely() {
        setUpTwoSubWindows();
        drag(QPoint(600, 50), QPoint(680, 150), Qt::ControlModifier);
        const TSubWinData& one = section().SubWin[1];
        const TSubWinData& two = section().SubWin[2];
        QCOMPARE(two.Left, 1130);  // nothing near: as drawn

        // SubWin2 dragged left until its left edge is 5 screen pixels from SubWin1's right.
        drag(QPoint(640, 100), QPoint(563, 100), Qt::NoModifier, false);
        QCOMPARE(two.Left, one.Left + one.Width);
        QCOMPARE(field("Edit_Left"), QString::number(one.Left + one.Width));
        const int guide = app->ed.SnapGuideX;
        QCOMPARE(guide, two.Shape->Left);
        QVERIFY(columnHas(grabCanvas(), guide - 1, ImageCanvas::GuideColor()));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, QPoint(563, 100));
        QVERIFY(!columnHas(grabCanvas(), guide - 1, ImageCanvas::GuideColor()));

        // With Ctrl held the same spot keeps the pointer's own place.
        const int snapped = two.Left;
        drag(QPoint(540, 100), QPoint(543, 100), Qt::ControlModifier);
        QCOMPARE(two.Left, 985);
        QVERIFY(two.Left != snapped);
        QCOMPARE(app->ed.SnapGuideX, -1);
    }

    void snapToggleIsRememberedBetweenRuns() {
        QVERIFY(snapAction());
        QVERIFY(snapAction()->isCheckable());
        QVERIFY(snapAction()->isChecked());  // on by default
        QVERIFY(form().findChild<QMenu*>("Tools1")->actions().contains(snapAction()));
        snapAction()->trigger();
        QVERIFY(!app->ed.SnapEnabled);

        Stop();
        QVERIFY(Start());
        QVERIFY(!snapAction()->isChecked());
        QVERIFY(!app->ed.SnapEnabled);
        setUpTwoSubWindows();
        drag(QPoint(526, 50), QPoint(600, 150));  // 6 picture pixels from SubWin1: not pulled
        QCOMPARE(section().SubWin[2].Left, 991);

        snapAction()->trigger();
        QVERIFY(app->ed.SnapEnabled);
        QCOMPARE(QSettings().value("snap").toString(), QString("1"));
    }

    void namesAndOutlinesOnThePicture() {
        setUpSection(1, QPoint(550, 150));
        drag(QPoint(500, 100), QPoint(150, 150));  // moved onto the main window
        QTest::mouseClick(child("Panel_MainWin"), Qt::LeftButton);  // main red, SubWin1 normal
        const Shape sub = *section().SubWin[1].Shape;
        QCOMPARE(sub.Left, 100);
        const QImage img = grabCanvas();
        // Name plates at the top-left corners, inside the 2-pixel outlines (canvas = panel - 1).
        QCOMPARE(img.pixelColor(1, 6), ImageCanvas::NamePlateColor());
        QCOMPARE(img.pixelColor(sub.Left + 1, sub.Top + 6), ImageCanvas::NamePlateColor());
        // SubWin1 over the main window's hatch: its silver outline, then a dark line inside.
        const int midY = sub.Top + sub.Height / 2 - 1;
        QCOMPARE(img.pixelColor(sub.Left - 1, midY), ImageCanvas::OutlineColor(false));
        QCOMPARE(img.pixelColor(sub.Left + 1, midY), QColor(0, 0, 0));
        // The chosen main window keeps its red outline.
        QCOMPARE(img.pixelColor(0, 200), QColor(255, 0, 0));
    }

    void newSectionCopiesALayout() {
        setUpSection(1, QPoint(550, 150));
        section(0).BGFile = "/media/bg.txt";

        QTest::mouseClick(child("SBtn_NewTimeList"), Qt::LeftButton);
        auto* copyFrom = app->TLForm->findChild<QComboBox*>("ComboBox_CopyFrom");
        QVERIFY(copyFrom->isVisible());
        QCOMPARE(copyFrom->count(), 2);
        QCOMPARE(copyFrom->itemText(0), QString("(none)"));
        QCOMPARE(copyFrom->itemText(1), QString("08:00 -- 12:00"));
        QCOMPARE(copyFrom->currentIndex(), 0);
        if (const QString shots = qEnvironmentVariable("KESTREL_SHOTS"); !shots.isEmpty())
            QVERIFY(app->TLForm->grab().save(shots + "/copy.png"));
        app->TLForm->close();

        addSection(13, 14, 1);
        QCOMPARE(app->ed.Prj->CurTimeIndex, 1);
        QCOMPARE(list()->count(), 1);
        QCOMPARE(child<QLineEdit>("Edit_BGFile")->text(), QString("/media/bg.txt"));
        const auto rect = [](const TSubWinData& w) { return QRect(w.Left, w.Top, w.Width, w.Height); };
        const QRect original = rect(section(0).SubWin[1]);
        QCOMPARE(rect(section(1).SubWin[1]), original);
        QCOMPARE(section(1).MainWin.Width, section(0).MainWin.Width);

        // A drag in the copy leaves the original where it was.
        chooseItem(0);
        drag(QPoint(500, 100), QPoint(520, 120));
        QVERIFY(rect(section(1).SubWin[1]) != original);
        QCOMPARE(rect(section(0).SubWin[1]), original);

        // Edit offers no copy.
        QTest::mouseClick(child("SBtn_EditTimeList"), Qt::LeftButton);
        QVERIFY(!copyFrom->isVisible());
        app->TLForm->close();
    }

    // The demo's first section: SubWin2 pulled up under SubWin1 meets its bottom edge
    // exactly; with KESTREL_SHOTS set, the picture is taken while the button is held.
    void demoSubWindowSnapsUnderItsNeighbour() {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QDir demo(KESTREL_DEMO_DIR);
        for (const QString& name : demo.entryList(QDir::Files))
            QVERIFY(QFile::copy(demo.filePath(name), tmp.filePath(name)));
        driver.fileDialog([&](QFileDialog* d) { test::ChooseFile(d, tmp.filePath("DEMO.XML")); });
        QTest::mouseClick(child("btnOpenPrj"), Qt::LeftButton);
        QCOMPARE(list()->count(), 2);

        chooseItem(1);
        const Shape start = *section().SubWin[2].Shape;
        const QPoint grip(start.Left + start.Width / 2, start.Top + start.Height / 2);
        drag(grip, grip + QPoint(0, 208 - start.Top), Qt::NoModifier, false);
        QCOMPARE(section().SubWin[2].Top, 384);  // SubWin1's bottom
        QCOMPARE(section().SubWin[2].Height, 150);
        QVERIFY(app->ed.SnapGuideY >= 0);
        const QString shots = qEnvironmentVariable("KESTREL_SHOTS");
        if (!shots.isEmpty()) QVERIFY(form().grab().save(shots + "/snap.png"));
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, grip);
        QCOMPARE(section().SubWin[2].Top, 384);
    }
};

KESTREL_WINDOW_TEST_MAIN(PreciseLayoutTest)

#include "PreciseLayoutTest.moc"
