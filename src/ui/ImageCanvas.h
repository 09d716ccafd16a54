#pragma once
// imgBmp: the title picture stretched over the image, with the window markers of the
// current section painted on top. It takes the mouse for the whole image: markers
// are painted, not widgets, so presses over them reach the image beneath.

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "model/Editor.h"

namespace kestrel {

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    // offset: where the canvas lies inside Panel_Image; markers are in panel coordinates.
    ImageCanvas(Editor& ed, QWidget* parent, QPoint offset = QPoint(1, 1));

    // The picture shown for PictureKind::Default.
    void setDefaultPicture(const QImage& picture);
    // Takes View's picture and pointer shape; repaints.
    void syncFromView();

    static QColor HatchColor(const Shape& s);
    static QColor OutlineColor(const Shape& s);
    static QColor NamePlateColor() { return QColor(32, 32, 48); }
    static QColor GuideColor() { return QColor(0, 255, 255); }

signals:
    void mousePressed(QPoint pos);
    void mouseMoved(QPoint pos, bool altHeld);  // Alt: the drag does not snap
    void mouseReleased(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& scaledPicture();
    void paintMarker(class QPainter& p, const Shape& s, int index);
    void paintGuides(class QPainter& p) const;
    void paintName(class QPainter& p, const QRect& inside, const std::string& name);

    Editor& ed_;
    QPoint offset_;
    QImage default_;
    QImage file_;             // the loaded picture file
    std::string fileName_;    // which file file_ holds
    QPixmap scaled_;          // the current picture at the canvas size
    PictureKind scaledKind_ = PictureKind::Empty;
    std::string scaledFile_;
    QSize scaledSize_;
    Cursor cursor_ = Cursor::Arrow;
};

}  // namespace kestrel
