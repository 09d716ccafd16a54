#include "app/PList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QValidator>
#include <future>

#include "check/ChooseSection.h"
#include "layout/LayoutStatus.h"
#include "layout/MouseEditor.h"
#include "layout/Nudge.h"
#include "layout/WindowList.h"
#include "playlist/PlaylistTable.h"
#include "storage/OpenCommand.h"
#include "storage/ProjectFolder.h"
#include "storage/ProjectSaver.h"
#include "storage/RecentProjects.h"
#include "timesections/EditMenu.h"
#include "timesections/TimeSections.h"
#include "ui/ClickPanel.h"
#include "ui/ConventionDialog.h"
#include "ui/FontConfiguration.h"
#include "ui/ImageCanvas.h"
#include "ui/Resources.h"

namespace kestrel {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSkyBlue(166, 202, 240);
const QColor kBlue(0, 0, 255);
const QColor kPanelFace(236, 240, 246);

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Paint(QWidget* w, const QColor& background, const QColor& text = Qt::black) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QFrame* Panel(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    Paint(panel, colour);
    return panel;
}

// A position field takes only what can be a number, so typing never meets an error box.
class PosFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return PosFieldTextAllowed(input.toStdString()) ? Acceptable : Invalid;
    }
};

// The built-in default title picture, decoded once per run on a thread of its own, so
// that it is ready by the time the widgets (and the fonts they load) are built.
const std::shared_future<QImage>& DefaultTitle() {
    static const std::shared_future<QImage> picture =
        std::async(std::launch::async, [] { return QImage(":/kestrel/default-title.png"); }).share();
    return picture;
}

// A dialog, built now on its first use; null where the main window was given none.
ConventionDialog* Build(const TForm1::DialogSource& dialog) { return dialog ? dialog() : nullptr; }

QLabel* Label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TForm1::TForm1(Editor& ed) : QMainWindow(nullptr), ed_(ed) {
    KestrelInitResources();
    DefaultTitle();
    setObjectName("Form1");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(929, 737);
    Paint(client, kNavy, Qt::white);
    setCentralWidget(client);

    LoadSnapSetting(ed_);
    buildMenus();
    buildToolBar(client);
    buildTimeBar(client);
    buildWorkArea(client);
    buildStatusBar();

    // The window takes the size of its contents and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The picture area's real size is what the panel fitting works with.
    ed_.Panel.AreaWidth = Panel_ImageParent_->width();
    ed_.Panel.AreaHeight = Panel_ImageParent_->height();
    SyncView();
}

