#include "ui/ImageCanvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/PictureFile.h"

namespace kestrel {

ImageCanvas::ImageCanvas(QWidget* parent, QPoint offset) : QWidget(parent), offset_(offset) {
    setObjectName("imgBmp");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);  // the arrow keys nudge the chosen window
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageCanvas::setDefaultPicture(const QImage& picture) {
    default_ = picture;
    scaledSize_ = QSize();  // rescale on the next paint
    update();
}

static Qt::CursorShape QtCursor(Cursor c) {
    switch (c) {
        case Cursor::SizeFDiag: return Qt::SizeFDiagCursor;
        case Cursor::SizeBDiag: return Qt::SizeBDiagCursor;
        case Cursor::SizeVer: return Qt::SizeVerCursor;
        case Cursor::SizeHor: return Qt::SizeHorCursor;
        case Cursor::Arrow: break;
    }
    return Qt::ArrowCursor;
}

void ImageCanvas::showView(const MainView& view) {
    if (view.ImageCursor != cursor_ || cursor().shape() != QtCursor(cursor_)) {
        cursor_ = view.ImageCursor;
        setCursor(QtCursor(cursor_));
    }
    if (view.Picture == picture_ && view.PictureFile == pictureFile_ && view.Markers == markers_ &&
        view.SnapGuideX == guideX_ && view.SnapGuideY == guideY_)
        return;
    picture_ = view.Picture;
    pictureFile_ = view.PictureFile;
    markers_ = view.Markers;
    guideX_ = view.SnapGuideX;
    guideY_ = view.SnapGuideY;
    update();
}

// The picture is loaded once per file and scaled once per size, so that a repaint
// during a drag only copies pixels.
const QPixmap& ImageCanvas::scaledPicture() {
    if (picture_ != PictureKind::File && !fileName_.empty()) {  // a file chosen again is read again
        fileName_.clear();
        file_ = QImage();
    }
    if (picture_ == PictureKind::File && pictureFile_ != fileName_) {
        file_ = ReadPictureFile(pictureFile_);
        fileName_ = pictureFile_;
    }
    const bool same = scaledKind_ == picture_ && scaledSize_ == size() &&
                      (picture_ != PictureKind::File || scaledFile_ == pictureFile_);
    if (!same) {
        scaledKind_ = picture_;
        scaledFile_ = pictureFile_;
        scaledSize_ = size();
        const QImage* source = picture_ == PictureKind::Default ? &default_
                               : picture_ == PictureKind::File  ? &file_
                                                                : nullptr;
        if (source && !source->isNull())
            scaled_ = QPixmap::fromImage(
                source->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        else
            scaled_ = QPixmap();
    }
    return scaled_;
}

QColor ImageCanvas::HatchColor(bool chosen) { return chosen ? QColor(255, 0, 0) : QColor(255, 255, 0); }
QColor ImageCanvas::OutlineColor(bool chosen) { return chosen ? QColor(255, 0, 0) : QColor(192, 192, 192); }

// The 2-pixel outline lies inside the marker's bounds, the hatch fills what it encloses.
// A sub window covers what lies beneath it (the main window's hatch too), has a dark line
// inside its outline so that it stands out on that hatch, and every window carries its
// name in its top-left corner.
void ImageCanvas::paintMarker(QPainter& p, const MarkerView& m) {
    const Shape& s = m.Rect;
    const QRect bounds = QRect(s.Left, s.Top, s.Width, s.Height).normalized().translated(-offset_);
    if (bounds.isEmpty()) return;
    const bool sub = m.Window > 0;
    if (sub) {
        const QPixmap& picture = scaledPicture();
        if (picture.isNull())
            p.fillRect(bounds, palette().color(QPalette::Window));
        else
            p.drawPixmap(bounds, picture, bounds);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(HatchColor(m.Chosen), Qt::DiagCrossPattern));
    p.drawRect(bounds);
    const QColor outline = OutlineColor(m.Chosen);
    const int w = bounds.width(), h = bounds.height();
    const int t = 2;
    p.fillRect(QRect(bounds.left(), bounds.top(), w, std::min(t, h)), outline);
    p.fillRect(QRect(bounds.left(), bounds.bottom() - std::min(t, h) + 1, w, std::min(t, h)), outline);
    p.fillRect(QRect(bounds.left(), bounds.top(), std::min(t, w), h), outline);
    p.fillRect(QRect(bounds.right() - std::min(t, w) + 1, bounds.top(), std::min(t, w), h), outline);
    const QRect inside = bounds.adjusted(t, t, -t, -t);
    if (sub && inside.width() > 1 && inside.height() > 1) {
        p.setPen(QPen(QColor(0, 0, 0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(inside.adjusted(0, 0, -1, -1));
    }
    paintName(p, inside, m.Label);
}

// A small white name on a dark plate, kept inside the marker.
void ImageCanvas::paintName(QPainter& p, const QRect& inside, const std::string& name) {
    if (inside.isEmpty()) return;
    QFont small = font();
    small.setPixelSize(11);
    p.setFont(small);
    const QString text = QString::fromStdString(name);
    const QRect plate = QFontMetrics(small).boundingRect(text).adjusted(-3, -1, 3, 1);
    const QRect placed(inside.topLeft(), plate.size());
    p.save();
    p.setClipRect(inside);
    p.fillRect(placed, NamePlateColor());
    p.setPen(Qt::white);
    p.drawText(placed, Qt::AlignCenter, text);
    p.restore();
}

// The edge a drag snapped to: one line across the image, kept on it where the edge is the
// display's own (which lies just beyond the image).
void ImageCanvas::paintGuides(QPainter& p) const {
    if (guideX_ >= 0) {
        const int x = std::clamp(guideX_ - offset_.x(), 0, width() - 1);
        p.fillRect(QRect(x, 0, 1, height()), GuideColor());
    }
    if (guideY_ >= 0) {
        const int y = std::clamp(guideY_ - offset_.y(), 0, height() - 1);
        p.fillRect(QRect(0, y, width(), 1), GuideColor());
    }
}

void ImageCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& picture = scaledPicture();
    if (picture.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));  // no picture: the panel shows
    else
        p.drawPixmap(0, 0, picture);

    for (const MarkerView& m : markers_) paintMarker(p, m);
    paintGuides(p);
}

void ImageCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) { emit mousePressed(event->position().toPoint()); }
// Ctrl drags freely: the desktop's window managers take Alt with a drag for moving the
// whole window, so Alt never reaches the editor there.
void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint(), event->modifiers().testFlag(Qt::ControlModifier));
}
void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) { emit mouseReleased(event->position().toPoint()); }

}  // namespace kestrel
