#pragma once
// A captioned panel that reports clicks and double clicks (Panel_MainWin). A double
// click comes after the click of its first press, and its own release is no click.
// With the focus, Space clicks it and Return double-clicks it, so the keys reach it too.

#include <QLabel>

namespace kestrel {

class ClickPanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setColour(const QColor& background, const QColor& text);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool afterDouble_ = false;
};

}  // namespace kestrel
