#include "playlist/PLData.h"

namespace kestrel {

TPLForm::TPLForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("PLForm");
    setWindowTitle("Play list");
    resize(520, 499);
}

}  // namespace kestrel
