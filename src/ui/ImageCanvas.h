#pragma once
// imgBmp: the title picture stretched over the image, with the window markers of the
// current section painted on top. It takes the mouse for the whole image: markers
// are painted, not widgets, so presses over them reach the image beneath.

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "session/MainView.h"

namespace kestrel {

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    // offset: where the canvas lies inside Panel_Image; markers are in panel coordinates.
    ImageCanvas(QWidget* parent, QPoint offset = QPoint(1, 1));

    // The picture shown for PictureKind::Default.
    void setDefaultPicture(const QImage& picture);
    // Takes the view's picture, markers, guides and pointer shape; repaints what changed.
    void showView(const MainView& view);

    static QColor HatchColor(bool chosen);
    static QColor OutlineColor(bool chosen);
    static QColor NamePlateColor() { return QColor(32, 32, 48); }
    static QColor GuideColor() { return QColor(0, 255, 255); }

signals:
    void mousePressed(QPoint pos);
    void mouseMoved(QPoint pos, bool freeDrag);  // Ctrl held: the drag does not snap
    void mouseReleased(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& scaledPicture();
    void paintMarker(class QPainter& p, const MarkerView& m);
    void paintGuides(class QPainter& p) const;
    void paintName(class QPainter& p, const QRect& inside, const std::string& name);

    QPoint offset_;
    QImage default_;
    // What is painted: the view's picture, markers and guides.
    PictureKind picture_ = PictureKind::Default;
    std::string pictureFile_;
    std::vector<MarkerView> markers_;
    int guideX_ = -1, guideY_ = -1;
    Cursor cursor_ = Cursor::Arrow;

    QImage file_;             // the loaded picture file
    std::string fileName_;    // which file file_ holds
    QPixmap scaled_;          // the current picture at the canvas size
    PictureKind scaledKind_ = PictureKind::Empty;
    std::string scaledFile_;
    QSize scaledSize_;
};

}  // namespace kestrel
