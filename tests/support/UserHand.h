#pragma once
// What a user's hand does on the main window and its dialogs, for window tests: time
// sections through the time list editor, the sub window list and its menu, drags on
// the picture, and what the fields and lists show.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "support/AppSession.h"
#include "timesections/TimerList.h"

namespace kestrel::test {

class UserHand : public AppSession {
protected:
    QComboBox* timeList() { return child<QComboBox>("ComboBox_TimeList"); }
    QListWidget* subList() { return child<QListWidget>("ListBox_SubWin"); }

    QStringList timeEntries() {
        QStringList out;
        for (int i = 0; i < timeList()->count(); ++i) out << timeList()->itemText(i);
        return out;
    }
    QStringList subItems() {
        QStringList out;
        for (int i = 0; i < subList()->count(); ++i) out << subList()->item(i)->text();
        return out;
    }
    QStringList fields() {
        QStringList out;
        for (const char* name : {"Edit_Left", "Edit_Top", "Edit_Width", "Edit_Height"})
            out << child<QLineEdit>(name)->text();
        return out;
    }
    QLineEdit* posField(int i) {
        static const char* names[4] = {"Edit_Left", "Edit_Top", "Edit_Width", "Edit_Height"};
        return child<QLineEdit>(names[i]);
    }
    // Replaces a position field's text by typing, as a user does, and presses Return if asked.
    void typeField(int i, const QString& text, bool enter = true) {
        QLineEdit* edit = posField(i);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        if (enter) QTest::keyClick(edit, Qt::Key_Return);
    }
    int selectedSub() {
        const auto rows = subList()->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    // Types a value into one of the time list editor's spin boxes, left uninterpreted
    // as a user leaves it before pressing OK.
    void typeSpin(QSpinBox* spin, int value) {
        spin->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(spin, QString::number(value));
    }
    // Fills the time list editor, which must be open, and presses OK.
    void fillTimes(int sh, int sm, int eh, int em) {
        auto* d = app->TLForm.get();
        QVERIFY(d->isVisible());
        QVERIFY(!form().isEnabled());
        typeSpin(d->findChild<QSpinBox*>("SpinEdit_SHour"), sh);
        typeSpin(d->findChild<QSpinBox*>("SpinEdit_SMinute"), sm);
        typeSpin(d->findChild<QSpinBox*>("SpinEdit_EHour"), eh);
        typeSpin(d->findChild<QSpinBox*>("SpinEdit_EMinute"), em);
        QTest::mouseClick(d->findChild<QPushButton*>("SBtn_TLOK"), Qt::LeftButton);
    }
    void newSection(int sh, int sm, int eh, int em) {
        QTest::mouseClick(child<QPushButton>("SBtn_NewTimeList"), Qt::LeftButton);
        fillTimes(sh, sm, eh, em);
        QVERIFY(!app->TLForm->isVisible());
        QVERIFY(form().isEnabled());
    }
    // Chooses an entry of the drop-down list with the keyboard, as a user does.
    void chooseSection(int index) {
        QComboBox* combo = timeList();
        while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
        while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
    }
    // Opens a widget's context menu with the right button and clicks one of its items.
    void menuItem(QWidget* viewport, QPoint at, QMenu* menu, const QString& text) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        QTRY_VERIFY(menu->isVisible());
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == text) item = a;
        QVERIFY2(item, qPrintable(text));
        QVERIFY(item->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QTRY_VERIFY(!menu->isVisible());
    }
    void addSubWindow() {
        menuItem(subList()->viewport(), QPoint(20, 200), child<QMenu>("PopupMenu1"), "Add Sub Window");
    }
    void clickSub(int row) {
        QTest::mouseClick(subList()->viewport(), Qt::LeftButton, {},
                          subList()->visualItemRect(subList()->item(row)).center());
    }
    // A user's double click: press, release, the second press as a double click, release.
    void doubleClick(QWidget* w, QPoint at) {
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }
    // Press, moves with the button held, release.
    void drag(QPoint from, std::initializer_list<QPoint> through) {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, from);
        QPoint last = from;
        for (QPoint p : through) {
            QTest::mouseMove(canvas(), p);
            last = p;
        }
        QTest::mouseRelease(canvas(), Qt::LeftButton, {}, last);
    }

};

}  // namespace kestrel::test