void TForm1::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                      auto slot) {
        auto* action = menu->addAction(text);
        action->setObjectName(name);
        if (!keys.isEmpty()) action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    add(file, "New_Prj", "&New", QKeySequence::New, [this] { RunTakingTypedValue([this] { NewProject1Click(ed_); }); });
    add(file, "Open_Prj", "&Open", QKeySequence::Open, [this] { RunTakingTypedValue([this] { btnOpenPrjClick(ed_); }); });
    buildRecentMenu(file);
    file->addSeparator();
    add(file, "Save_Prj", "&Save", QKeySequence::Save, [this] { RunTakingTypedValue([this] { TBtnSavePrjClick(ed_); }); });
    add(file, "SaveAs", "Save as", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        [this] { RunTakingTypedValue([this] { Saveas1Click(ed_); }); });
    file->addSeparator();
    add(file, "Exit1", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

    buildEditMenu();

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("Tools1");
    add(tools, "Option1", "&Option", QKeySequence(), [this] { btnSettingClick(); });
    // The check reads the project as the fields show it.
    add(tools, "Check1", "Check Project", QKeySequence(Qt::Key_F7), [this] {
        RunTakingTypedValue([] {});
        ShowDialog(dialogs_.Check);
    });
    add(tools, "DayPlan1", "Day Plan", QKeySequence(), [this] {
        if (ConventionDialog* plan = Build(dialogs_.DayPlan)) plan->ShowBesideMain();
    });
    QAction* snap = tools->addAction("Snap");
    snap->setObjectName("Snap1");
    snap->setCheckable(true);
    snap->setChecked(ed_.SnapEnabled);
    connect(snap, &QAction::toggled, this, [this](bool on) { RunCommand([this, on] { SetSnapEnabled(ed_, on); }); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    add(help, "About1", "About", QKeySequence(), [this] { btnHelpClick(); });
}

void TForm1::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("Edit1");
    Undo1_ = edit->addAction("&Undo");
    Undo1_->setObjectName("Undo1");
    Undo1_->setShortcut(QKeySequence::Undo);
    connect(Undo1_, &QAction::triggered, this, [this] { RunCommand([this] { Undo1Click(ed_); }); });
    Redo1_ = edit->addAction("&Redo");
    Redo1_->setObjectName("Redo1");
    Redo1_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(Redo1_, &QAction::triggered, this, [this] { RunCommand([this] { Redo1Click(ed_); }); });
}

// Filled each time it opens, so it shows what another run remembered too.
void TForm1::buildRecentMenu(QMenu* file) {
    OpenRecent1_ = file->addMenu("Open &Recent");
    OpenRecent1_->setObjectName("OpenRecent1");
    connect(OpenRecent1_, &QMenu::aboutToShow, this, [this] {
        OpenRecent1_->clear();
        const std::vector<std::string> paths = RecentProjects(ed_.platform);
        for (size_t i = 0; i < paths.size(); ++i) {
            QAction* a = OpenRecent1_->addAction(QString("&%1 %2").arg(i + 1).arg(Q(paths[i])));
            a->setObjectName(QString("RecentProject%1").arg(i + 1));
            const std::string path = paths[i];
            connect(a, &QAction::triggered, this, [this, path] { RunTakingTypedValue([this, path] { OpenRecentProject(ed_, path); }); });
        }
        OpenRecent1_->addSeparator();
        QAction* clear = OpenRecent1_->addAction("Clear Menu");
        clear->setObjectName("ClearRecent1");
        clear->setEnabled(!paths.empty());
        connect(clear, &QAction::triggered, this, [this] { ClearRecentProjects(ed_.platform); });
    });
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    pointerStatus_ = new QLabel(bar);
    pointerStatus_->setObjectName("Status_Pointer");
    pointerStatus_->setMinimumWidth(160);
    bar->addWidget(pointerStatus_);
    windowStatus_ = new QLabel(bar);
    windowStatus_->setObjectName("Status_Window");
    bar->addWidget(windowStatus_, 1);
    // Leaving the picture clears the pointer's place.
    imgBmp_->installEventFilter(this);
}

void TForm1::ShowPointer(const QPoint* p) {
    pointerStatus_->setText(p ? Q(PointerStatus(ed_, p->x(), p->y())) : QString());
}

void TForm1::buildToolBar(QWidget* client) {
    tbToolbar_ = Panel(client, "tbToolbar", QRect(0, 0, 929, 45), kSkyBlue);
    struct Button {
        const char* name;
        const char* picture;
        const char* accessibleName;  // for screen readers and the tooltip; the bar shows no captions
        QKeySequence keys;           // the menu's shortcut for the same command
        std::function<void()> click;
    };
    const Button buttons[] = {
        {"btnOpenPrj", "open", "Open", QKeySequence::Open, [this] { RunTakingTypedValue([this] { btnOpenPrjClick(ed_); }); }},
        {"TBtnSavePrj", "save", "Save", QKeySequence::Save, [this] { RunTakingTypedValue([this] { TBtnSavePrjClick(ed_); }); }},
        {"btnSetting", "settings", "Option", {}, [this] { btnSettingClick(); }},
        {"TBtnDeleteSel", "delete", "Delete Sub Window", {}, [this] { RunCommand([this] { TBtnDeleteSelClick(ed_); }); }},
        {"btnExit", "exit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); }},
        {"tbsButton", "about", "About", {}, [this] { btnHelpClick(); }},
    };
    int x = 0;
    for (const Button& b : buttons) {
        x += 8;  // the separator before each button
        auto* button = new QToolButton(tbToolbar_);
        button->setObjectName(b.name);
        button->setGeometry(x, 3, 39, 39);
        button->setIcon(QIcon(QString(":/kestrel/toolbar/%1.png").arg(b.picture)));
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setAccessibleName(b.accessibleName);
        const QString keys = b.keys.toString(QKeySequence::NativeText);
        button->setToolTip(keys.isEmpty() ? QString(b.accessibleName) : QString("%1 (%2)").arg(b.accessibleName, keys));
        connect(button, &QToolButton::clicked, this, b.click);
        x += 39;
    }
}

void TForm1::buildTimeBar(QWidget* client) {
    QFrame* bar = Panel(client, "Panel7", QRect(0, 45, 929, 59), kPanelFace);
    bar->setFrameShape(QFrame::StyledPanel);
    bar->setFrameShadow(QFrame::Raised);
    QFont bold = font();
    bold.setBold(true);
    auto* caption = Label(bar, "Label_TimeList", "Time Section:", QRect(16, 16, 100, 27));
    caption->setFont(bold);

    ComboBox_TimeList_ = new QComboBox(bar);
    ComboBox_TimeList_->setObjectName("ComboBox_TimeList");
    ComboBox_TimeList_->setEditable(false);  // a drop-down list: chosen, never typed
    ComboBox_TimeList_->setGeometry(120, 16, 220, 27);
    connect(ComboBox_TimeList_, &QComboBox::activated, this, [this](int) {
        RunCommand([this] { ComboBox_TimeListChange(ed_); });
    });

    auto button = [&](const char* name, const char* text, int x) {
        auto* b = new QPushButton(text, bar);
        b->setObjectName(name);
        b->setGeometry(x, 15, 80, 29);
        return b;
    };
    connect(button("SBtn_NewTimeList", "New", 356), &QPushButton::clicked, this, [this] {
        bool show = false;
        RunCommand([&] { show = SBtn_NewTimeListClick(ed_); });
        if (show) ShowDialog(dialogs_.TL);
    });
    connect(button("SBtn_EditTimeList", "Edit", 444), &QPushButton::clicked, this, [this] {
        bool show = false;
        RunCommand([&] { show = SBtn_EditTimeListClick(ed_); });
        if (show) ShowDialog(dialogs_.TL);
    });
    connect(button("SBtn_DeleteTimeList", "Delete", 532), &QPushButton::clicked, this,
            [this] { RunCommand([this] { SBtn_DeleteTimeListClick(ed_); }); });
}

void TForm1::buildWorkArea(QWidget* client) {
    AwaitFontConfiguration();  // the fields below measure their text
    QFrame* work = Panel(client, "Panel1", QRect(0, 104, 929, 633), kNavy);
    QFont bold = font();
    bold.setBold(true);

    // The window panel on the left.
    QFrame* left = Panel(work, "Panel3", QRect(0, 0, 200, 633), kPanelFace);
    left->setFrameShape(QFrame::StyledPanel);
    left->setFrameShadow(QFrame::Raised);

    Panel_MainWin_ = new ClickPanel("Main Window", left);
    Panel_MainWin_->setObjectName("Panel_MainWin");
    Panel_MainWin_->setGeometry(10, 12, 180, 44);
    Panel_MainWin_->setAlignment(Qt::AlignCenter);
    Panel_MainWin_->setFrameShape(QFrame::Panel);
    Panel_MainWin_->setFrameShadow(QFrame::Raised);
    Panel_MainWin_->setFont(bold);
    Panel_MainWin_->setCursor(Qt::PointingHandCursor);
    // Taking the focus on a click ends the typing in a position field first, so a value
    // typed without Return reaches its window before another one is chosen; Tab reaches
    // it too, for the keys alone.
    Panel_MainWin_->setFocusPolicy(Qt::StrongFocus);
    Panel_MainWin_->setColour(kSkyBlue, Qt::black);
    connect(Panel_MainWin_, &ClickPanel::clicked, this, [this] { RunCommand([this] { Panel_MainWinClick(ed_); }); });
    connect(Panel_MainWin_, &ClickPanel::doubleClicked, this, [this] {
        bool show = false;
        RunCommand([&] { show = Panel_MainWinDblClick(ed_); });
        if (show) ShowDialog(dialogs_.PL);
    });

    Label(left, "Label_SubWin", "Sub Windows:", QRect(10, 70, 180, 20))->setFont(bold);
    ListBox_SubWin_ = new QListWidget(left);
    ListBox_SubWin_->setObjectName("ListBox_SubWin");
    ListBox_SubWin_->setGeometry(10, 92, 180, 380);
    ListBox_SubWin_->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox_SubWin_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox_SubWin_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem*) { RunCommand([this] { ListBox_SubWinClick(ed_); }); });
    // Any change of the current item chooses its window: arrows and type-ahead too. On a
    // press the current item changes before the selection, so the row is taken as given.
    connect(ListBox_SubWin_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        RunCommand([this, row] {
            ed_.View.SubWinListIndex = row;
            ListBox_SubWinClick(ed_);
        });
    });
    connect(ListBox_SubWin_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { OpenSubWinPlaylist(); });

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName("PopupMenu1");
    AddSubWin_ = PopupMenu1_->addAction("Add Sub Window");
    AddSubWin_->setObjectName("AddSubWin");
    DelSubWin_ = PopupMenu1_->addAction("Delete Sub Window");
    DelSubWin_->setObjectName("DelSubWin");
    connect(AddSubWin_, &QAction::triggered, this, [this] { RunCommand([this] { AddSubWinClick(ed_); }); });
    connect(DelSubWin_, &QAction::triggered, this, [this] { RunCommand([this] { DelSubWinClick(ed_); }); });
    // The right button opens the menu without choosing an item: the menu works on the
    // window chosen before, which the fields and the picture show.
    ListBox_SubWin_->viewport()->installEventFilter(this);
    ListBox_SubWin_->installEventFilter(this);  // the arrow keys nudge
    connect(ListBox_SubWin_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1_->popup(ListBox_SubWin_->viewport()->mapToGlobal(pos));
    });

    Label(left, "Label_BGFile", "Background File:", QRect(10, 500, 180, 20))->setFont(bold);
    Edit_BGFile_ = new QLineEdit(left);
    Edit_BGFile_->setObjectName("Edit_BGFile");
    Edit_BGFile_->setReadOnly(true);
    Edit_BGFile_->setGeometry(10, 522, 180, 26);
    auto* bgButton = new QPushButton("Select Background", left);
    bgButton->setObjectName("SBtn_BGFile");
    bgButton->setGeometry(10, 556, 180, 32);
    connect(bgButton, &QPushButton::clicked, this, [this] { RunCommand([this] { SBtn_BGFileClick(ed_); }); });

    // The image area on the right of a 3-pixel divider.
    Panel_ImageParent_ = Panel(work, "Panel_ImageParent", QRect(203, 0, 722, 527), kNavy);
    const QImage defaultTitle = DefaultTitle().get();
    auto* defTitle = new QLabel(Panel_ImageParent_);
    defTitle->setObjectName("Img_DefTitle");
    defTitle->hide();
    defTitle->setPixmap(QPixmap::fromImage(defaultTitle));

    Panel_Image_ = new QFrame(Panel_ImageParent_);
    Panel_Image_->setObjectName("Panel_Image");
    Panel_Image_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel_Image_->setLineWidth(1);
    Paint(Panel_Image_, QColor(64, 64, 96));
    imgBmp_ = new ImageCanvas(ed_, Panel_Image_, QPoint(1, 1));
    imgBmp_->setDefaultPicture(defaultTitle);
    imgBmp_->installEventFilter(this);  // the arrow keys nudge
    connect(imgBmp_, &ImageCanvas::mousePressed, this, [this](QPoint p) {
        RunCommand([this, p] { imgBmpMouseDown(ed_, p.x(), p.y()); });
    });
    connect(imgBmp_, &ImageCanvas::mouseReleased, this, [this](QPoint p) {
        RunCommand([this, p] { imgBmpMouseUp(ed_, p.x(), p.y()); });
    });
    // A move only touches the fields, the pointer and the markers.
    connect(imgBmp_, &ImageCanvas::mouseMoved, this, [this](QPoint p, bool altHeld) {
        if (inCommand_) return;
        inCommand_ = true;
        try {
            imgBmpMouseMove(ed_, p.x(), p.y(), altHeld);
        } catch (const std::exception& e) {
            ed_.platform.Report(e.what());
        }
        inCommand_ = false;
        SyncFields();
        imgBmp_->syncFromView();
        ShowPointer(&p);
    });

    // The position fields below the picture.
    static const char* labels[4][2] = {{"Label_StartX", "Start X"}, {"Label_StartY", "Start Y"},
                                       {"Label_Width", "Width"}, {"Label_Height", "Height"}};
    static const char* edits[4] = {"Edit_Left", "Edit_Top", "Edit_Width", "Edit_Height"};
    for (int i = 0; i < 4; ++i) {
        const int x = 203 + 24 + i * 176;
        auto* label = Label(work, labels[i][0], labels[i][1], QRect(x, 568, 60, 26));
        label->setFont(bold);
        Paint(label, kNavy, Qt::white);
        auto* edit = new QLineEdit("0", work);
        edit->setObjectName(edits[i]);
        edit->setValidator(new PosFieldValidator(edit));
        // What is typed is the view's at once, so that showing the view again (a move
        // over the picture) keeps it until it is applied.
        connect(edit, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { ed_.View.PosFields[i] = text.toStdString(); });
        edit->setGeometry(x + 62, 568, 90, 26);
        edit->installEventFilter(this);
        posEdits_[i] = edit;
    }
}

