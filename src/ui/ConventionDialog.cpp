#include "ui/ConventionDialog.h"

#include <QShowEvent>
#include <QWindow>

#include "model/Project.h"

namespace kestrel {

// Dialogs are top-level windows of their own (no Qt parent), so that disabling the
// main window does not disable them too.
ConventionDialog::ConventionDialog(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow) {}

void ConventionDialog::ShowOverMain() {
    KeepAboveMain();
    show();
    KeepAboveMain();  // showing may make the window anew
    if (mainWindow_) {
        mainFocus_ = mainWindow_->focusWidget();
        mainWindow_->setEnabled(false);
    }
    disabledMain_ = mainWindow_ != nullptr;
    raise();
    activateWindow();
}

void ConventionDialog::ShowBesideMain() {
    show();
    raise();
    activateWindow();
}

// The window manager keeps a window above its transient parent: a click on the disabled
// main window then cannot raise it over the dialog.
void ConventionDialog::KeepAboveMain() {
    if (!mainWindow_) return;
    if (!windowHandle()) create();
    if (!mainWindow_->windowHandle()) mainWindow_->winId();  // makes its native window
    if (windowHandle()->transientParent() != mainWindow_->windowHandle())
        windowHandle()->setTransientParent(mainWindow_->windowHandle());
}

void ConventionDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && mainWindow_) {
        const QRect main = mainWindow_->frameGeometry();
        const QSize own = frameGeometry().size();
        move(CenteredStart(main.left(), main.width(), own.width()),
             CenteredStart(main.top(), main.height(), own.height()));
        FormShow();
    }
    QDialog::showEvent(event);
}

void ConventionDialog::done(int result) {
    QDialog::done(result);
    FormClose();
    if (mainWindow_ && disabledMain_) {
        disabledMain_ = false;
        mainWindow_->setEnabled(true);
        if (mainFocus_ && mainFocus_->isVisible() && mainFocus_->isEnabled())
            mainFocus_->setFocus(Qt::ActiveWindowFocusReason);
        mainWindow_->activateWindow();
    }
    emit Closed();
}

}  // namespace kestrel
