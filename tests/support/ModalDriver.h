#pragma once
// Drives the modal boxes and file dialogs a Qt test sets off: arm it before the action
// that opens one (the action blocks in exec()); it polls for the active modal widget,
// records what it showed and answers it.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace kestrel::test {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool enabled = true;  // a disabled box could not be answered by the user
    QWidget* parent = nullptr;  // the window it belongs to
    QString titleBehind;        // that window's title as shown meanwhile
};

class ModalDriver : public QObject {
public:
    ModalDriver() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, &ModalDriver::poll);
    }

    // The next message boxes are answered with these buttons, in order.
    void answer(std::initializer_list<QMessageBox::StandardButton> buttons) {
        for (auto b : buttons) pending_.push_back(b);
        timer_.start();
    }
    // The next file dialog: fn gets it and accepts or rejects it.
    void fileDialog(std::function<void(QFileDialog*)> fn) {
        fileFn_ = std::move(fn);
        timer_.start();
    }
    // Closes whatever is still open (a test that failed half way).
    void closeAll() {
        timer_.stop();
        pending_.clear();
        fileFn_ = nullptr;
        for (int i = 0; i < 10; ++i) {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) break;
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject(); else w->close();
            QApplication::processEvents();
        }
    }

    QList<SeenBox> seen;
    int pendingCount() const { return int(pending_.size()) + (fileFn_ ? 1 : 0); }

private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(w); box && !pending_.isEmpty()) {
            QWidget* behind = box->parentWidget();
            seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->isEnabled(),
                         behind, behind && behind->windowHandle() ? behind->windowHandle()->title() : QString()});
            const auto b = pending_.takeFirst();
            if (b == QMessageBox::Escape) box->reject();
            else if (box->button(b)->isEnabled()) box->button(b)->click();
            else box->done(b);
        } else if (auto* fd = qobject_cast<QFileDialog*>(w); fd && fileFn_) {
            auto fn = std::move(fileFn_);
            fileFn_ = nullptr;
            fn(fd);
        }
        if (pending_.isEmpty() && !fileFn_) timer_.stop();
    }

    QTimer timer_;
    QList<QMessageBox::StandardButton> pending_;
    std::function<void(QFileDialog*)> fileFn_;
};

// Chooses `path` in Qt's own file dialog and accepts it.
inline void ChooseFile(QFileDialog* dialog, const QString& path) {
    dialog->selectFile(path);
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

}  // namespace kestrel::test
