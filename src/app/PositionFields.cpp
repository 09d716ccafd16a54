#include "app/PositionFields.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "layout/WindowList.h"
#include "ui/Paint.h"

namespace kestrel {

namespace {

// A position field takes only what can be a number, so typing never meets an error box.
class PosFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return PosFieldTextAllowed(input.toStdString()) ? Acceptable : Invalid;
    }
};

bool IsProjectUndoKey(const QKeyEvent* key) {
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
           key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

PositionFields::PositionFields(QWidget* parent, int x0, int y, const QFont& labelFont) : QObject(parent) {
    static const char* labels[4][2] = {{"Label_StartX", "Start X"}, {"Label_StartY", "Start Y"},
                                       {"Label_Width", "Width"}, {"Label_Height", "Height"}};
    static const char* names[4] = {"Edit_Left", "Edit_Top", "Edit_Width", "Edit_Height"};
    for (int i = 0; i < 4; ++i) {
        const int x = x0 + i * 176;
        auto* label = new QLabel(labels[i][1], parent);
        label->setObjectName(labels[i][0]);
        label->setGeometry(x, y, 60, 26);
        label->setFont(labelFont);
        Paint(label, QColor(0, 0, 128), Qt::white);
        auto* edit = new QLineEdit("0", parent);
        edit->setObjectName(names[i]);
        edit->setValidator(new PosFieldValidator(edit));
        edit->setGeometry(x + 62, y, 90, 26);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        fields_[static_cast<size_t>(i)] = edit;
        shown_[static_cast<size_t>(i)] = "0";
    }
}

bool PositionFields::typing() const {
    QWidget* focus = fields_[0]->window()->focusWidget();
    return std::find(fields_.begin(), fields_.end(), focus) != fields_.end();
}

PosTexts PositionFields::texts() const {
    PosTexts out;
    for (size_t i = 0; i < 4; ++i) out[i] = fields_[i]->text().toStdString();
    return out;
}

void PositionFields::show(const PosTexts& texts, bool enabled, bool again) {
    showing_ = true;
    for (size_t i = 0; i < 4; ++i) {
        QLineEdit* edit = fields_[i];
        const QString text = QString::fromStdString(texts[i]);
        if ((again || texts[i] != shown_[i]) && edit->text() != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text);
            if (edit->hasFocus()) edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
        }
        if (edit->isEnabled() != enabled) edit->setEnabled(enabled);
    }
    shown_ = texts;
    showing_ = false;
}

bool PositionFields::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || showing_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Undo and redo are the project's, not the field's own: the shortcut goes to the menu.
            if (IsProjectUndoKey(static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::KeyRelease: {
            // A value is applied when it is complete: on Return (or on leaving the field),
            // not at every digit, so typing 768 never makes the window 7 pixels high.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
                emit valueComplete();
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            // Focus that moves with the active window (a box or dialog opening) or because
            // the window is being disabled is no entering or leaving of a field.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (edit->window()->isEnabled() && reason != Qt::ActiveWindowFocusReason &&
                reason != Qt::PopupFocusReason)
                emit valueComplete();
            break;
        }
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrel
