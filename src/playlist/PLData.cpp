#include "playlist/PLData.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrel {

namespace {
const QColor SkyBlue(166, 202, 240);
const QColor PaleGreen(199, 226, 206);

void Paint(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A spin box whose typed text is limited in length while its arrows still reach values
// with more digits (the volume box shows and stores "100"; a line edit length limit
// would cut it to "10").
class TypedLengthSpinBox : public QSpinBox {
public:
    TypedLengthSpinBox(int typedLength, QWidget* parent) : QSpinBox(parent), typedLength_(typedLength) {}
    QLineEdit* edit() const { return lineEdit(); }

protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (input.size() > typedLength_ && input != textFromValue(value())) return QValidator::Invalid;
        return QSpinBox::validate(input, pos);
    }

private:
    int typedLength_;
};
}  // namespace

TPLForm::TPLForm(QWidget* mainWindow, Editor& ed) : ConventionDialog(mainWindow), ed_(ed) {
    setObjectName("PLForm");
    setWindowTitle("Play list");
    // A dialog window, so that the window manager keeps it above the main window it disables.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(520, 499);
    setMinimumSize(320, 240);  // the number columns and some of the file column stay visible
    Paint(this, SkyBlue);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Paint(Panel1, SkyBlue);
    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(97);
    Paint(Panel2, SkyBlue);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel2);

    StringGrid_PL = new QTableWidget(Panel1);
    StringGrid_PL->setObjectName("StringGrid_PL");
    StringGrid_PL->setFrameShape(QFrame::Box);
    StringGrid_PL->setLineWidth(1);
    StringGrid_PL->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid_PL->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid_PL->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for OK and Cancel; the arrows go from cell to cell.
    StringGrid_PL->setTabKeyNavigation(false);
    StringGrid_PL->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid_PL->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    StringGrid_PL->verticalHeader()->hide();
    StringGrid_PL->verticalHeader()->setDefaultSectionSize(22);
    StringGrid_PL->verticalHeader()->setMinimumSectionSize(22);
    StringGrid_PL->horizontalHeader()->setDefaultSectionSize(90);
    StringGrid_PL->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid_PL->horizontalHeader()->setSectionsClickable(false);
    StringGrid_PL->horizontalHeader()->setFixedHeight(22);
    // Long paths lose their beginning, so that the file's own name stays visible.
    StringGrid_PL->setTextElideMode(Qt::ElideLeft);
    StringGrid_PL->setWordWrap(false);
    QFont cellFont("Sans Serif");
    cellFont.setStyleHint(QFont::SansSerif);
    cellFont.setPixelSize(13);
    cellFont.setBold(true);
    StringGrid_PL->setFont(cellFont);
    StringGrid_PL->horizontalHeader()->setFont(cellFont);
    QPalette gp = StringGrid_PL->palette();
    gp.setColor(QPalette::Base, PaleGreen);
    gp.setColor(QPalette::Text, Qt::blue);
    StringGrid_PL->setPalette(gp);
    StringGrid_PL->setContextMenuPolicy(Qt::CustomContextMenu);
    StringGrid_PL->installEventFilter(this);
    StringGrid_PL->viewport()->installEventFilter(this);

    auto* volume = new TypedLengthSpinBox(VolumeTypedLength, Panel1);
    SpinEdit_Volume = volume;
    SpinEdit_Volume->setObjectName("SpinEdit_Volume");
    SpinEdit_Volume->setRange(0, 100);
    SpinEdit_Repeat = new QSpinBox(Panel1);
    SpinEdit_Repeat->setObjectName("SpinEdit_Repeat");
    SpinEdit_Repeat->setRange(1, 99);
    SpinEdit_Repeat->findChild<QLineEdit*>()->setMaxLength(2);
    SpinEdit_Repeat->findChild<QLineEdit*>()->setReadOnly(true);
    for (QSpinBox* box : {SpinEdit_Volume, SpinEdit_Repeat}) {
        box->hide();
        box->installEventFilter(this);
    }
    // The box reports a value only for text it accepts; what is typed (an emptied box
    // included) comes from its line edit.
    auto volumeChanged = [this](const QString& text) {
        if (filling_) return;
        SpinEdit_VolumeChange(table_, text.toStdString());
        ShowCell(table_.CurRow, table_.CurCol);
    };
    connect(SpinEdit_Volume, &QSpinBox::textChanged, this, volumeChanged);
    connect(volume->edit(), &QLineEdit::textEdited, this, volumeChanged);
    connect(StringGrid_PL->verticalScrollBar(), &QScrollBar::valueChanged, this, &TPLForm::FollowCell);
    connect(SpinEdit_Repeat, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_) return;
        SpinEdit_RepeatChange(table_, value);
        ShowCell(table_.CurRow, table_.CurCol);
    });

    PopupMenu_PL = new QMenu(this);
    PopupMenu_PL->setObjectName("PopupMenu_PL");
    PopupMenu_PL->addAction("Add Files", this, &TPLForm::AddFiles);
    PopupMenu_PL->addAction("Insert Files", this, &TPLForm::InsertFiles);
    PopupMenu_PL->addSeparator();
    PopupMenu_PL->addAction("Delete Items", this, &TPLForm::DeleteItems)->setObjectName("DeleteItem1");
    PopupMenu_PL->addSeparator();
    PopupMenu_PL->addAction("Move Up", this, &TPLForm::MoveUp);
    PopupMenu_PL->addAction("Move Down", this, &TPLForm::MoveDown);
    connect(StringGrid_PL, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu_PL->popup(StringGrid_PL->viewport()->mapToGlobal(pos));
    });

    QFont buttonFont = font();
    buttonFont.setPixelSize(16);
    buttonFont.setBold(true);
    QPalette bp;
    bp.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    auto makeButton = [&](const char* name, const char* text, int left) {
        auto* b = new QPushButton(text, Panel2);
        b->setObjectName(name);
        b->setGeometry(left, 32, 105, 33);
        b->setFont(buttonFont);
        b->setPalette(bp);
        b->setAutoDefault(false);
        return b;
    };
    SpeedButton_OK = makeButton("SpeedButton_OK", "OK", 140);
    SpeedButton_Cancel = makeButton("SpeedButton_Cancel", "Cancel", 275);
    // Neither is a default button: Return in a number box takes its value and no more.
    // Return on the button that has the keys presses it (see eventFilter).
    for (QPushButton* b : {SpeedButton_OK, SpeedButton_Cancel}) b->installEventFilter(this);
    // An open number box lies over the grid: Tab goes on from it as from the grid.
    const QList<QWidget*> order{StringGrid_PL, SpinEdit_Volume, SpinEdit_Repeat, SpeedButton_OK, SpeedButton_Cancel};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    connect(SpeedButton_OK, &QPushButton::clicked, this, &TPLForm::StoreAndClose);
    connect(SpeedButton_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Ctrl+Return stores from anywhere in the dialog, an open number box included.
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
                                     QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, &TPLForm::StoreAndClose);
    }
}

