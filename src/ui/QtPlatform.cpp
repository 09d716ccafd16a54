#include "ui/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QSettings>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <mutex>
#include <thread>

#include "ui/ConventionDialog.h"
#include "ui/PictureFile.h"

namespace kestrel {

static QString Q(const std::string& s) { return QString::fromStdString(s); }
static std::string S(const QString& s) { return s.toStdString(); }

QtPlatform::QtPlatform(QWidget* parent) : parent_(parent) {}
QtPlatform::~QtPlatform() { delete progress_; }

void QtPlatform::setParent(QWidget* parent) {
    delete progress_;  // made again over the new parent when needed
    parent_ = parent;
}

namespace {

// The dialog open over the main window it disabled, or null.
QWidget* DialogOverMain() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<ConventionDialog*>(w);
            dialog && dialog->HoldsMainWindow() && dialog->isEnabled())
            return dialog;
    return nullptr;
}

// The window the user is working in (a dialog over the main window, say), else the main
// window. A box or file dialog shown over it stays above it under a window manager, and
// it gets the keys back when the box closes (the offscreen platform gives them to none).
// Right after a box or chooser has closed no window may be active yet; a dialog over the
// main window is then still the one worked in.
class WorkingWindow {
public:
    explicit WorkingWindow(QWidget* mainWindow) {
        QWidget* working = QApplication::activeModalWidget();
        if (!working) working = QApplication::activeWindow();
        if (!working || !working->isVisible() || !working->isEnabled()) working = DialogOverMain();
        window_ = working ? working : mainWindow;
    }
    ~WorkingWindow() {
        if (window_ && window_->isVisible()) window_->activateWindow();
    }
    QWidget* get() const { return window_; }

private:
    QPointer<QWidget> window_;
};

}  // namespace

Answer QtPlatform::Message(const std::string& caption, const std::string& text, Buttons buttons,
                           Icon icon) {
    // A box ends the progress display: the work has ended or failed.
    EndProgress();
    if (beforeBox_) beforeBox_();
    const WorkingWindow over(parent_);
    QMessageBox box(over.get());
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtPlatform::QtFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // Qt reads the patterns from the caption's parentheses, separated by blanks.
        QString caption = parts[i].trimmed();
        const int open = caption.lastIndexOf('(');
        if (open >= 0 && caption.endsWith(')')) caption = caption.left(open).trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        if (patterns.isEmpty()) continue;
        out << (caption.isEmpty() ? patterns : caption) + " (" + patterns + ")";
    }
    return out.join(";;");
}

// Tests and the screenshot script drive Qt's own dialog; a desktop gets its native one.
static QFileDialog::Options DialogOptions() {
    QFileDialog::Options options;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        options |= QFileDialog::DontUseNativeDialog;
    return options;
}

std::string QtPlatform::OpenFile(const std::string& filter, const std::string& initialDir) {
    const WorkingWindow over(parent_);
    return S(QFileDialog::getOpenFileName(over.get(), QString(), Q(initialDir), QtFilter(filter),
                                          nullptr, DialogOptions()));
}

std::vector<std::string> QtPlatform::OpenFiles(const std::string& filter,
                                               const std::string& initialDir) {
    const WorkingWindow over(parent_);
    std::vector<std::string> files;
    for (const QString& f : QFileDialog::getOpenFileNames(over.get(), QString(), Q(initialDir),
                                                          QtFilter(filter), nullptr,
                                                          DialogOptions()))
        files.push_back(S(f));
    return files;
}

// The core asks its own question before replacing a file, so the dialog asks none.
std::string QtPlatform::SaveFile(const std::string& filter, const std::string& initialDir) {
    const WorkingWindow over(parent_);
    return S(QFileDialog::getSaveFileName(over.get(), QString(), Q(initialDir), QtFilter(filter),
                                          nullptr,
                                          DialogOptions() | QFileDialog::DontConfirmOverwrite));
}

std::optional<std::string> QtPlatform::PictureProblem(const std::string& path) {
    QString problem;
    if (!ReadPictureFile(path, &problem).isNull()) return std::nullopt;
    return S(problem);
}

std::string QtPlatform::Setting(const std::string& key) {
    return S(QSettings().value(Q(key)).toString());
}

void QtPlatform::SetSetting(const std::string& key, const std::string& value) {
    QSettings().setValue(Q(key), Q(value));
}

QProgressDialog* QtPlatform::progressDialog() const {
    return progress_ && progress_->isVisible() ? progress_.data() : nullptr;
}

void QtPlatform::EndProgress() {
    QObject::disconnect(cancelLink_);  // the Cancel of a job that has ended
    if (!progress_) return;
    progress_->reset();  // also stops the dialog's own timer that would show it again
    progress_->hide();
}

