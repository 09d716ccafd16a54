#pragma once
// The time list editor dialog ("Timer List Editor").

#include "model/Editor.h"
#include "timesections/TimeSections.h"
#include "ui/ConventionDialog.h"

class QComboBox;
class QLabel;
class QSpinBox;

namespace kestrel {

class TTLForm : public ConventionDialog {
    Q_OBJECT
public:
    TTLForm(QWidget* mainWindow, Editor& ed);

protected:
    void FormShow() override;

private:
    void SBtn_TLOKClick();

    Editor& ed_;
    TimeListEditor editor_;
    QSpinBox* SpinEdit_SHour;
    QSpinBox* SpinEdit_SMinute;
    QSpinBox* SpinEdit_EHour;
    QSpinBox* SpinEdit_EMinute;
    QLabel* Label_CopyFrom;
    QComboBox* ComboBox_CopyFrom;
};

}  // namespace kestrel
