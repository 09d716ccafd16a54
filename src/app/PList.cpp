#include "app/PList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
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
#include <future>

#include "app/PositionFields.h"
#include "app/WindowPanel.h"
#include "layout/LayoutStatus.h"
#include "layout/MouseEditor.h"
#include "layout/WindowList.h"
#include "playlist/PlaylistTable.h"
#include "session/ChooseSection.h"
#include "session/WindowEvents.h"
#include "storage/OpenCommand.h"
#include "storage/RecentProjects.h"
#include "timesections/TimeSections.h"
#include "ui/ConventionDialog.h"
#include "ui/FontConfiguration.h"
#include "ui/ActionButton.h"
#include "ui/ImageCanvas.h"
#include "ui/Paint.h"
#include "ui/Resources.h"

namespace kestrel {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSkyBlue(166, 202, 240);
const QColor kPanelFace(236, 240, 246);

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFrame* Panel(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    Paint(panel, colour);
    return panel;
}

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

QFont Bold(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

QList<QKeySequence> Shortcuts(const char* keys) {
    QList<QKeySequence> list;
    for (const QString& k : QString(keys).split(';', Qt::SkipEmptyParts))
        list << QKeySequence::fromString(k, QKeySequence::PortableText);
    return list;
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
    buildActions();
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

TForm1::~TForm1() = default;

// One action per command of the table, shared by its menu item, tool button and keys.
void TForm1::buildActions() {
    for (const Command& c : Commands()) {
        auto* action = new QAction(Q(c.Text), this);
        action->setObjectName(c.Name);
        action->setShortcuts(Shortcuts(c.Keys));
        action->setCheckable(c.Checkable);
        action->setIconVisibleInMenu(false);
        const CommandId id = c.Id;
        connect(action, &QAction::triggered, this, [this, id] { Perform(id); });
        addAction(action);  // its keys work wherever the window has the focus
        actions_[static_cast<size_t>(id)] = action;
    }
}

void TForm1::buildMenus() {
    auto menu = [this](const char* name, const char* text, std::initializer_list<CommandId> items) {
        QMenu* m = menuBar()->addMenu(text);
        m->setObjectName(name);
        for (CommandId id : items) m->addAction(action(id));
        return m;
    };
    QMenu* file = menu("File1", "&File", {CommandId::New, CommandId::Open});
    buildRecentMenu(file);
    file->addSeparator();
    file->addAction(action(CommandId::Save));
    file->addAction(action(CommandId::SaveAs));
    file->addSeparator();
    file->addAction(action(CommandId::Exit));
    menu("Edit1", "&Edit", {CommandId::Undo, CommandId::Redo});
    menu("Tools1", "&Tools", {CommandId::Option, CommandId::CheckProject, CommandId::DayPlan, CommandId::Snap});
    menu("Help1", "&Help", {CommandId::About});
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
            connect(a, &QAction::triggered, this, [this, path] {
                RunCommand([this, path] { OpenRecentProject(ed_, path); }, true);
            });
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
        CommandId command;
        const char* accessibleName;  // for screen readers and the tooltip; the bar shows no captions
    };
    const Button buttons[] = {
        {"btnOpenPrj", "open", CommandId::Open, "Open"},
        {"TBtnSavePrj", "save", CommandId::Save, "Save"},
        {"btnSetting", "settings", CommandId::Option, "Option"},
        {"TBtnDeleteSel", "delete", CommandId::DelSubWin, "Delete Sub Window"},
        {"btnExit", "exit", CommandId::Exit, "Exit"},
        {"tbsButton", "about", CommandId::About, "About"},
    };
    int x = 0;
    for (const Button& b : buttons) {
        x += 8;  // the separator before each button
        QAction* a = action(b.command);
        a->setIcon(QIcon(QString(":/kestrel/toolbar/%1.png").arg(b.picture)));
        const QString keys = a->shortcut().toString(QKeySequence::NativeText);
        a->setToolTip(keys.isEmpty() ? QString(b.accessibleName) : QString("%1 (%2)").arg(b.accessibleName, keys));
        auto* button = new QToolButton(tbToolbar_);
        button->setDefaultAction(a);
        button->setObjectName(b.name);
        button->setGeometry(x, 3, 39, 39);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setAccessibleName(b.accessibleName);
        x += 39;
    }
}

void TForm1::buildTimeBar(QWidget* client) {
    QFrame* bar = Panel(client, "Panel7", QRect(0, 45, 929, 59), kPanelFace);
    bar->setFrameShape(QFrame::StyledPanel);
    bar->setFrameShadow(QFrame::Raised);
    Label(bar, "Label_TimeList", "Time Section:", QRect(16, 16, 100, 27))->setFont(Bold(font()));

    ComboBox_TimeList_ = new QComboBox(bar);
    ComboBox_TimeList_->setObjectName("ComboBox_TimeList");
    ComboBox_TimeList_->setEditable(false);  // a drop-down list: chosen, never typed
    ComboBox_TimeList_->setGeometry(120, 16, 220, 27);
    connect(ComboBox_TimeList_, &QComboBox::activated, this,
            [this](int index) { RunCommand([this, index] { ComboBox_TimeListChange(ed_, index); }); });

    auto button = [&](const char* name, CommandId command, int x) {
        auto* b = new QPushButton(action(command)->text(), bar);
        b->setObjectName(name);
        b->setGeometry(x, 15, 80, 29);
        BindToAction(b, action(command));
    };
    button("SBtn_NewTimeList", CommandId::NewTimeSection, 356);
    button("SBtn_EditTimeList", CommandId::EditTimeSection, 444);
    button("SBtn_DeleteTimeList", CommandId::DeleteTimeSection, 532);
}

void TForm1::buildWorkArea(QWidget* client) {
    AwaitFontConfiguration();  // the fields below measure their text
    QFrame* work = Panel(client, "Panel1", QRect(0, 104, 929, 633), kNavy);
    panel_ = new WindowPanel(work, action(CommandId::AddSubWin), action(CommandId::DelSubWin),
                             action(CommandId::SelectBackground),
                             [this](QKeyEvent* key) { return NudgeKey(key, KeyPlace::WindowList); });
    connect(panel_, &WindowPanel::mainWindowClicked, this, [this] { RunCommand([this] { Panel_MainWinClick(ed_); }); });
    connect(panel_, &WindowPanel::mainWindowDoubleClicked, this,
            [this] { OpenPlaylist([this] { return Panel_MainWinDblClick(ed_); }); });
    connect(panel_, &WindowPanel::subWindowChosen, this,
            [this](int row) { RunCommand([this, row] { ListBox_SubWinClick(ed_, row); }); });
    connect(panel_, &WindowPanel::subWindowOpened, this,
            [this](int row) { OpenPlaylist([this, row] { return ListBox_SubWinDblClick(ed_, row); }); });
    buildImageArea(work);
    fields_ = new PositionFields(work, 203 + 24, 568, Bold(font()));
    connect(fields_, &PositionFields::valueComplete, this, [this] {
        const PosTexts typed = fields_->texts();
        fieldsApplied_ = true;  // the fields show the numbers the values became
        RunCommand([this, typed] { Edit_PosKeyEnter(ed_, typed); });
    });
}

// The image area on the right of a 3-pixel divider.
void TForm1::buildImageArea(QWidget* work) {
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
    imgBmp_ = new ImageCanvas(Panel_Image_, QPoint(1, 1));
    imgBmp_->setDefaultPicture(defaultTitle);
    imgBmp_->installEventFilter(this);  // the arrow keys nudge
    connect(imgBmp_, &ImageCanvas::mousePressed, this, [this](QPoint p) {
        RunCommand([this, p] { imgBmpMouseDown(ed_, p.x(), p.y()); });
    });
    connect(imgBmp_, &ImageCanvas::mouseReleased, this, [this](QPoint p) {
        RunCommand([this, p] { imgBmpMouseUp(ed_, p.x(), p.y()); });
    });
    connect(imgBmp_, &ImageCanvas::mouseMoved, this, [this](QPoint p, bool freeDrag) {
        RunCommand([this, p, freeDrag] { imgBmpMouseMove(ed_, p.x(), p.y(), freeDrag); });
        ShowPointer(&p);
    });
}

void TForm1::setDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

void TForm1::RefreshAfter(ConventionDialog* dialog) {
    connect(dialog, &ConventionDialog::Closed, this, [this] { RunCommand([this] { FormActivate(ed_); }); });
}

void TForm1::ShowDialog(const DialogSource& dialog) {
    if (ConventionDialog* d = Build(dialog)) d->ShowOverMain();
}

void TForm1::FollowUp(Follow follow) {
    switch (follow) {
        case Follow::Nothing: break;
        case Follow::About: ShowDialog(dialogs_.About); break;
        case Follow::Setting: ShowDialog(dialogs_.Setting); break;
        case Follow::TimeList: ShowDialog(dialogs_.TL); break;
        case Follow::Check: ShowDialog(dialogs_.Check); break;
        case Follow::DayPlan:
            if (ConventionDialog* plan = Build(dialogs_.DayPlan)) plan->ShowBesideMain();
            break;
        case Follow::Close: close(); break;
    }
}

// A double click on a window or Return on it: the playlist editor opens on it. It works
// on a window the section has, never one beyond SubWinCount.
void TForm1::OpenPlaylist(const std::function<bool()>& choose) {
    bool show = false;
    RunCommand([&] { show = choose() && CanEditPlaylist(ed_); });
    if (show) ShowDialog(dialogs_.PL);
}

void TForm1::ChooseSection(int section, int window) {
    RunCommand([=, this] { kestrel::ChooseSection(ed_, section, window); }, true);
}

void TForm1::Perform(CommandId id) {
    Follow follow = Follow::Nothing;
    RunCommand([&] { follow = kestrel::Perform(ed_, id); }, CommandOf(id).TakesTypedValue);
    FollowUp(follow);
}

void TForm1::RunCommand(const std::function<void()>& command, bool takesTypedValue) {
    // A box shown by a command may move focus and activation; those events run no
    // second command inside the first.
    if (inCommand_) return;
    inCommand_ = true;
    // The main window's own focus tells: it stays on the field while a menu, the day
    // plan or the findings have the keys.
    const bool typing = takesTypedValue && fields_->typing();
    try {
        if (typing) Edit_PosKeyEnter(ed_, fields_->texts());
        command();
    } catch (const std::exception& e) {
        ed_.platform.Report(e.what());
    } catch (...) {
        ed_.platform.Report("An unexpected failure ended the command.");
    }
    inCommand_ = false;
    if (typing) fieldsApplied_ = true;
    SyncView();
}

void TForm1::PlaceImagePanel(const ImagePanel& p) {
    const QRect panel(p.Left, p.Top, p.Width, p.Height);
    if (Panel_Image_->geometry() != panel) Panel_Image_->setGeometry(panel);
    const QRect image(1, 1, p.ImgWidth(), p.ImgHeight());
    if (imgBmp_->geometry() != image) imgBmp_->setGeometry(image);
}

// The time list, set without the signals that a user's choice sends.
void TForm1::ShowTimeList(const MainView& v, const MainView* was) {
    if (!was || v.TimeList != was->TimeList || ComboBox_TimeList_->count() != static_cast<int>(v.TimeList.size())) {
        const QSignalBlocker block(ComboBox_TimeList_);
        ComboBox_TimeList_->clear();
        for (const auto& t : v.TimeList) ComboBox_TimeList_->addItem(Q(t));
    }
    if (ComboBox_TimeList_->currentIndex() != v.TimeListIndex) {
        const QSignalBlocker block(ComboBox_TimeList_);
        ComboBox_TimeList_->setCurrentIndex(v.TimeListIndex);
    }
}

void TForm1::ShowCommands(const MainView& v) {
    for (const Command& c : Commands()) {
        QAction* a = action(c.Id);
        const CommandView& cv = v.Command(c.Id);
        if (a->isEnabled() != cv.Enabled) a->setEnabled(cv.Enabled);
        if (a->isChecked() != cv.Checked) {
            const QSignalBlocker block(a);
            a->setChecked(cv.Checked);
        }
        if (a->text() != Q(cv.Text)) a->setText(Q(cv.Text));
    }
}

void TForm1::SyncView() {
    MainView v = DeriveMainView(ed_);
    const bool applied = std::exchange(fieldsApplied_, false);
    if (shown_ && v == *shown_ && !applied) return;
    const MainView* was = shown_ ? &*shown_ : nullptr;

    ShowTimeList(v, was);
    panel_->showView(v, was);
    fields_->show(v.PosFields, v.PosFieldsEnabled, applied || !was);
    if (windowStatus_->text() != Q(v.WindowStatus)) windowStatus_->setText(Q(v.WindowStatus));
    ShowCommands(v);
    PlaceImagePanel(v.Panel);
    imgBmp_->showView(v);
    setWindowTitle(Q(v.Title));
    setWindowModified(v.Modified);
    shown_ = std::move(v);
    emit ViewSynced();
}

void TForm1::SyncTitle() {
    const MainView v = DeriveMainView(ed_);
    setWindowTitle(Q(v.Title));
    setWindowModified(v.Modified);
}

bool TForm1::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    // While a dialog is open the refresh waits for it to close (Closed runs it then).
    if (event->type() == QEvent::WindowActivate && isEnabled()) RunCommand([this] { FormActivate(ed_); });
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
    if (watched == imgBmp_ && event->type() == QEvent::KeyPress &&
        NudgeKey(static_cast<QKeyEvent*>(event), KeyPlace::Picture))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // While a dialog is open the main window takes no input, its close box included:
    // closing it then would leave the dialog working on a released project.
    bool close = false;
    if (isEnabled()) RunCommand([&] { close = kestrel::FormClose(ed_); });
    if (!close) {
        event->ignore();
        return;
    }
    // The day plan may be open beside the main window; it goes with it.
    emit Closing();
    event->accept();
}

}  // namespace kestrel
