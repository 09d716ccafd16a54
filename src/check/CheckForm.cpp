#include "check/CheckForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestrel {

TCheckForm::TCheckForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("CheckForm");
    setWindowTitle("Check Project");
    resize(720, 420);

    Label_Summary = new QLabel(this);
    Label_Summary->setObjectName("Label_Summary");
    Grid_Findings = new QTableWidget(0, 3, this);
    Grid_Findings->setObjectName("Grid_Findings");
    Grid_Findings->setHorizontalHeaderLabels({"Level", "Where", "Text"});
    Grid_Findings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid_Findings->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid_Findings->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid_Findings->verticalHeader()->hide();
    Grid_Findings->horizontalHeader()->setStretchLastSection(true);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("SBtn_Close");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label_Summary);
    layout->addWidget(Grid_Findings);
    layout->addWidget(close, 0, Qt::AlignRight);

    // Activation is a double click or Return on the row: the keys reach a finding too,
    // where Return would otherwise press Close.
    connect(Grid_Findings, &QTableWidget::activated, this, [this](const QModelIndex& at) { Grid_FindingsDblClick(at.row()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TCheckForm::FormShow() {
    report_ = CheckProject(ed_);
    Label_Summary->setText(QString::fromStdString(report_.Summary()));
    Grid_Findings->setRowCount(static_cast<int>(report_.Findings.size()));
    for (int row = 0; row < Grid_Findings->rowCount(); ++row) {
        const Finding& f = report_.Findings[row];
        const std::string cells[] = {LevelName(f.level), f.Where(), f.Message};
        for (int col = 0; col < 3; ++col)
            Grid_Findings->setItem(row, col, new QTableWidgetItem(QString::fromStdString(cells[col])));
    }
    Grid_Findings->resizeColumnToContents(0);
    Grid_Findings->resizeColumnToContents(1);
}

// The dialog closes on the way, so that the chosen place can be worked on at once.
void TCheckForm::Grid_FindingsDblClick(int row) {
    if (row < 0 || row >= static_cast<int>(report_.Findings.size())) return;
    const Finding& f = report_.Findings[row];
    if (f.Section < 0) return;
    emit FindingChosen(f.Section, f.Window);
    accept();
}

}  // namespace kestrel
