// The drawing behind kestrel-tool render, on pictures of known colours in a real folder.
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include <limits>
#include <memory>

#include "tool/ProjectRender.h"

using namespace kestrel;

namespace {

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kYellow(255, 255, 0), kPlaceholder(96, 96, 104);

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    Project prj;

    std::string Path(const char* name) { return (dir.path() + "/" + name).toStdString(); }

private slots:
    void initTestCase() {
        QImage bg(4, 4, QImage::Format_RGB32);
        bg.fill(kBlue);
        QVERIFY(bg.save(dir.filePath("bg.bmp")));
        QImage halves(20, 10, QImage::Format_RGB32);  // left half red, right half yellow
        halves.fill(kRed);
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x) halves.setPixelColor(x, y, kYellow);
        QVERIFY(halves.save(dir.filePath("halves.bmp")));
        QFile clip(dir.filePath("clip.mp4"));
        QVERIFY(clip.open(QIODevice::WriteOnly) && clip.write("not a picture") > 0);

        prj.TimeCount = 2;
        TTimePLData& s = prj.TimePL[0];
        s.BGFile = Path("bg.bmp");
        s.MainWin.Left = 100, s.MainWin.Top = 100, s.MainWin.Width = 400, s.MainWin.Height = 200;
        s.MainWin.PLCount = 1;
        s.MainWin.PL[0] = {1, 50, Path("halves.bmp")};
        s.SubWinCount = 3;
        auto sub = [&](int j, int left, int top, int width, std::vector<std::string> files) {
            TSubWinData& w = s.SubWin[j];
            w.Left = left, w.Top = top, w.Width = width, w.Height = 100;
            w.PLCount = static_cast<int>(files.size());
            for (size_t k = 0; k < files.size(); ++k) w.PL[k] = {0, 1, files[k]};
        };
        sub(1, 900, 50, 200, {Path("clip.mp4")});
        sub(2, 900, 400, 200, {Path("gone.jpg"), Path("halves.bmp")});  // only the first entry counts
        sub(3, 600, 600, 0, {Path("halves.bmp")});
    }

    void drawsTheScreenFromItsPictures() {
        const QImage screen = RenderSection(prj, 0);
        QCOMPARE(screen.size(), QSize(1360, 768));
        QCOMPARE(screen.pixelColor(700, 700), kBlue);  // the background, stretched
        QCOMPARE(screen.pixelColor(620, 650), kBlue);  // a window without width is not drawn
        // The main window's picture stretched over its rectangle: red on the left, yellow right.
        QCOMPARE(screen.pixelColor(150, 250), kRed);
        QCOMPARE(screen.pixelColor(290, 250), kRed);
        QCOMPARE(screen.pixelColor(310, 250), kYellow);
        QCOMPARE(screen.pixelColor(499, 299), kYellow);
        QCOMPARE(screen.pixelColor(500, 300), kBlue);
        // A video and a missing file each get a placeholder.
        QCOMPARE(screen.pixelColor(1095, 145), kPlaceholder);
        QCOMPARE(screen.pixelColor(1095, 495), kPlaceholder);
        QCOMPARE(screen.pixelColor(1100, 495), kBlue);
    }

    void labelsEachWindowWithItsName() {
        const QImage screen = RenderSection(prj, 0);
        auto lightPixels = [&](const QRect& r) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) n += screen.pixelColor(x, y).lightness() > 200;
            return n;
        };
        // White letters on a dark box in the top left corner of each drawn window.
        QVERIFY(lightPixels(QRect(100, 100, 80, 16)) > 20);
        QVERIFY(lightPixels(QRect(900, 50, 50, 16)) > 20);
        QCOMPARE(lightPixels(QRect(150, 130, 80, 16)), 0);  // red below the label
    }

    // A named pipe among the pictures of a received folder is no picture: the screen is
    // drawn without waiting for a writer.
    void aNamedPipeIsNoPicture() {
        QVERIFY(::mkfifo(Path("pipe.jpg").c_str(), 0644) == 0);
        auto piped = std::make_unique<Project>(prj);
        piped->TimePL[0].BGFile = Path("pipe.jpg");
        piped->TimePL[0].MainWin.PL[0].FileName = Path("pipe.jpg");
        const QImage screen = RenderSection(*piped, 0);
        QCOMPARE(screen.pixelColor(700, 700), QColor(0, 0, 0));  // no background
        QCOMPARE(screen.pixelColor(150, 250), kPlaceholder);
    }

    // A rectangle from a damaged file that reaches far off the screen is still drawn, and
    // labelled, where it lies on it.
    void aWindowReachingFarOffTheScreenIsDrawnWhereItIsOnIt() {
        auto wide = std::make_unique<Project>(prj);
        TSubWinData& w = wide->TimePL[0].SubWin[2];  // a placeholder, as its file is gone
        w.Width = std::numeric_limits<int>::max();
        const QImage screen = RenderSection(*wide, 0);
        QCOMPARE(screen.pixelColor(1355, 495), kPlaceholder);
        int light = 0;
        for (int y = 400; y < 416; ++y)
            for (int x = 900; x < 950; ++x) light += screen.pixelColor(x, y).lightness() > 200;
        QVERIFY(light > 20);
    }

    void aSectionWithoutBackgroundIsDark() {
        const QImage screen = RenderSection(prj, 1);
        QCOMPARE(screen.pixelColor(700, 700), QColor(0, 0, 0));
        // No main window rectangle: nothing is drawn, not even a label.
        QCOMPARE(screen.pixelColor(2, 2), QColor(0, 0, 0));
    }
};

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
