// 1,000 move events with the button held through the real canvas of the main window on
// the offscreen platform, for drawing, moving and resizing: each event runs the core
// step, the view copy and a forced repaint. The time per iteration is the time per event.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>

#include "app/KestrelApp.h"
#include "app/PList.h"
#include "layout/MouseEditor.h"
#include "layout/WindowList.h"
#include "timesections/TimeSections.h"
#include "ui/ImageCanvas.h"

namespace {

using namespace kestrel;

constexpr int kEvents = 1000;

void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// One section with the main window chosen once (its 405-pixel square at the top left)
// and SubWin1 current, as the user leaves it before drawing.
std::unique_ptr<KestrelApp> MakeApp() {
    auto app = std::make_unique<KestrelApp>();
    app->ShowMain();
    Editor& ed = app->ed;
    TForm1& form = *app->Form1;
    form.RunCommand([&] {
        TimeListEditor times{8, 0, 9, 0};
        ed.TimeEditMode = false;
        times.SBtn_TLOKClick(ed);
        Panel_MainWinClick(ed);
        AddSubWinClick(ed);
        ListBox_SubWinClick(ed, 0);
    });
    QApplication::processEvents();
    return app;
}

// kind 1 draws, 2 moves, 3 resizes SubWin1; the pointer sweeps back and forth.
void CanvasDrag(benchmark::State& state, int kind) {
    auto app = MakeApp();
    ImageCanvas* canvas = app->Form1->canvas();
    auto& sub = app->ed.Prj->TimePL[0].SubWin[1];
    if (!canvas->isVisible()) state.SkipWithError("the canvas is not shown: nothing would be painted");
    long long events = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sub.Shape.reset();
        QPoint start(450, 60);
        if (kind != 1) {
            sub.Shape = Shape{450, 60, 150, 100, true};
            start = kind == 2 ? QPoint(500, 100) : QPoint(600, 160);  // inside; bottom-right corner
        }
        Send(canvas, QEvent::MouseMove, start, Qt::NoButton);
        Send(canvas, QEvent::MouseButtonPress, start, Qt::LeftButton);
        if (app->ed.DragMode != kind) state.SkipWithError("the drag did not start");
        canvas->repaint();
        state.ResumeTiming();
        for (int i = 0; i < kEvents; ++i) {
            const int sweep = i % 200 < 100 ? i % 100 : 100 - i % 100;
            Send(canvas, QEvent::MouseMove, start + QPoint(sweep, sweep / 2), Qt::LeftButton);
            canvas->repaint();
        }
        state.PauseTiming();
        Send(canvas, QEvent::MouseButtonRelease, start, Qt::NoButton);
        events += kEvents;
        state.ResumeTiming();
    }
    state.counters["per_event"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(CanvasDrag, drawing, 1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_CAPTURE(CanvasDrag, moving, 2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_CAPTURE(CanvasDrag, resizing, 3)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication a(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
