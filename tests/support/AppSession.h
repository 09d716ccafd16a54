#pragma once
// The whole program in-process for window tests, and what a user's hand does on it.

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "support/ModalDriver.h"
#include "ui/ImageCanvas.h"

namespace kestrel::test {

class AppSession {
protected:
    std::unique_ptr<KestrelApp> app;
    ModalDriver driver;

    // Starts the program with its main window shown; true once the window is exposed.
    bool Start() {
        app = std::make_unique<KestrelApp>();
        app->ShowMain();
        return QTest::qWaitForWindowExposed(app->Form1.get());
    }
    // Ends it; a drag cut short by a failure holds no button into the next test.
    void Stop() {
        if (app)
            for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
                QTest::mouseRelease(canvas(), b);
        driver.closeAll();
        driver.seen.clear();
        app.reset();
    }

    TForm1& form() { return *app->Form1; }
    template <class T = QWidget>
    T* child(const char* name) {
        T* w = app->Form1->findChild<T*>(name);
        if (!w) qWarning("no child %s", name);
        return w;
    }
    ImageCanvas* canvas() { return app->Form1->canvas(); }
    // Whether window w's marker is shown in the chosen window's look (red).
    bool markedChosen(int w) {
        for (const MarkerView& m : form().View().Markers)
            if (m.Window == w) return m.Chosen;
        return false;
    }

    // An idle move: no button held, so it reaches the canvas through its mouse tracking.
    void hover(QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, canvas()->mapToGlobal(p), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(canvas(), &move);
    }
};

}  // namespace kestrel::test
