#include "tool/ProjectRender.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "model/Error.h"
#include "model/Paths.h"
#include "storage/PrjFileWriter.h"
#include "ui/PictureFile.h"

namespace kestrel {

namespace {

const QColor kScreen(0, 0, 0);
const QColor kPlaceholder(96, 96, 104);
const QColor kPlaceholderText(230, 230, 230);
const QColor kLabel(0, 0, 0, 170);
const QColor kLabelText(255, 255, 255);

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Each picture is read once, however many windows show it.
class Pictures {
public:
    const QImage& Get(const std::string& path) {
        auto [it, isNew] = cache_.try_emplace(path);
        // Only JPEG and BMP pictures are shown on the player.
        if (isNew && IsPictureFile(path)) it->second = ReadPictureFile(path);
        return it->second;
    }

private:
    std::map<std::string, QImage> cache_;
};

void Placeholder(QPainter& p, const QRectF& r, const std::string& file) {
    p.fillRect(r, kPlaceholder);
    p.setPen(kPlaceholderText);
    p.drawText(r.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWrapAnywhere,
               file.empty() ? QString("no entries") : Q(BareName(file)));
}

// The name at the window's top-left corner, within the part of it on the screen.
void Label(QPainter& p, const QRectF& r, const QRectF& shown, const QString& name) {
    const QFontMetrics metrics(p.font());
    const QRectF box =
        QRectF(r.topLeft(), QSizeF(metrics.horizontalAdvance(name) + 8, metrics.height() + 4)) & shown;
    p.fillRect(box, kLabel);
    p.setPen(kLabelText);
    p.drawText(box, Qt::AlignCenter, name);
}

template <class Win>
void DrawWindow(QPainter& p, Pictures& pictures, const Win& win, const QString& name) {
    if (win.Width <= 0 || win.Height <= 0) return;
    // In floating point, and filled only where it is on the screen: a rectangle from a
    // file may reach past the end of int, where the painter's fills give up.
    const QRectF r(win.Left, win.Top, win.Width, win.Height);
    const QRectF shown = r & QRectF(p.window());
    if (shown.isEmpty()) return;
    const std::string first = win.PLCount > 0 ? win.PL[0].FileName : std::string();
    const QImage& picture = first.empty() ? QImage() : pictures.Get(first);
    if (picture.isNull())
        Placeholder(p, shown, first);
    else
        p.drawImage(r, picture);
    Label(p, r, shown, name);
}

}  // namespace

QImage RenderSection(const Project& prj, int section) {
    QImage screen(RenderWidth, RenderHeight, QImage::Format_RGB32);
    screen.fill(kScreen);
    if (section < 0 || section > MaxTimeIndex) return screen;
    const TTimePLData& rec = prj.TimePL[section];
    Pictures pictures;
    QPainter p(&screen);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    if (const QImage& bg = pictures.Get(rec.BGFile); !bg.isNull()) p.drawImage(screen.rect(), bg);
    DrawWindow(p, pictures, rec.MainWin, "Main Window");
    for (int j = 1; j <= std::min(rec.SubWinCount, MaxSubWin); ++j)
        DrawWindow(p, pictures, rec.SubWin[j], QString("SubWin%1").arg(j));
    return screen;
}

void RenderSectionToFile(const Project& prj, int section, const std::string& out) {
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) {
        // No display is needed, nor looked for; the platform's start-up chatter (no
        // runtime folder and the like) is no news for a script reading stderr.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "kestrel-tool";
        static char* argv[] = {name, nullptr};
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
            });
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(previous);
    }
    // Encoded first and written whole, as the project file is: a full disk never leaves a
    // cut-off picture in place of the one that was there, and a named pipe is refused
    // rather than waited on.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderSection(prj, section).save(&buffer, "PNG")) throw Error("Cannot encode the picture " + out);
    WriteFileReplacing(out, std::string(png.constData(), static_cast<size_t>(png.size())));
}

}  // namespace kestrel