void TForm1::setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

void TForm1::RefreshAfter(ConventionDialog* dialog) {
    connect(dialog, &ConventionDialog::Closed, this, [this] {
        // What the dialog changed in the view is shown before the refresh reads
        // the widgets back: a new section must not lose its place in the list.
        SyncView();
        FormActivate();
    });
}

void TForm1::ShowDialog(const DialogSource& dialog) {
    if (ConventionDialog* d = Build(dialog)) d->ShowOverMain();
}

// A double click on a sub window, or Return on it in the list.
void TForm1::OpenSubWinPlaylist() {
    bool show = false;
    // The editor works on a window the section has: never one beyond SubWinCount.
    RunCommand([&] { show = ListBox_SubWinDblClick(ed_) && CanEditPlaylist(ed_); });
    if (show) ShowDialog(dialogs_.PL);
}

void TForm1::btnSettingClick() { ShowDialog(dialogs_.Setting); }
void TForm1::btnHelpClick() { ShowDialog(dialogs_.About); }

void TForm1::FormActivate() { RunCommand([this] { RefreshFileList(ed_); }); }

void TForm1::ChooseSection(int section, int window) {
    RunTakingTypedValue([=, this] { kestrel::ChooseSection(ed_, section, window); });
}

void TForm1::RunCommand(const std::function<void()>& command) {
    // A box shown by a command may move focus and activation; those events run no
    // second command inside the first.
    if (inCommand_) return;
    inCommand_ = true;
    CollectInput();
    try {
        command();
    } catch (const std::exception& e) {
        ed_.platform.Report(e.what());
    } catch (...) {
        ed_.platform.Report("An unexpected failure ended the command.");
    }
    inCommand_ = false;
    SyncView();
}

