#include "settings/TPSetting.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/DisplaySettings.h"

namespace kestrel {

TSettingForm::TSettingForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("SettingForm");
    setWindowTitle("Display Window Setting");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setFixedSize(333, 230);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(166, 202, 240));
    setPalette(pal);

    QFont bold = font();
    bold.setBold(true);

    auto* group = new QGroupBox("Screen setting:", this);
    group->setObjectName("GroupBox1");
    group->setFont(bold);
    group->setGeometry(24, 12, 285, 160);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(24, 8, 12, 8);
    static const char* names[5] = {"RadioButton_1280", "RadioButton_1360", "RadioButton_1440",
                                   "RadioButton_1680", "RadioButton_1920"};
    QFont normal = font();
    for (int mode = 0; mode < 5; ++mode) {
        const auto& row = DisplayModeOf(mode);
        auto* button = new QRadioButton(row.Caption, group);
        button->setObjectName(names[mode]);
        button->setFont(normal);
        button->setEnabled(row.Enabled);
        column->addWidget(button);
        radio_[mode] = button;
    }

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Button_OK");
    ok_->setFont(bold);
    ok_->setGeometry(129, 184, 75, 30);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &TSettingForm::Button_OKClick);
}

int TSettingForm::SelectedMode() const {
    for (int mode = 0; mode <= 3; ++mode)
        if (radio_[mode]->isChecked()) return mode;
    return 4;
}

void TSettingForm::FormShow() {
    const int mode = ed_.Display.DisplayMode;
    radio_[(mode >= 0 && mode <= 3) ? mode : 4]->setChecked(true);
}

void TSettingForm::Button_OKClick() {
    SettingButtonOKClick(ed_, SelectedMode());
    accept();
}

void TSettingForm::FormClose() { SettingFormClose(ed_); }

}  // namespace kestrel
