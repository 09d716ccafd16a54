#pragma once
// A widget filled with a colour of its own, its text in another: both are set together,
// so the pair stays readable whatever palette the desktop gives.

#include <QColor>
#include <QWidget>

namespace kestrel {

inline void Paint(QWidget* w, const QColor& background, const QColor& text = Qt::black) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace kestrel
