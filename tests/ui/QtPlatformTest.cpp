// The desktop seam against real Qt boxes and dialogs on the offscreen platform.

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "support/ModalDriver.h"
#include "ui/QtPlatform.h"

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
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QtPlatformTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "QtPlatformTest.moc"
