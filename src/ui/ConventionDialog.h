#pragma once
// How every dialog of the editor behaves: shown without a modal loop over a main
// window that is disabled at once, centred over it when shown, and enabling it
// again when closed by any means (OK, Cancel, Escape or the close box).

#include <QDialog>
#include <QPointer>

namespace kestrel {

class ConventionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConventionDialog(QWidget* mainWindow);

    // Shows the dialog and disables the main window.
    void ShowOverMain();
    // Shows the dialog centred over the main window, which stays usable: for a dialog
    // that only shows the project and follows its changes.
    void ShowBesideMain();
    void done(int result) override;
    // Whether the dialog is open over the main window it disabled: the user works in it.
    bool HoldsMainWindow() const { return disabledMain_ && isVisible(); }

signals:
    // Emitted after the main window has been enabled again.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    // Hooks for the dialogs: FormShow runs after centring, FormClose before enabling.
    virtual void FormShow() {}
    virtual void FormClose() {}

    QWidget* mainWindow() const { return mainWindow_; }

private:
    void KeepAboveMain();

    QWidget* mainWindow_;
    bool disabledMain_ = false;  // closing enables the main window only when showing disabled it
    // Disabling the main window takes the focus from its widget; closing gives it back,
    // so the keys go on where they were.
    QPointer<QWidget> mainFocus_;
};

}  // namespace kestrel
