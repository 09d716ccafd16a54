#include "ui/ClickPanel.h"

#include <QMouseEvent>

namespace kestrel {

void ClickPanel::setColour(const QColor& background, const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
    setAutoFillBackground(true);
}

void ClickPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && inside && !afterDouble_) emit clicked();
    afterDouble_ = false;
    QLabel::mouseReleaseEvent(event);
}

void ClickPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        afterDouble_ = true;
        emit doubleClicked();
    }
    QLabel::mouseDoubleClickEvent(event);
}

}  // namespace kestrel