namespace {

QString Bytes(std::uint64_t n) {
    const double v = double(n);
    if (v >= 1e9) return QString::number(v / 1e9, 'f', 2) + " GB";
    if (v >= 1e6) return QString::number(v / 1e6, 'f', 1) + " MB";
    if (v >= 1e3) return QString::number(v / 1e3, 'f', 0) + " kB";
    return QString::number(n) + " bytes";
}

// While long work runs the windows take no input, except the progress dialog (its
// Cancel); the close box and shortcuts count as input.
class InputBlock : public QObject {
public:
    explicit InputBlock(const QPointer<QProgressDialog>& dialog) : dialog_(dialog) {
        qApp->installEventFilter(this);
    }
    ~InputBlock() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!IsInput(event->type())) return false;
        if (!dialog_) return true;
        // The window system's mouse, keys and close box reach the dialog's QWindow before
        // Qt hands them to the widget under the pointer or with the focus: let them in, or
        // Cancel never sees the mouse.
        if (watched == dialog_->windowHandle()) return false;
        // A shortcut's event goes to the shortcut itself, which belongs to its widget: so
        // Esc, the dialog's own shortcut for Cancel, gets through.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget && event->type() == QEvent::Shortcut) widget = qobject_cast<QWidget*>(watched->parent());
        return !(widget && widget->window() == dialog_.data());
    }

private:
    static bool IsInput(QEvent::Type t) {
        switch (t) {
            case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: case QEvent::Wheel: case QEvent::KeyPress:
            case QEvent::KeyRelease: case QEvent::Shortcut: case QEvent::ShortcutOverride:
            case QEvent::ContextMenu: case QEvent::Close: case QEvent::TouchBegin:
                return true;
            default:
                return false;
        }
    }
    const QPointer<QProgressDialog>& dialog_;
};

}  // namespace

void QtPlatform::RunJob(const Job& job) {
    std::mutex mutex;
    JobProgress latest;
    std::atomic<bool> cancel{false};
    std::exception_ptr failure;
    QEventLoop loop;
    // The work's time counts from before it starts: a first report can come at once.
    const auto start = clock_();
    std::jthread worker([&] {  // joined on every way out
        try {
            job([&](const JobProgress& p) {
                    const std::lock_guard lock(mutex);
                    latest = p;
                },
                cancel);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    const InputBlock block(progress_);
    QTimer tick;  // the dialog moves at least every 100 ms, also inside one large file
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        JobProgress now;
        {
            const std::lock_guard lock(mutex);
            now = latest;
        }
        ShowProgress(now, clock_() - start, cancel);
    });
    tick.start();
    loop.exec();
    worker.join();
    EndProgress();
    if (failure) std::rethrow_exception(failure);
}

// Cancel hides the dialog; it comes back, saying so, until the copy in hand has stopped.
void QtPlatform::ShowCancelling() {
    progress_->setLabelText("Cancelling\u2026");
    if (auto* button = progress_->findChild<QPushButton*>()) button->setEnabled(false);
    progress_->show();
}

void QtPlatform::ShowProgress(const JobProgress& p, std::chrono::steady_clock::duration elapsed,
                              std::atomic<bool>& cancel) {
    if (cancel || elapsed <= std::chrono::milliseconds(500)) return;
    if (!progress_) {
        progress_ = new QProgressDialog(parent_);
        progress_->setObjectName("SaveProgress");
        progress_->setWindowTitle(AppTitle);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->setMinimumDuration(0);
        progress_->setMinimumWidth(420);
        progress_->setRange(0, 1000);
    }
    if (!progress_->isVisible()) {
        cancelLink_ = QObject::connect(progress_.data(), &QProgressDialog::canceled, progress_.data(),
                                       [this, &cancel] {
                                           cancel = true;
                                           ShowCancelling();
                                       });
        if (auto* button = progress_->findChild<QPushButton*>()) button->setEnabled(true);
        progress_->show();
    }
    const double seconds = std::chrono::duration<double>(elapsed).count();
    const QString shown = progress_->fontMetrics().elidedText(Q(p.CurrentFile), Qt::ElideMiddle, 380);
    progress_->setLabelText(QString("Copying %1\n%2 of %3 copied, %4/s")
                                .arg(shown, Bytes(p.BytesDone), Bytes(p.BytesTotal),
                                     Bytes(std::uint64_t(double(p.BytesDone) / seconds))));
    progress_->setValue(p.BytesTotal ? int(p.BytesDone * 1000 / p.BytesTotal) : 0);
}

}  // namespace kestrel