void TPLForm::StoreAndClose() {
    // An open number box is left first, so that its value is taken as leaving it takes it.
    if (table_.Visible != SpinBox::None) {
        if (SpinEdit_Volume->hasFocus() || SpinEdit_Repeat->hasFocus()) StringGrid_PL->setFocus();
        if (table_.Visible != SpinBox::None) {
            SpinEditExit(table_);
            ShowSpins();
        }
    }
    SpeedButton_OKClick(ed_, table_);
    accept();
}

void TPLForm::FormShow() {
    PLFormShow(ed_, table_);
    ShowTable();
}

void TPLForm::ReadSelection() {
    const auto ranges = StringGrid_PL->selectedRanges();
    if (ranges.isEmpty()) return;
    table_.SelTop = ranges.first().topRow() + 1;
    table_.SelBottom = ranges.first().bottomRow() + 1;
}

void TPLForm::ShowCell(int row, int col) {
    if (row < 1 || row >= table_.RowCount() || col < 0 || col >= table_.ColCount) return;
    QTableWidgetItem* item = StringGrid_PL->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        StringGrid_PL->setItem(row - 1, col, item);
    }
    item->setText(QString::fromStdString(table_.Rows[row][static_cast<size_t>(col)]));
    item->setTextAlignment(col == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    item->setToolTip(col == 0 ? item->text() : QString());
}

void TPLForm::ShowTable() {
    QSignalBlocker block(StringGrid_PL);
    StringGrid_PL->setColumnCount(table_.ColCount);
    QStringList titles;
    for (int c = 0; c < table_.ColCount; ++c)
        titles << QString::fromStdString(table_.Rows[0][static_cast<size_t>(c)]);
    StringGrid_PL->setHorizontalHeaderLabels(titles);
    const std::vector<std::string> tips = ColumnTips(table_);
    for (int c = 0; c < table_.ColCount && c < static_cast<int>(tips.size()); ++c)
        StringGrid_PL->horizontalHeaderItem(c)->setToolTip(QString::fromStdString(tips[c]));
    StringGrid_PL->setRowCount(table_.RowCount() - 1);
    for (int r = 1; r < table_.RowCount(); ++r)
        for (int c = 0; c < table_.ColCount; ++c) ShowCell(r, c);
    StringGrid_PL->clearSelection();
    StringGrid_PL->setRangeSelected(
        QTableWidgetSelectionRange(table_.SelTop - 1, 0, table_.SelBottom - 1, table_.ColCount - 1), true);
    FitColumns();
    ShowSpins();
}

void TPLForm::ShowSpins() {
    SpinEdit_Volume->setVisible(table_.Visible == SpinBox::Volume);
    SpinEdit_Repeat->setVisible(table_.Visible == SpinBox::Repeat);
}

