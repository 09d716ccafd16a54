#include "ui/ImageCanvas.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace kestrel {

ImageCanvas::ImageCanvas(Editor& ed, QWidget* parent, QPoint offset)
    : QWidget(parent), ed_(ed), offset_(offset) {
    setObjectName("imgBmp");
    setMouseTracking(true);
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

void ImageCanvas::syncFromView() {
    if (ed_.View.ImageCursor != cursor_ || cursor().shape() != QtCursor(cursor_)) {
        cursor_ = ed_.View.ImageCursor;
        setCursor(QtCursor(cursor_));
    }
    update();
}

// The picture is loaded once per file and scaled once per size, so that a repaint
// during a drag only copies pixels.
const QPixmap& ImageCanvas::scaledPicture() {
    const auto& view = ed_.View;
    if (view.Picture != PictureKind::File && !fileName_.empty()) {  // a file chosen again is read again
        fileName_.clear();
        file_ = QImage();
    }
    if (view.Picture == PictureKind::File && view.PictureFile != fileName_) {
        QImageReader reader(QString::fromStdString(view.PictureFile));
        reader.setDecideFormatFromContent(true);
        file_ = reader.read();
        fileName_ = view.PictureFile;
    }
    const bool same = scaledKind_ == view.Picture && scaledSize_ == size() &&
                      (view.Picture != PictureKind::File || scaledFile_ == view.PictureFile);
    if (!same) {
        scaledKind_ = view.Picture;
        scaledFile_ = view.PictureFile;
        scaledSize_ = size();
        const QImage* source = view.Picture == PictureKind::Default ? &default_
                               : view.Picture == PictureKind::File  ? &file_
                                                                    : nullptr;
        if (source && !source->isNull())
            scaled_ = QPixmap::fromImage(
                source->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        else
            scaled_ = QPixmap();
    }
    return scaled_;
}

QColor ImageCanvas::HatchColor(const Shape& s) { return s.Highlighted ? QColor(255, 0, 0) : QColor(255, 255, 0); }
QColor ImageCanvas::OutlineColor(const Shape& s) { return s.Highlighted ? QColor(255, 0, 0) : QColor(192, 192, 192); }

// The 2-pixel outline lies inside the marker's bounds, the hatch fills what it encloses.
void ImageCanvas::paintMarker(QPainter& p, const Shape& s) const {
    const QRect bounds = QRect(s.Left, s.Top, s.Width, s.Height).normalized().translated(-offset_);
    if (bounds.isEmpty()) return;
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(HatchColor(s), Qt::DiagCrossPattern));
    p.drawRect(bounds);
    const QColor outline = OutlineColor(s);
    const int w = bounds.width(), h = bounds.height();
    const int t = 2;
    p.fillRect(QRect(bounds.left(), bounds.top(), w, std::min(t, h)), outline);
    p.fillRect(QRect(bounds.left(), bounds.bottom() - std::min(t, h) + 1, w, std::min(t, h)), outline);
    p.fillRect(QRect(bounds.left(), bounds.top(), std::min(t, w), h), outline);
    p.fillRect(QRect(bounds.right() - std::min(t, w) + 1, bounds.top(), std::min(t, w), h), outline);
}

void ImageCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& picture = scaledPicture();
    if (picture.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));  // no picture: the panel shows
    else
        p.drawPixmap(0, 0, picture);

    const auto* cur = ed_.Prj->Current();
    if (!cur) return;
    if (cur->MainWin.Shape && cur->MainWin.Shape->Visible) paintMarker(p, *cur->MainWin.Shape);
    for (int j = 1; j <= MaxSubWin; ++j) {
        const auto& shape = cur->SubWin[j].Shape;
        if (shape && shape->Visible) paintMarker(p, *shape);
    }
}

void ImageCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) { emit mousePressed(event->position().toPoint()); }
void ImageCanvas::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event->position().toPoint()); }
void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) { emit mouseReleased(event->position().toPoint()); }

}  // namespace kestrel
