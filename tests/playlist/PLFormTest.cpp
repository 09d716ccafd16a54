// The playlist dialog alone, over a plain widget standing in for the main window.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

#include "layout/WindowList.h"
#include "playlist/PLData.h"
#include "support/FakePlatform.h"

using namespace kestrel;

class PLFormTest : public QObject {
    Q_OBJECT
private slots:
    void addFilesSetVolumeAndOk();
    void cancelLeavesTheModel();
    void screenshotWithLongPaths();
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
    void Open() {
        QVERIFY(Panel_MainWinDblClick(ed));
        form.ShowOverMain();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
};
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

QTEST_MAIN(PLFormTest)
#include "PLFormTest.moc"
