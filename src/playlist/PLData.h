#pragma once
// The playlist editor dialog ("Play list"): shows the core table and forwards the
// user's events to it; every rule lives in playlist/PlaylistTable.

#include "model/Editor.h"
#include "playlist/PlaylistTable.h"
#include "ui/ConventionDialog.h"

class QMenu;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kestrel {

class TPLForm : public ConventionDialog {
    Q_OBJECT
public:
    TPLForm(QWidget* mainWindow, Editor& ed);

    const PlaylistTable& Table() const { return table_; }
    QTableWidget* Grid() const { return StringGrid_PL; }
    QSpinBox* VolumeBox() const { return SpinEdit_Volume; }
    QSpinBox* RepeatBox() const { return SpinEdit_Repeat; }
    QMenu* Popup() const { return PopupMenu_PL; }
    QPushButton* OkButton() const { return SpeedButton_OK; }

    // The pop-up menu's commands (also reached through Popup()).
    void AddFiles();
    void InsertFiles();
    void DeleteItems();
    void MoveUp();
    void MoveDown();

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What OK does: the table into the model, and the dialog closes.
    void StoreAndClose();
    void ReadSelection();
    void ShowTable();   // the whole table into the grid, selection included
    void ShowCell(int row, int col);
    void ShowSpins();   // which spin box is visible follows the table
    void FitColumns();
    // A left press on a cell or Enter on the current one: its number box, if it has one.
    void OpenBox(const QModelIndex& index);
    // The grid scrolled or its columns were fitted anew: an open box follows its cell, or
    // closes once the cell is out of view.
    void FollowCell();

    Editor& ed_;
    PlaylistTable table_;
    bool filling_ = false;

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QTableWidget* StringGrid_PL = nullptr;
    QSpinBox* SpinEdit_Volume = nullptr;
    QSpinBox* SpinEdit_Repeat = nullptr;
    QMenu* PopupMenu_PL = nullptr;
    QPushButton* SpeedButton_OK = nullptr;
    QPushButton* SpeedButton_Cancel = nullptr;
};

}  // namespace kestrel
