#pragma once
// A push button that runs an action: a click triggers it, and the button is enabled
// while the action is.

#include <QAbstractButton>
#include <QAction>

namespace kestrel {

inline void BindToAction(QAbstractButton* button, QAction* action) {
    QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    button->setEnabled(action->isEnabled());
}

}  // namespace kestrel
