#include "timesections/TimerList.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace kestrel {

namespace {

// A time box that gets the keys other than by a click has its whole text selected, so that
// typing replaces it; Qt selects it only for Tab, and a dialog that opens or comes back
// would leave the cursor after the old digits.
class TimeSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QSpinBox::focusInEvent(event);
        if (event->reason() != Qt::MouseFocusReason) selectAll();
    }
};

QSpinBox* MakeSpin(QWidget* parent, const char* name, int max) {
    auto* spin = new TimeSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, max);
    spin->setValue(0);
    return spin;
}

}  // namespace

TTLForm::TTLForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("TLForm");
    setWindowTitle("Timer List Editor");
    // No Cancel button: the close box cancels. A minimise box beside the system menu.
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    auto* startLabel = new QLabel("Start Time:", this);
    startLabel->setObjectName("Label_StartT");
    auto* endLabel = new QLabel("End Time:", this);
    endLabel->setObjectName("Label_EndT");
    SpinEdit_SHour = MakeSpin(this, "SpinEdit_SHour", 23);
    SpinEdit_SMinute = MakeSpin(this, "SpinEdit_SMinute", 59);
    SpinEdit_EHour = MakeSpin(this, "SpinEdit_EHour", 23);
    SpinEdit_EMinute = MakeSpin(this, "SpinEdit_EMinute", 59);
    // Adding only: the new section can start as a copy of a listed one.
    Label_CopyFrom = new QLabel("Copy layout from:", this);
    Label_CopyFrom->setObjectName("Label_CopyFrom");
    ComboBox_CopyFrom = new QComboBox(this);
    ComboBox_CopyFrom->setObjectName("ComboBox_CopyFrom");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("SBtn_TLOK");
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(startLabel, 0, 0);
    grid->addWidget(SpinEdit_SHour, 0, 1);
    grid->addWidget(SpinEdit_SMinute, 0, 2);
    grid->addWidget(endLabel, 1, 0);
    grid->addWidget(SpinEdit_EHour, 1, 1);
    grid->addWidget(SpinEdit_EMinute, 1, 2);
    grid->addWidget(Label_CopyFrom, 2, 0);
    grid->addWidget(ComboBox_CopyFrom, 2, 1, 1, 2);
    grid->addWidget(ok, 3, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // The times read as they are typed: hour and minute of the start, then of the end.
    setTabOrder(SpinEdit_SHour, SpinEdit_SMinute);
    setTabOrder(SpinEdit_SMinute, SpinEdit_EHour);
    setTabOrder(SpinEdit_EHour, SpinEdit_EMinute);
    setTabOrder(SpinEdit_EMinute, ComboBox_CopyFrom);
    setTabOrder(ComboBox_CopyFrom, ok);

    connect(ok, &QPushButton::clicked, this, &TTLForm::SBtn_TLOKClick);
}

void TTLForm::FormShow() {
    editor_ = {SpinEdit_SHour->value(), SpinEdit_SMinute->value(), SpinEdit_EHour->value(),
               SpinEdit_EMinute->value()};
    editor_.FormShow(ed_);
    SpinEdit_SHour->setValue(editor_.SHour);
    SpinEdit_SMinute->setValue(editor_.SMinute);
    SpinEdit_EHour->setValue(editor_.EHour);
    SpinEdit_EMinute->setValue(editor_.EMinute);
    ComboBox_CopyFrom->clear();
    for (const std::string& choice : editor_.CopyChoices) ComboBox_CopyFrom->addItem(QString::fromStdString(choice));
    ComboBox_CopyFrom->setCurrentIndex(0);
    const bool adding = !editor_.CopyChoices.empty();
    Label_CopyFrom->setVisible(adding);
    ComboBox_CopyFrom->setVisible(adding);
    // Each opening starts on Start hour, its text selected so that typing replaces it: the
    // keys would otherwise come back to the box that had them when the dialog last closed.
    SpinEdit_SHour->setFocus(Qt::OtherFocusReason);
    SpinEdit_SHour->selectAll();
}

void TTLForm::SBtn_TLOKClick() {
    // A value still being typed counts as typed.
    for (auto* spin : {SpinEdit_SHour, SpinEdit_SMinute, SpinEdit_EHour, SpinEdit_EMinute})
        spin->interpretText();
    editor_.SHour = SpinEdit_SHour->value();
    editor_.SMinute = SpinEdit_SMinute->value();
    editor_.EHour = SpinEdit_EHour->value();
    editor_.EMinute = SpinEdit_EMinute->value();
    // The first choice is "(none)"; the others follow the time list (none at all in edit mode).
    editor_.CopyFrom = ComboBox_CopyFrom->currentIndex() - 1;
    if (editor_.SBtn_TLOKClick(ed_)) done(QDialog::Accepted);
}

}  // namespace kestrel