void TForm1::RunTakingTypedValue(const std::function<void()>& command) {
    // The main window's own focus: it stays on the field while a menu, the day plan or
    // the findings have the keys.
    const bool typing = std::find(std::begin(posEdits_), std::end(posEdits_), focusWidget()) != std::end(posEdits_);
    RunCommand([&] {
        if (typing) Edit_PosKeyEnter(ed_);
        command();
    });
}

void TForm1::CollectInput() {
    auto& v = ed_.View;
    v.TimeListIndex = ComboBox_TimeList_->currentIndex();
    const auto selected = ListBox_SubWin_->selectionModel()->selectedIndexes();
    v.SubWinListIndex = selected.isEmpty() ? -1 : selected.first().row();
    for (int i = 0; i < 4; ++i) v.PosFields[i] = posEdits_[i]->text().toStdString();
}

void TForm1::SyncFields() {
    for (int i = 0; i < 4; ++i) {
        const QString text = Q(ed_.View.PosFields[i]);
        if (posEdits_[i]->text() != text) posEdits_[i]->setText(text);
    }
    const QString window = Q(WindowStatus(ed_));
    if (windowStatus_->text() != window) windowStatus_->setText(window);
}

void TForm1::PlaceImagePanel() {
    const auto& p = ed_.Panel;
    const QRect panel(p.Left, p.Top, p.Width, p.Height);
    if (Panel_Image_->geometry() != panel) Panel_Image_->setGeometry(panel);
    const QRect image(1, 1, p.ImgWidth(), p.ImgHeight());
    if (imgBmp_->geometry() != image) imgBmp_->setGeometry(image);
}

