#pragma once
// The display setting dialog ("Display Window Setting").

#include <array>

#include "model/Editor.h"
#include "ui/ConventionDialog.h"

class QRadioButton;
class QPushButton;

namespace kestrel {

class TSettingForm : public ConventionDialog {
    Q_OBJECT
public:
    // Start-up sets 1360 x 768 and fits the picture panel (SettingFormCreate) whether
    // or not the dialog is ever built.
    TSettingForm(QWidget* mainWindow, Editor& ed);

    // The mode of the first chosen button of 1280, 1360, 1440, 1680; otherwise 4.
    int SelectedMode() const;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void Button_OKClick();

    Editor& ed_;
    std::array<QRadioButton*, 5> radio_{};
    QPushButton* ok_ = nullptr;
};

}  // namespace kestrel
