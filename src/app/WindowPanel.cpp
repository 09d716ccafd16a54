#include "app/WindowPanel.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/ActionButton.h"
#include "ui/ClickPanel.h"
#include "ui/Paint.h"

namespace kestrel {

namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kBlue(0, 0, 255);
const QColor kPanelFace(236, 240, 246);

QFont Bold(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(Bold(parent->font()));
    return label;
}

}  // namespace

WindowPanel::WindowPanel(QWidget* parent, QAction* addSubWin, QAction* delSubWin, QAction* selectBackground,
                         std::function<bool(QKeyEvent*)> arrowKey)
    : QFrame(parent), arrowKey_(std::move(arrowKey)) {
    setObjectName("Panel3");
    setGeometry(0, 0, 200, 633);
    Paint(this, kPanelFace);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    Panel_MainWin_ = new ClickPanel("Main Window", this);
    Panel_MainWin_->setObjectName("Panel_MainWin");
    Panel_MainWin_->setGeometry(10, 12, 180, 44);
    Panel_MainWin_->setAlignment(Qt::AlignCenter);
    Panel_MainWin_->setFrameShape(QFrame::Panel);
    Panel_MainWin_->setFrameShadow(QFrame::Raised);
    Panel_MainWin_->setFont(Bold(font()));
    Panel_MainWin_->setCursor(Qt::PointingHandCursor);
    // Taking the focus on a click ends the typing in a position field first, so a value
    // typed without Return reaches its window before another one is chosen; Tab reaches
    // it too, for the keys alone.
    Panel_MainWin_->setFocusPolicy(Qt::StrongFocus);
    Panel_MainWin_->setColour(kSkyBlue, Qt::black);
    connect(Panel_MainWin_, &ClickPanel::clicked, this, &WindowPanel::mainWindowClicked);
    connect(Panel_MainWin_, &ClickPanel::doubleClicked, this, &WindowPanel::mainWindowDoubleClicked);

    buildList(addSubWin, delSubWin);
    buildBackground(selectBackground);
}

void WindowPanel::buildList(QAction* addSubWin, QAction* delSubWin) {
    Caption(this, "Label_SubWin", "Sub Windows:", QRect(10, 70, 180, 20));
    ListBox_SubWin_ = new QListWidget(this);
    ListBox_SubWin_->setObjectName("ListBox_SubWin");
    ListBox_SubWin_->setGeometry(10, 92, 180, 380);
    ListBox_SubWin_->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox_SubWin_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Any change of the current item chooses its window: a click, the arrows, type-ahead.
    connect(ListBox_SubWin_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) emit subWindowChosen(row);
    });
    connect(ListBox_SubWin_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit subWindowChosen(ListBox_SubWin_->row(item)); });
    connect(ListBox_SubWin_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit subWindowOpened(ListBox_SubWin_->row(item)); });

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    PopupMenu1_->addAction(addSubWin);
    PopupMenu1_->addAction(delSubWin);
    // The right button opens the menu without choosing an item: the menu works on the
    // window chosen before, which the fields and the picture show.
    ListBox_SubWin_->viewport()->installEventFilter(this);
    ListBox_SubWin_->installEventFilter(this);  // the arrow keys nudge, Return opens
    connect(ListBox_SubWin_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1_->popup(ListBox_SubWin_->viewport()->mapToGlobal(pos));
    });
}

void WindowPanel::buildBackground(QAction* selectBackground) {
    Caption(this, "Label_BGFile", "Background File:", QRect(10, 500, 180, 20));
    Edit_BGFile_ = new QLineEdit(this);
    Edit_BGFile_->setObjectName("Edit_BGFile");
    Edit_BGFile_->setReadOnly(true);
    Edit_BGFile_->setGeometry(10, 522, 180, 26);
    auto* button = new QPushButton(selectBackground->text(), this);
    button->setObjectName("SBtn_BGFile");
    button->setGeometry(10, 556, 180, 32);
    BindToAction(button, selectBackground);
}

// The list is set without the signals that a user's choice sends.
void WindowPanel::showView(const MainView& v, const MainView* was) {
    {
        const QSignalBlocker block(ListBox_SubWin_);
        if (!was || v.SubWinList != was->SubWinList || ListBox_SubWin_->count() != static_cast<int>(v.SubWinList.size())) {
            ListBox_SubWin_->clear();
            for (const auto& s : v.SubWinList) ListBox_SubWin_->addItem(QString::fromStdString(s));
        }
        const auto selected = ListBox_SubWin_->selectionModel()->selectedIndexes();
        const int shownRow = selected.isEmpty() ? -1 : selected.first().row();
        if (shownRow != v.SubWinListIndex || ListBox_SubWin_->currentRow() != v.SubWinListIndex) {
            if (v.SubWinListIndex < 0) {
                ListBox_SubWin_->clearSelection();
                ListBox_SubWin_->setCurrentRow(-1);
            } else {
                ListBox_SubWin_->setCurrentRow(v.SubWinListIndex);
            }
        }
    }
    const QString bg = QString::fromStdString(v.BGFileField);
    if (Edit_BGFile_->text() != bg) Edit_BGFile_->setText(bg);
    if (!was || v.MainWinPanelBlue != was->MainWinPanelBlue) {
        if (v.MainWinPanelBlue)
            Panel_MainWin_->setColour(kBlue, Qt::white);
        else
            Panel_MainWin_->setColour(kSkyBlue, Qt::black);
    }
}

bool WindowPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox_SubWin_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (arrowKey_ && arrowKey_(key)) return true;
        if (ListBox_SubWin_->currentItem() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            emit subWindowOpened(ListBox_SubWin_->currentRow());
            return true;
        }
    }
    if (watched == ListBox_SubWin_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        return true;
    return QFrame::eventFilter(watched, event);
}

}  // namespace kestrel
