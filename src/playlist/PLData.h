#pragma once
// The playlist editor dialog ("Play list").

#include "model/Editor.h"
#include "ui/ConventionDialog.h"

namespace kestrel {

class TPLForm : public ConventionDialog {
    Q_OBJECT
public:
    TPLForm(QWidget* mainWindow, Editor& ed);

private:
    Editor& ed_;
};

}  // namespace kestrel
