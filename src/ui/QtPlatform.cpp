#include "ui/QtPlatform.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QSettings>
#include <QMessageBox>
#include <QProgressDialog>

namespace kestrel {

static QString Q(const std::string& s) { return QString::fromStdString(s); }
static std::string S(const QString& s) { return s.toStdString(); }

QtPlatform::QtPlatform(QWidget* parent) : parent_(parent) {}
QtPlatform::~QtPlatform() { delete progress_; }

void QtPlatform::setParent(QWidget* parent) {
    delete progress_;  // made again over the new parent when needed
    parent_ = parent;
}

Answer QtPlatform::Message(const std::string& caption, const std::string& text, Buttons buttons,
                           Icon icon) {
    // A box ends the progress display: the save has ended or failed.
    EndProgress();
    QMessageBox box(parent_);
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
    return S(QFileDialog::getOpenFileName(parent_, QString(), Q(initialDir), QtFilter(filter),
                                          nullptr, DialogOptions()));
}

std::vector<std::string> QtPlatform::OpenFiles(const std::string& filter,
                                               const std::string& initialDir) {
    std::vector<std::string> files;
    for (const QString& f : QFileDialog::getOpenFileNames(parent_, QString(), Q(initialDir),
                                                          QtFilter(filter), nullptr,
                                                          DialogOptions()))
        files.push_back(S(f));
    return files;
}

// The core asks its own question before replacing a file, so the dialog asks none.
std::string QtPlatform::SaveFile(const std::string& filter, const std::string& initialDir) {
    return S(QFileDialog::getSaveFileName(parent_, QString(), Q(initialDir), QtFilter(filter),
                                          nullptr,
                                          DialogOptions() | QFileDialog::DontConfirmOverwrite));
}

std::optional<std::string> QtPlatform::PictureProblem(const std::string& path) {
    QImageReader reader(Q(path));
    reader.setDecideFormatFromContent(true);
    // Read it whole: a file with a good header and damaged data cannot be shown either.
    if (!reader.read().isNull()) return std::nullopt;
    return S(reader.errorString());
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
    copying_ = false;
    if (!progress_) return;
    progress_->reset();  // also stops the dialog's own timer that would show it again
    progress_->hide();
}

void QtPlatform::SaveProgress(const std::string& file, int done, int total) {
    if (done >= total) {
        EndProgress();
        return;
    }
    const auto now = clock_();
    if (done == 0 || !copying_) {  // a new save
        EndProgress();
        copying_ = true;
        copyStart_ = now;
    }
    if (!progressDialog() && now - copyStart_ <= std::chrono::milliseconds(500)) return;
    if (!progress_) {
        // Modal to the main window, without Cancel: a save is not stopped half way.
        progress_ = new QProgressDialog(parent_);
        progress_->setObjectName("SaveProgress");
        progress_->setWindowTitle(AppTitle);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setCancelButton(nullptr);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->setMinimumDuration(0);
        progress_->setMinimumWidth(420);
    }
    const QString path = Q(file);
    const QString shown = progress_->fontMetrics().elidedText(path, Qt::ElideMiddle, 380);
    progress_->setLabelText(QString("Copying %1\n%2 of %3 files copied").arg(shown).arg(done).arg(total));
    progress_->setRange(0, total);
    progress_->setValue(done);
    if (!progress_->isVisible()) progress_->show();
    // The copies hold the event loop: let the dialog paint, without taking user input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace kestrel
