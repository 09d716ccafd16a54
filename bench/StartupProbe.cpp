// Starts a program's main window and prints the monotonic clock (nanoseconds) at the
// moment its first frame has been painted, then leaves at once. Built twice: as the
// editor (KestrelApp) and as a bare QMainWindow, so both are measured the same way.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <unistd.h>

#ifndef STARTUP_BARE
#include "app/KestrelApp.h"
#include "app/PList.h"
#endif

namespace {

long long MonotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// Waits for the first paint of any widget of the window; the rest of that frame is
// painted in the same pass, so the time is taken when control comes back.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!seen_ && e->type() == QEvent::Paint && o->isWidgetType() &&
            static_cast<QWidget*>(o)->window() == window_) {
            seen_ = true;
            QTimer::singleShot(0, [] {
                std::printf("%lld\n", MonotonicNanoseconds());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    QWidget* window_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
#ifdef STARTUP_BARE
    QMainWindow window;
    QWidget* main = &window;
    FirstPaint probe(main);
    app.installEventFilter(&probe);
    window.resize(929, 756);
    window.show();
#else
    QApplication::setApplicationName("Kestrel");
    kestrel::KestrelApp kestrel;
    QWidget* main = kestrel.Form1.get();
    FirstPaint probe(main);
    app.installEventFilter(&probe);
    kestrel.ShowMain();
#endif
    return app.exec();
}
