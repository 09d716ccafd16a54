// A save that copies a large file through the real windows: the event loop keeps
// running, the progress dialog moves inside the one file, editing waits, and Cancel
// leaves the previous project file as it was.

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "storage/ProjectSaver.h"
#include "support/AppSession.h"
#include "support/TempDir.h"
#include "support/WindowTestMain.h"

using namespace kestrel;

class LargeMediaTest : public QObject, public test::AppSession {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }
    void cleanup() { Stop(); }

    void saveOfALargeFileKeepsTheEventLoopRunningAndCancelKeepsThePreviousFile() {
        QTemporaryDir media, folder;
        const QString big = media.filePath("feature.mp4");
        QFile bigFile(big);  // sparse: gigabytes to copy, next to nothing on disk
        QVERIFY(bigFile.open(QIODevice::WriteOnly) && bigFile.resize(qint64(16) << 30));
        bigFile.close();
        const QString project = folder.filePath("plan.XML");
        const QByteArray previous = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KESTREL>\r\n</KESTREL>\r\n";
        QFile out(project);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(previous);
        out.close();

        Project& prj = *app->ed.Prj;
        prj.PrjFileName = project.toStdString();
        prj.PrjDir = folder.path().toStdString() + "/";
        prj.TimeCount = 1;
        prj.TimePL[0].MainWin.PLCount = 1;
        prj.TimePL[0].MainWin.PL[0] = {1, 50, big.toStdString()};
        // The dialog shows at once instead of after half a second.
        auto clock = std::chrono::steady_clock::now();
        app->platform.setClock([&] { return clock += std::chrono::seconds(1); });

        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QList<int> values;  // the dialog's value each time it moved within the file
        bool cancelled = false;
        QLineEdit* field = child<QLineEdit>("Edit_Left");
        QTimer tick;
        tick.setInterval(10);
        connect(&tick, &QTimer::timeout, [&] {
            if (cancelled) return;
            if (sinceTick.isValid()) longestGap = std::max(longestGap, sinceTick.restart());
            else sinceTick.start();
            QProgressDialog* d = app->platform.progressDialog();
            if (!d || !d->labelText().contains("feature.mp4")) return;
            if (values.isEmpty() || values.last() != d->value()) values << d->value();
            if (values.size() < 3 || values.first() == values.last()) return;
            QTest::keyClicks(field, "5");  // an edit while the save runs goes nowhere
            cancelled = true;
            d->findChild<QPushButton*>()->click();
        });
        tick.start();
        driver.answer({QMessageBox::Ok});
        QTest::mouseClick(child("TBtnSavePrj"), Qt::LeftButton);  // returns when the save has ended

        QVERIFY(cancelled);
        QVERIFY2(longestGap < 100, qPrintable(QString::number(longestGap)));
        QCOMPARE(field->text(), QString("0"));
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen[0].text, QString(SaveCancelledText));
        QCOMPARE(test::ReadBytes(project.toStdString()), previous.toStdString());
        QVERIFY(!QFile::exists(folder.filePath("feature.mp4")));  // no half copy stays
        QVERIFY(!app->platform.progressDialog());
    }
};

KESTREL_WINDOW_TEST_MAIN(LargeMediaTest)

#include "LargeMediaTest.moc"
