#pragma once
// The time list editor dialog ("Timer List Editor").

#include "model/Editor.h"
#include "timesections/TimeSections.h"
#include "ui/ConventionDialog.h"

namespace kestrel {

class TTLForm : public ConventionDialog {
    Q_OBJECT
public:
    TTLForm(QWidget* mainWindow, Editor& ed);

private:
    Editor& ed_;
    TimeListEditor editor_;
};

}  // namespace kestrel