void TForm1::SyncView() {
    const auto& v = ed_.View;

    QStringList times;
    for (const auto& t : v.TimeList) times << Q(t);
    QStringList current;
    for (int i = 0; i < ComboBox_TimeList_->count(); ++i) current << ComboBox_TimeList_->itemText(i);
    if (times != current) {
        QSignalBlocker block(ComboBox_TimeList_);
        ComboBox_TimeList_->clear();
        ComboBox_TimeList_->addItems(times);
    }
    const int timeIndex = v.TimeListIndex < ComboBox_TimeList_->count() ? v.TimeListIndex : -1;
    if (ComboBox_TimeList_->currentIndex() != timeIndex) {
        QSignalBlocker block(ComboBox_TimeList_);
        ComboBox_TimeList_->setCurrentIndex(timeIndex);
    }

    QStringList subs;
    for (const auto& s : v.SubWinList) subs << Q(s);
    QStringList shown;
    for (int i = 0; i < ListBox_SubWin_->count(); ++i) shown << ListBox_SubWin_->item(i)->text();
    {
        QSignalBlocker block(ListBox_SubWin_);
        if (subs != shown) {
            ListBox_SubWin_->clear();
            ListBox_SubWin_->addItems(subs);
        }
        const int row = v.SubWinListIndex < ListBox_SubWin_->count() ? v.SubWinListIndex : -1;
        const auto selected = ListBox_SubWin_->selectionModel()->selectedIndexes();
        const int shownRow = selected.isEmpty() ? -1 : selected.first().row();
        if (shownRow != row) {
            if (row < 0) {
                ListBox_SubWin_->clearSelection();
                ListBox_SubWin_->setCurrentRow(-1);
            } else {
                ListBox_SubWin_->setCurrentRow(row);
            }
        }
    }

    SyncFields();
    const QString bg = Q(v.BGFileField);
    if (Edit_BGFile_->text() != bg) Edit_BGFile_->setText(bg);
    AddSubWin_->setEnabled(v.AddSubWinEnabled);
    DelSubWin_->setEnabled(v.DelSubWinEnabled);
    if (v.MainWinPanelBlue != mainWinBlue_) {
        mainWinBlue_ = v.MainWinPanelBlue;
        if (mainWinBlue_)
            Panel_MainWin_->setColour(kBlue, Qt::white);
        else
            Panel_MainWin_->setColour(kSkyBlue, Qt::black);
    }
    PlaceImagePanel();
    imgBmp_->syncFromView();

    Undo1_->setText(Q(UndoText(ed_)));
    Undo1_->setEnabled(ed_.Edits.CanUndo());
    Redo1_->setText(Q(RedoText(ed_)));
    Redo1_->setEnabled(ed_.Edits.CanRedo());
    SyncTitle();
    emit ViewSynced();
}

