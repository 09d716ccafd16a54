#include "ui/QtPlatform.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QMessageBox>

namespace kestrel {

static QString Q(const std::string& s) { return QString::fromStdString(s); }
static std::string S(const QString& s) { return s.toStdString(); }

QtPlatform::QtPlatform(QWidget* parent) : parent_(parent) {}

Answer QtPlatform::Message(const std::string& caption, const std::string& text, Buttons buttons,
                           Icon icon) {
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

}  // namespace kestrel
