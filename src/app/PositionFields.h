#pragma once
// The four position fields under the picture, with their labels. They take only what
// can be a number, show the chosen window's rectangle, and say when a typed value is
// complete: Return released in a field, or the focus entering or leaving one.

#include <QObject>
#include <array>

#include "model/Editor.h"

class QLineEdit;
class QWidget;
class QFont;

namespace kestrel {

class PositionFields : public QObject {
    Q_OBJECT
public:
    // Builds the labels and fields on parent, in a row starting at x, y.
    PositionFields(QWidget* parent, int x, int y, const QFont& labelFont);

    // A field has the keys: what it holds is a value being typed.
    bool typing() const;
    PosTexts texts() const;
    // Shows what the view says: a field changes when its text in the view changed since
    // it was last shown, or with `again` (a typed value was applied: the field shows the
    // number it became), so that a value being typed stays while nothing changes it.
    void show(const PosTexts& texts, bool enabled, bool again);
    QLineEdit* field(int i) const { return fields_[static_cast<size_t>(i)]; }

signals:
    void valueComplete();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLineEdit*, 4> fields_{};
    PosTexts shown_;
    bool showing_ = false;  // changes made here are no typing
};

}  // namespace kestrel
