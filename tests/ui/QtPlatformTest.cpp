// The desktop seam against real Qt boxes and dialogs on the offscreen platform.

// The mouse reaches a widget through its window, as the window system delivers it, so
// that whatever watches the window's events sees a test's clicks too.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "support/ModalDriver.h"
#include "ui/ConventionDialog.h"
#include "ui/QtPlatform.h"
#include "ui/Resources.h"

#include <QProgressDialog>
#include <QPushButton>
#include <atomic>
#include <chrono>
#include <thread>

using namespace kestrel;

class QtPlatformTest : public QObject {
    Q_OBJECT
    test::ModalDriver driver;
    QtPlatform platform;

private slots:
    void cleanup() {
        driver.closeAll();
        driver.seen.clear();
    }

    void filtersBecomeQtFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("project") << "XML file (*.XML)|*.XML" << "XML file (*.XML)";
        QTest::newRow("all") << "All (*.*)|*.*" << "All (*.*)";
        QTest::newRow("two pairs") << "XML File (*.XML)|*.XML|All (*.*)|*.*" << "XML File (*.XML);;All (*.*)";
        QTest::newRow("several patterns") << "Pictures (*.jpg;*.bmp)|*.jpg;*.bmp" << "Pictures (*.jpg *.bmp)";
        QTest::newRow("caption without patterns") << "Media|*.avi;*.mpg" << "Media (*.avi *.mpg)";
        QTest::newRow("pattern only") << "|*.txt" << "*.txt (*.txt)";
        QTest::newRow("empty") << "" << "";
    }
    void filtersBecomeQtFilters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(QtPlatform::QtFilter(filter.toStdString()), qt);
    }

    void messagesShowTheirCaptionIconAndButtons() {
        driver.answer({QMessageBox::Yes, QMessageBox::No, QMessageBox::Escape, QMessageBox::Ok});
        QCOMPARE(platform.Message("Confirm", "Sure ?", Buttons::YesNo, Icon::Question), Answer::Yes);
        QCOMPARE(platform.Message("Warning", "Go on?", Buttons::YesNo, Icon::Warning), Answer::No);
        // Escape (and the close box) is no Yes.
        QCOMPARE(platform.Message("Warning", "Go on?", Buttons::YesNo, Icon::Warning), Answer::No);
        platform.Report("Save completed!");
        QCOMPARE(driver.seen.size(), 4);
        QCOMPARE(driver.seen[0].title, QString("Confirm"));
        QCOMPARE(driver.seen[0].text, QString("Sure ?"));
        QCOMPARE(driver.seen[0].icon, QMessageBox::Question);
        QCOMPARE(driver.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(driver.seen[1].icon, QMessageBox::Warning);
        QCOMPARE(driver.seen[3].title, QString("Kestrel"));
        QCOMPARE(driver.seen[3].icon, QMessageBox::NoIcon);
        QCOMPARE(driver.seen[3].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // A dialog open over the disabled main window asks and reports too: its boxes and
    // file choosers must not inherit the main window's disabled state, and they belong to
    // the dialog, so that a window manager keeps them above it.
    void boxesAndChoosersOverADisabledMainWindowTakeInput() {
        QWidget main;
        main.show();
        main.setEnabled(false);
        QWidget dialog;  // a top-level dialog of its own, like every editor dialog
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QtPlatform p(&main);

        driver.answer({QMessageBox::Ok});
        p.Report("Bad entry");
        QCOMPARE(driver.seen.size(), 1);
        QVERIFY(driver.seen[0].enabled);
        QCOMPARE(driver.seen[0].parent, &dialog);
        QTRY_COMPARE(QApplication::activeWindow(), &dialog);  // the keys are the dialog's again

        bool enabled = false;
        QWidget* parent = nullptr;
        driver.fileDialog([&](QFileDialog* d) {
            enabled = d->isEnabled();
            parent = d->parentWidget();
            d->reject();
        });
        p.OpenFiles("All (*.*)|*.*", QDir::tempPath().toStdString());
        QVERIFY(enabled);
        QCOMPARE(parent, &dialog);

        // With the dialog gone, they belong to the main window again.
        dialog.hide();
        driver.answer({QMessageBox::Ok});
        p.Report("Saved");
        QCOMPARE(driver.seen.size(), 2);
        QCOMPARE(driver.seen[1].parent, &main);
    }

    // The playlist editor reports a refused file right after its file chooser closed,
    // before the window system has given the dialog its activation back: the box still
    // belongs to the dialog, not to the disabled main window, which a window manager
    // would raise over the dialog and leave there once the box is closed.
    void aBoxRightAfterAChooserBelongsToTheDialogOverTheMainWindow() {
        QWidget main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        ConventionDialog dialog(&main);
        dialog.ShowOverMain();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QtPlatform p(&main);

        driver.fileDialog([](QFileDialog* d) { d->reject(); });
        driver.answer({QMessageBox::Ok});
        p.OpenFiles("All (*.*)|*.*", QDir::tempPath().toStdString());
        p.Report("The file is not added.");
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].parent, &dialog);
    }

    void fileDialogsStartInTheFolderWithTheFilter() {
        QTemporaryDir dir;
        const QString target = dir.filePath("a.XML");
        QStringList filters;
        QString folder;
        driver.fileDialog([&](QFileDialog* d) {
            filters = d->nameFilters();
            folder = d->directory().absolutePath();
            test::ChooseFile(d, target);
        });
        const std::string chosen = platform.SaveFile("XML file (*.XML)|*.XML", dir.path().toStdString());
        QCOMPARE(QString::fromStdString(chosen), target);
        QCOMPARE(filters, QStringList{"XML file (*.XML)"});
        QCOMPARE(folder, QDir(dir.path()).absolutePath());

        driver.fileDialog([](QFileDialog* d) { d->reject(); });
        QVERIFY(platform.OpenFile("All (*.*)|*.*", dir.path().toStdString()).empty());
    }

    // The core asks before replacing a file; a second question from the dialog would
    // leave the user answering twice (and a test hanging).
    void saveDialogAsksNoOverwriteQuestion() {
        QTemporaryDir dir;
        const QString existing = dir.filePath("old.XML");
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        driver.fileDialog([&](QFileDialog* d) {
            QVERIFY(d->testOption(QFileDialog::DontConfirmOverwrite));
            test::ChooseFile(d, existing);
        });
        QCOMPARE(QString::fromStdString(platform.SaveFile("XML file (*.XML)|*.XML", dir.path().toStdString())),
                 existing);
        QVERIFY(driver.seen.isEmpty());
    }

    void openFilesAllowsSeveral() {
        QTemporaryDir dir;
        for (const char* name : {"a.jpg", "b.jpg"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        driver.fileDialog([&](QFileDialog* d) {
            QCOMPARE(d->fileMode(), QFileDialog::ExistingFiles);
            d->selectFile("\"a.jpg\" \"b.jpg\"");
            if (auto* name = d->findChild<QLineEdit*>("fileNameEdit")) name->setText("\"a.jpg\" \"b.jpg\"");
            static_cast<QDialog*>(d)->accept();
        });
        const auto files = platform.OpenFiles("All (*.*)|*.*", dir.path().toStdString());
        QCOMPARE(files.size(), size_t(2));
        QCOMPARE(QString::fromStdString(files[0]), dir.filePath("a.jpg"));
        QCOMPARE(QString::fromStdString(files[1]), dir.filePath("b.jpg"));
    }

    void pictureProblemReadsTheWholePicture() {
        QTemporaryDir dir;
        QImage img(40, 30, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        QVERIFY(img.save(dir.filePath("good.BMP"), "BMP"));
        QVERIFY(img.save(dir.filePath("named-wrong.jpg"), "BMP"));  // a BMP under a .jpg name
        QFile bad(dir.filePath("bad.jpg"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("\xFF\xD8\xFF\xE0 this is not the rest of a JPEG");
        bad.close();

        QVERIFY(!platform.PictureProblem(dir.filePath("good.BMP").toStdString()));
        QVERIFY(!platform.PictureProblem(dir.filePath("named-wrong.jpg").toStdString()));
        QVERIFY(platform.PictureProblem(dir.filePath("bad.jpg").toStdString()));
        QVERIFY(platform.PictureProblem(dir.filePath("missing.bmp").toStdString()));

        // A named pipe or a folder in a received project is no picture, and asking does not
        // wait for a writer that never comes.
        QVERIFY(::mkfifo(dir.filePath("pipe.jpg").toLocal8Bit().constData(), 0644) == 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.bmp"));
        QCOMPARE(platform.PictureProblem(dir.filePath("pipe.jpg").toStdString()), std::optional<std::string>("not a regular file"));
        QCOMPARE(platform.PictureProblem(dir.filePath("folder.bmp").toStdString()), std::optional<std::string>("Is a directory"));
    }

    // Long work runs off the user-interface thread: the event loop goes on, input to the
    // windows is dropped, and work that takes more than half a second shows the file,
    // the bytes done of the total and the speed, with a Cancel that reaches the work.
    void longJobsShowTheirProgress_data() {
        QTest::addColumn<int>("elapsedMs");  // how long the work has run by the clock
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("cancelBy");  // "" (not cancelled), "button" or "Escape"
        QTest::newRow("quick job") << 300 << false << "";
        QTest::newRow("exactly half a second") << 500 << false << "";
        QTest::newRow("slow job") << 2000 << true << "";
        QTest::newRow("slow job cancelled") << 2000 << true << "button";
        QTest::newRow("slow job cancelled by Escape") << 2000 << true << "Escape";
    }
    void longJobsShowTheirProgress() {
        QFETCH(int, elapsedMs);
        QFETCH(bool, shown);
        QFETCH(QString, cancelBy);
        const bool pressCancel = !cancelBy.isEmpty();
        QWidget main;
        auto* button = new QPushButton("Edit", &main);
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&] { ++clicks; });
        main.show();
        QtPlatform p(&main);
        const auto origin = std::chrono::steady_clock::now();
        std::atomic<int> clockMs{0};
        // The first reading is slow, as on a loaded machine: the work has begun (and moved
        // the clock on) by the time it returns, unless it is timed from before its start.
        std::atomic<bool> firstReading{true};
        p.setClock([&] {
            if (firstReading.exchange(false)) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return origin + std::chrono::milliseconds(clockMs.load());
        });

        std::atomic<bool> reported{false}, release{false}, sawCancel{false};
        QString label, cancelling;
        bool visible = false, hasCancel = false;
        int value = -1;
        QElapsedTimer sinceReport;
        QTimer look;  // runs while the work does: the event loop goes on
        look.setInterval(20);
        connect(&look, &QTimer::timeout, [&] {
            // Looks once the work has reported and the dialog has had its chance to show,
            // however slowly a loaded machine gets there.
            if (!reported) return;
            if (!sinceReport.isValid()) sinceReport.start();
            if (!p.progressDialog() && sinceReport.elapsed() < (shown ? 10000 : 300)) return;
            look.stop();
            QTest::mouseClick(button, Qt::LeftButton);  // dropped: no editing meanwhile
            if (QProgressDialog* d = p.progressDialog()) {
                visible = true;
                label = d->labelText();
                value = d->value();
                const auto buttons = d->findChildren<QPushButton*>();
                hasCancel = buttons.size() == 1 && buttons[0]->text() == "Cancel";
                QCOMPARE(d->windowModality(), Qt::WindowModal);
                if (cancelBy == "button" && hasCancel) QTest::mouseClick(buttons[0], Qt::LeftButton);
                if (cancelBy == "Escape") {
                    d->activateWindow();
                    if (QTest::qWaitForWindowActive(d)) QTest::keyClick(d, Qt::Key_Escape);
                }
                // Until the work stops, the dialog stays and says it is stopping.
                if (pressCancel) cancelling = p.progressDialog() ? p.progressDialog()->labelText() : QString();
            }
            release = true;
        });
        look.start();
        p.RunJob([&](const JobReport& report, const std::atomic<bool>& cancel) {
            clockMs = elapsedMs;
            report({1'000'000, 4'000'000, "/media/big.mp4"});
            reported = true;
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            sawCancel = cancel.load();
        });
        QCOMPARE(clicks, 0);
        QCOMPARE(visible, shown);
        QVERIFY(!p.progressDialog());  // gone once the work has ended
        QCOMPARE(sawCancel.load(), pressCancel);
        if (pressCancel) QCOMPARE(cancelling, QString::fromUtf8("Cancelling\u2026"));
        if (!shown) return;
        QVERIFY(hasCancel);
        QVERIFY2(label.contains("/media/big.mp4"), qPrintable(label));
        QVERIFY2(label.contains("1.0 MB of 4.0 MB copied, 500 kB/s"), qPrintable(label));
        QCOMPARE(value, 250);
        QTest::mouseClick(button, Qt::LeftButton);  // input goes through again
        QCOMPARE(clicks, 1);
    }

    // While the work runs, the progress dialog's Cancel takes the mouse as any button
    // does (it lights up under the pointer, goes down when pressed, and the click
    // cancels), while the main window takes no click, no shortcut and no close box.
    void onlyTheProgressDialogTakesInputWhileTheWorkRuns() {
        QWidget main;
        auto* edit = new QPushButton("Edit", &main);
        int clicks = 0, shortcuts = 0;
        connect(edit, &QPushButton::clicked, [&] { ++clicks; });
        auto* save = new QAction("Save", &main);
        save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        main.addAction(save);
        connect(save, &QAction::triggered, [&] { ++shortcuts; });
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QtPlatform p(&main);
        const auto origin = std::chrono::steady_clock::now();
        std::atomic<int> clockMs{0};
        p.setClock([&] { return origin + std::chrono::milliseconds(clockMs.load()); });

        bool hovered = false, down = false, closedByBox = false;
        int clicksMeanwhile = -1, shortcutsMeanwhile = -1;
        QTimer look;
        look.setInterval(20);
        connect(&look, &QTimer::timeout, [&] {
            QProgressDialog* d = p.progressDialog();
            if (!d || !QTest::qWaitForWindowExposed(d)) return;
            look.stop();
            QTest::mouseClick(edit, Qt::LeftButton);
            main.activateWindow();  // as if the user had got the keys there
            QTest::keyClick(main.windowHandle(), Qt::Key_S, Qt::ControlModifier);
            QCloseEvent closeBox;
            QApplication::sendEvent(main.windowHandle(), &closeBox);
            closedByBox = !main.isVisible();
            clicksMeanwhile = clicks;
            shortcutsMeanwhile = shortcuts;

            auto* cancel = d->findChild<QPushButton*>();
            QTest::mouseMove(cancel);
            hovered = cancel->underMouse();
            QTest::mousePress(cancel, Qt::LeftButton);
            down = cancel->isDown();
            QTest::mouseRelease(cancel, Qt::LeftButton);
        });
        look.start();
        bool sawCancel = false;
        p.RunJob([&](const JobReport& report, const std::atomic<bool>& cancel) {
            clockMs = 2000;
            report({1'000'000, 4'000'000, "/media/big.mp4"});
            // A copy that would run for a long time, unless Cancel stops it.
            for (int i = 0; i < 2000 && !cancel; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            sawCancel = cancel.load();
        });
        look.stop();
        QCOMPARE(clicksMeanwhile, 0);
        QCOMPARE(shortcutsMeanwhile, 0);
        QVERIFY(!closedByBox);
        QVERIFY(hovered);
        QVERIFY(down);
        QVERIFY(sawCancel);
        QVERIFY(main.isVisible());
    }

    // The window icon is decoded when first drawn, and then shows both its pictures.
    void windowIconHasBothPictures() {
        const QIcon icon = KestrelWindowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{48, 48}, {256, 256}}));
        const QImage small = icon.pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage expected = QImage(":/kestrel/icons/kestrel-48.png").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(small.pixel(24, 40), expected.pixel(24, 40));
        QCOMPARE(icon.pixmap(256).size(), QSize(256, 256));
    }

    void aFailureOfTheWorkReachesTheCaller() {
        QWidget main;
        QtPlatform p(&main);
        bool caught = false;
        try {
            p.RunJob([](const JobReport&, const std::atomic<bool>&) { throw std::runtime_error("disk gone"); });
        } catch (const std::runtime_error& e) {
            caught = std::string(e.what()) == "disk gone";
        }
        QVERIFY(caught);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QtPlatformTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "QtPlatformTest.moc"