void TForm1::SyncTitle() {
    // Qt shows "*" in place of "[*]" while the window is marked modified.
    setWindowTitle(Q(TitleName(ed_)) + QString::fromUtf8("[*] \u2014 ") + AppTitle);
    setWindowModified(HasUnsavedChanges(ed_));
}

bool TForm1::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    // While a dialog is open the refresh waits for it to close (Closed runs it then).
    if (event->type() == QEvent::WindowActivate && isEnabled()) FormActivate();
    return result;
}

// An arrow key on the picture or the window list moves or sizes the chosen window;
// without one the key goes on to the widget.
bool TForm1::NudgeKey(QKeyEvent* key, KeyPlace place) {
    Arrow arrow;
    switch (key->key()) {
        case Qt::Key_Left: arrow = Arrow::Left; break;
        case Qt::Key_Right: arrow = Arrow::Right; break;
        case Qt::Key_Up: arrow = Arrow::Up; break;
        case Qt::Key_Down: arrow = Arrow::Down; break;
        default: return false;
    }
    const Qt::KeyboardModifiers mods = key->modifiers();
    bool taken = false;
    RunCommand([&] {
        taken = ArrowKeyNudge(ed_, place, arrow, mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    });
    return taken;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgBmp_ && event->type() == QEvent::Leave) ShowPointer(nullptr);
    if ((watched == imgBmp_ || watched == ListBox_SubWin_) && event->type() == QEvent::KeyPress &&
        NudgeKey(static_cast<QKeyEvent*>(event), watched == imgBmp_ ? KeyPlace::Picture : KeyPlace::WindowList))
        return true;
    if (watched == ListBox_SubWin_ && event->type() == QEvent::KeyPress && ListBox_SubWin_->currentItem()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenSubWinPlaylist();
            return true;
        }
    }
    if (watched == ListBox_SubWin_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
         event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        return true;
    const bool isField = std::find(std::begin(posEdits_), std::end(posEdits_), watched) != std::end(posEdits_);
    if (isField) {
        // Undo and redo are the project's, not the field's own: the shortcut goes to the menu.
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y))
                return true;
        }
        if (event->type() == QEvent::KeyRelease) {
            // A value is applied when it is complete: on Return (or on leaving the field),
            // not at every digit, so typing 768 never makes the window 7 pixels high.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
                RunCommand([this] { Edit_PosKeyUp(ed_); });
        } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            // Focus that moves with the active window (a box or dialog opening) or
            // because the window is being disabled is no entering or leaving of a field.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (isEnabled() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                RunCommand([this] { Edit_PosKeyEnter(ed_); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // While a dialog is open the main window takes no input, its close box included:
    // closing it then would leave the dialog working on a released project.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const Answer answer = ed_.platform.Message("Confirm", "Are you sure to close the current project ?",
                                               Buttons::YesNo, Icon::Question);
    if (answer != Answer::Yes) {
        event->ignore();
        return;
    }
    // Release what every section holds; the model itself goes with the editor.
    for (auto& rec : ed_.Prj->TimePL) {
        rec.FileList.clear();
        rec.MainWin.Shape.reset();
        for (int j = 1; j <= MaxSubWin; ++j) rec.SubWin[j].Shape.reset();
    }
    // The day plan may be open beside the main window; it goes with it.
    emit Closing();
    event->accept();
}

}  // namespace kestrel
