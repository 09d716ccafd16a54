// The Timer List Editor on its own, over a plain widget standing in for the main window.
#include <QLabel>
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