// The columns fill the viewport, which the vertical scroll bar narrows when it shows, so
// that column 0 always starts at the left edge.
void TPLForm::FitColumns() {
    StringGrid_PL->setGeometry(0, 0, Panel1->width(), Panel1->height());
    const int visible = StringGrid_PL->viewport()->width();
    StringGrid_PL->setColumnWidth(0, FileColumnWidth(visible, StringGrid_PL->columnCount()));
    for (int c = 1; c < StringGrid_PL->columnCount(); ++c) StringGrid_PL->setColumnWidth(c, 90);
    StringGrid_PL->horizontalScrollBar()->setValue(0);
    FollowCell();
}

void TPLForm::resizeEvent(QResizeEvent* event) {
    ConventionDialog::resizeEvent(event);
    FitColumns();
}

bool TPLForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == SpinEdit_Volume || watched == SpinEdit_Repeat) {
        if (type == QEvent::FocusOut) {
            SpinEditExit(table_);
            ShowSpins();
        } else if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            // Esc closes the box, not the dialog.
            SpinEditCancel(table_);
            ShowCell(table_.CurRow, table_.CurCol);
            ShowSpins();
            StringGrid_PL->setFocus();
            return true;
        }
    } else if ((watched == SpeedButton_OK || watched == SpeedButton_Cancel) && type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
    } else if (watched == StringGrid_PL && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenBox(StringGrid_PL->currentIndex());
            return true;
        }
        if (key == Qt::Key_Delete) {
            DeleteItems();
            return true;
        }
    } else if (watched == StringGrid_PL->viewport()) {
        if (type == QEvent::Resize) FitColumns();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::MouseButtonDblClick) {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::RightButton) {
                // The pop-up menu acts on the selection as it is: the right button
                // never changes it (the menu opens on the context menu event).
                if (type == QEvent::MouseButtonPress) {
                    StringGrid_PLMouseDown(table_, true, 0, 0, 0, 0, 0, 0);
                    ShowSpins();
                }
                return true;
            }
            if (type == QEvent::MouseButtonPress) OpenBox(StringGrid_PL->indexAt(me->position().toPoint()));
        }
    }
    return ConventionDialog::eventFilter(watched, event);
}

void TPLForm::OpenBox(const QModelIndex& index) {
    // The open box loses the focus before the new cell is recorded.
    if (table_.Visible != SpinBox::None) {
        SpinEditExit(table_);
        ShowSpins();
    }
    if (index.isValid()) StringGrid_PLSelectCell(table_, index.column(), index.row() + 1);
    const QRect cell = StringGrid_PL->visualRect(index);
    const QPoint offset = StringGrid_PL->viewport()->mapTo(Panel1, QPoint(0, 0));
    SpinPlacement p = StringGrid_PLMouseDown(table_, false, cell.left(), cell.top(), cell.width(),
                                             cell.height(), offset.x(), offset.y());
    if (p.Box == SpinBox::None) {
        ShowSpins();
        return;
    }
    QSpinBox* box = p.Box == SpinBox::Volume ? SpinEdit_Volume : SpinEdit_Repeat;
    filling_ = true;
    box->setValue(p.Value);
    filling_ = false;
    box->setGeometry(p.Left, p.Top, p.Width, p.Height);
    // Shown after the grid has taken the click, so that the box keeps the focus.
    QTimer::singleShot(0, box, [this, box] {
        ShowSpins();
        box->raise();
        box->setFocus();
        box->selectAll();
    });
}

void TPLForm::FollowCell() {
    if (table_.Visible == SpinBox::None) return;
    const QRect cell = StringGrid_PL->visualRect(StringGrid_PL->model()->index(table_.CurRow - 1, table_.CurCol));
    const bool inView = cell.isValid() && StringGrid_PL->viewport()->rect().contains(cell);
    if (!StringGrid_PLScrolled(table_, inView)) {
        if (SpinEdit_Volume->hasFocus() || SpinEdit_Repeat->hasFocus()) StringGrid_PL->setFocus();
        ShowSpins();
        return;
    }
    const QPoint offset = StringGrid_PL->viewport()->mapTo(Panel1, QPoint(0, 0));
    const SpinPlacement p = PlaceOverCell(table_.Visible, cell.left(), cell.top(), cell.width(),
                                          cell.height(), offset.x(), offset.y());
    QSpinBox* box = p.Box == SpinBox::Volume ? SpinEdit_Volume : SpinEdit_Repeat;
    box->setGeometry(p.Left, p.Top, p.Width, p.Height);
}

void TPLForm::AddFiles() {
    AddFiles1Click(ed_, table_);
    ShowTable();
}

void TPLForm::InsertFiles() {
    ReadSelection();
    InsertFiles1Click(ed_, table_);
    ShowTable();
}

void TPLForm::DeleteItems() {
    ReadSelection();
    DeleteItem1Click(table_);
    ShowTable();
}

void TPLForm::MoveUp() {
    ReadSelection();
    MoveUp1Click(table_);
    ShowTable();
}

void TPLForm::MoveDown() {
    ReadSelection();
    MoveDown1Click(table_);
    ShowTable();
}

}  // namespace kestrel
