#pragma once
// The "Check Project" dialog: the findings of the check on the project as it is in the
// editor, one a row; a double click on one chooses its section and window.

#include "check/ProjectCheck.h"
#include "model/Editor.h"
#include "ui/ConventionDialog.h"

class QLabel;
class QTableWidget;

namespace kestrel {

class TCheckForm : public ConventionDialog {
    Q_OBJECT
public:
    TCheckForm(QWidget* mainWindow, Editor& ed);

    const CheckReport& Report() const { return report_; }
    QTableWidget* Grid() const { return Grid_Findings; }

signals:
    // A finding in a section was double-clicked; window is -1 when it names none.
    void FindingChosen(int section, int window);

protected:
    // Each opening checks the project again.
    void FormShow() override;

private:
    void Grid_FindingsDblClick(int row);

    Editor& ed_;
    CheckReport report_;
    QLabel* Label_Summary = nullptr;
    QTableWidget* Grid_Findings = nullptr;
};

}  // namespace kestrel
