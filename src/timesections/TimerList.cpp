#include "timesections/TimerList.h"

namespace kestrel {

TTLForm::TTLForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("TLForm");
    setWindowTitle("Timer List Editor");
}

}  // namespace kestrel
