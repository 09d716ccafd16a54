#include "timesections/TimerList.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace kestrel {

namespace {

QSpinBox* MakeSpin(QWidget* parent, const char* name, int max) {
    auto* spin = new QSpinBox(parent);
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
    grid->addWidget(ok, 2, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

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
}

void TTLForm::SBtn_TLOKClick() {
    // A value still being typed counts as typed.
    for (auto* spin : {SpinEdit_SHour, SpinEdit_SMinute, SpinEdit_EHour, SpinEdit_EMinute})
        spin->interpretText();
    editor_ = {SpinEdit_SHour->value(), SpinEdit_SMinute->value(), SpinEdit_EHour->value(),
               SpinEdit_EMinute->value()};
    if (editor_.SBtn_TLOKClick(ed_)) done(QDialog::Accepted);
}

}  // namespace kestrel
