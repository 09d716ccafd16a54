// The desktop seam against real Qt boxes and dialogs on the offscreen platform.

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalDriver.h"
#include "ui/QtPlatform.h"

#include <QProgressDialog>
#include <QPushButton>
#include <chrono>

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
    // file choosers must not inherit the main window's disabled state.
    void boxesAndChoosersOverADisabledMainWindowTakeInput() {
        QWidget main;
        main.show();
        main.setEnabled(false);
        QWidget dialog;  // a top-level dialog of its own, like every editor dialog
        dialog.show();
        dialog.activateWindow();
        QtPlatform p(&main);

        driver.answer({QMessageBox::Ok});
        p.Report("Bad entry");
        QCOMPARE(driver.seen.size(), 1);
        QVERIFY(driver.seen[0].enabled);

        bool enabled = false;
        driver.fileDialog([&](QFileDialog* d) {
            enabled = d->isEnabled();
            d->reject();
        });
        p.OpenFiles("All (*.*)|*.*", QDir::tempPath().toStdString());
        QVERIFY(enabled);
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
    }

    // A save that copies for more than half a second shows which file it copies and how
    // far it has got, in a dialog over the main window without Cancel; it closes at the
    // end of the copies, or when a box is shown (a save that failed half way).
    void longSavesShowTheirProgress_data() {
        QTest::addColumn<int>("stepMs");  // the clock's step between calls
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("endByBox");
        QTest::newRow("quick save") << 100 << false << false;
        QTest::newRow("exactly half a second") << 250 << false << false;
        QTest::newRow("slow save") << 300 << true << false;
        QTest::newRow("slow save ended by a failure's box") << 300 << true << true;
    }
    void longSavesShowTheirProgress() {
        QFETCH(int, stepMs);
        QFETCH(bool, shown);
        QFETCH(bool, endByBox);
        QWidget main;
        main.show();
        QtPlatform p(&main);
        auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
        p.setClock([&] { return now; });

        const std::string files[] = {"/media/a.jpg", "/media/b.jpg", "/media/c.jpg"};
        for (int done = 0; done < 3; ++done) {
            p.SaveProgress(files[done], done, 3);
            now += std::chrono::milliseconds(stepMs);
        }
        QProgressDialog* d = p.progressDialog();
        QCOMPARE(d != nullptr, shown);
        if (shown) {
            QVERIFY(d->isVisible());
            QCOMPARE(d->windowModality(), Qt::WindowModal);
            QCOMPARE(d->parentWidget(), &main);
            QVERIFY(d->findChildren<QPushButton*>().isEmpty());  // no Cancel
            QVERIFY2(d->labelText().contains("/media/c.jpg"), qPrintable(d->labelText()));
            QVERIFY2(d->labelText().contains("2 of 3"), qPrintable(d->labelText()));
            QCOMPARE(d->value(), 2);
            QCOMPARE(d->maximum(), 3);
        }
        if (endByBox) {
            driver.answer({QMessageBox::Ok});
            p.Report("Cannot create file");
            QCOMPARE(driver.seen.size(), 1);
        } else {
            p.SaveProgress({}, 3, 3);
        }
        QVERIFY(!p.progressDialog());

        // The next save measures its own half second.
        p.SaveProgress(files[0], 0, 3);
        now += std::chrono::milliseconds(400);
        p.SaveProgress(files[1], 1, 3);
        QVERIFY(!p.progressDialog());
        QTest::qWait(20);  // nothing left to show it again later
        QVERIFY(!p.progressDialog());
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
