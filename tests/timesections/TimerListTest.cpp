// The Timer List Editor on its own, over a plain widget standing in for the main window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "model/Editor.h"
#include "support/FakePlatform.h"
#include "timesections/TimerList.h"

using namespace kestrel;

class TimerListTest : public QObject {
    Q_OBJECT

    FakePlatform fp;
    Editor* ed = nullptr;
    QWidget* main = nullptr;
    TTLForm* dlg = nullptr;

    QSpinBox* spin(const char* name) { return dlg->findChild<QSpinBox*>(name); }
    void enter(int sh, int sm, int eh, int em) {
        spin("SpinEdit_SHour")->setValue(sh);
        spin("SpinEdit_SMinute")->setValue(sm);
        spin("SpinEdit_EHour")->setValue(eh);
        spin("SpinEdit_EMinute")->setValue(em);
    }
    void ok() { dlg->findChild<QPushButton*>("SBtn_TLOK")->click(); }

private slots:
    void init() {
        fp = FakePlatform{};
        ed = new Editor(fp);
        main = new QWidget;
        main->resize(800, 600);
        main->show();
        dlg = new TTLForm(main, *ed);
    }
    void cleanup() {
        delete dlg;
        delete main;
        delete ed;
    }

    void controls() {
        QCOMPARE(dlg->windowTitle(), QString("Timer List Editor"));
        const struct { const char* name; int max; } spins[] = {
            {"SpinEdit_SHour", 23}, {"SpinEdit_SMinute", 59}, {"SpinEdit_EHour", 23}, {"SpinEdit_EMinute", 59}};
        for (const auto& s : spins) {
            QVERIFY2(spin(s.name), s.name);
            QCOMPARE(spin(s.name)->minimum(), 0);
            QCOMPARE(spin(s.name)->maximum(), s.max);
            QCOMPARE(spin(s.name)->value(), 0);
        }
        QCOMPARE(dlg->findChild<QLabel*>("Label_StartT")->text(), QString("Start Time:"));
        QCOMPARE(dlg->findChild<QLabel*>("Label_EndT")->text(), QString("End Time:"));
        const auto buttons = dlg->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 1);  // no Cancel: the close box cancels
        QCOMPARE(buttons[0]->text(), QString("OK"));
        QVERIFY(dlg->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    // Typed blind, as a user without a mouse does, each key to the widget that has them:
    // the editor opens on Start hour with its text selected and Tab goes through the four
    // boxes in reading order, whatever had the keys when it last closed.
    void opensOnStartHourForTypingBlind_data() {
        QTest::addColumn<QString>("before");  // what was done before this opening
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("first New") << "" << false << QStringList{"11:30 -- 14:00"};
        QTest::newRow("New after an add ended on End minute")
            << "add" << false << QStringList{"08:45 -- 12:15", "11:30 -- 14:00"};
        QTest::newRow("Edit after an add ended on End minute") << "add" << true << QStringList{"11:30 -- 14:00"};
        QTest::newRow("New after one closed on Start minute")
            << "close" << false << QStringList{"11:30 -- 14:00"};
    }
    void opensOnStartHourForTypingBlind() {
        QFETCH(QString, before);
        QFETCH(bool, edit);
        QFETCH(QStringList, listed);
        auto open = [&](bool editing) {
            QVERIFY(editing ? SBtn_EditTimeListClick(*ed) : SBtn_NewTimeListClick(*ed));
            dlg->ShowOverMain();
            QVERIFY(QTest::qWaitForWindowActive(dlg));
        };
        if (before == "add") {
            open(false);
            enter(8, 45, 12, 15);
            spin("SpinEdit_EMinute")->setFocus();  // as a click into it would
            ok();
            QVERIFY(!dlg->isVisible());
        } else if (before == "close") {
            open(false);
            spin("SpinEdit_SMinute")->setFocus();
            dlg->close();
        }
        open(edit);
        QSpinBox* start = spin("SpinEdit_SHour");
        QCOMPARE(QApplication::focusWidget(), start);
        QCOMPARE(start->findChild<QLineEdit*>()->selectedText(), start->text());
        const QStringList keys{"11", "Tab", "30", "Tab", "14", "Tab", "0"};
        const char* const order[] = {"SpinEdit_SHour", "SpinEdit_SMinute", "SpinEdit_EHour", "SpinEdit_EMinute"};
        int box = 0;
        for (const QString& k : keys) {
            QWidget* on = QApplication::focusWidget();
            QVERIFY(on);
            if (k == "Tab") {
                QTest::keyClick(on, Qt::Key_Tab);
                ++box;
            } else {
                QCOMPARE(on->objectName(), QString(order[box]));
                QTest::keyClicks(on, k);
            }
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // OK, the default button
        QVERIFY(!dlg->isVisible());
        QStringList shown;
        for (const std::string& entry : TimeListTexts(*ed->Prj)) shown << QString::fromStdString(entry);
        QCOMPARE(shown, listed);
        // Tab goes on from End minute to the rest of the dialog.
        open(false);
        for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("ComboBox_CopyFrom"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("SBtn_TLOK"));
        dlg->close();
    }

    void addRefuseEditAndClose() {
        QVERIFY(SBtn_NewTimeListClick(*ed));
        dlg->ShowOverMain();
        QVERIFY(!main->isEnabled());
        enter(8, 30, 12, 0);
        ok();
        QVERIFY(!dlg->isVisible());
        QVERIFY(main->isEnabled());
        QCOMPARE(TimeListTexts(*ed->Prj), std::vector<std::string>{"08:30 -- 12:00"});

        // Adding again keeps the last values: OK is refused and the dialog stays open.
        QVERIFY(SBtn_NewTimeListClick(*ed));
        dlg->ShowOverMain();
        QCOMPARE(spin("SpinEdit_SHour")->value(), 8);
        ok();
        QVERIFY(dlg->isVisible());
        QVERIFY(!main->isEnabled());
        QCOMPARE(fp.messages.size(), size_t(1));
        QCOMPARE(fp.messages[0].text, std::string("New time exist in timer list, add failure! Please check."));
        dlg->close();  // the close box
        QVERIFY(main->isEnabled());
        QCOMPARE(TimeListTexts(*ed->Prj).size(), size_t(1));

        // Edit loads the current section and changes it in place.
        enter(0, 0, 0, 0);
        QVERIFY(SBtn_EditTimeListClick(*ed));
        dlg->ShowOverMain();
        QCOMPARE(spin("SpinEdit_SMinute")->value(), 30);
        QCOMPARE(spin("SpinEdit_EHour")->value(), 12);
        spin("SpinEdit_EHour")->setValue(13);
        ok();
        QVERIFY(!dlg->isVisible());
        QCOMPARE(TimeListTexts(*ed->Prj), std::vector<std::string>{"08:30 -- 13:00"});
        QCOMPARE(ed->Prj->TimePL[0].EndTime, 1300);
    }
};

QTEST_MAIN(TimerListTest)
#include "TimerListTest.moc"
