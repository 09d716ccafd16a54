#include "ui/ClickPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kestrel {

void ClickPanel::setColour(const QColor& background, const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
    setAutoFillBackground(true);
}

// A plain press starts a new click: the release of a double click that opened a dialog
// never reaches the panel, and must not swallow the next click.
void ClickPanel::mousePressEvent(QMouseEvent* event) {
    afterDouble_ = false;
    QLabel::mousePressEvent(event);
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

void ClickPanel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
    } else if (key == Qt::Key_Space) {
        emit clicked();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit clicked();  // as the first press of a double click
        emit doubleClicked();
    } else {
        QLabel::keyPressEvent(event);
    }
}

// A panel with the keys shows a dotted line in its text colour, seen on either colour.
void ClickPanel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(contentsRect().adjusted(3, 3, -4, -4));
}

}  // namespace kestrel
