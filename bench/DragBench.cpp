// 10,000 move steps of each kind of drag through the core, with the time per step
// and the heap allocations per step (counted by a replaced operator new).

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The replaced operators below pair malloc with free; g++ cannot see that through them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include "layout/CoordinateMapping.h"
#include "layout/MouseEditor.h"
#include "layout/WindowChoice.h"
#include "support/SilentPlatform.h"

namespace {
std::atomic<long long> g_allocations{0};
}

void* operator new(std::size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace kestrel;

constexpr int kSteps = 10000;

// Starts a drag of the given kind on sub window 1, then times kSteps move steps
// sweeping the pointer back and forth across the image. Snapping is on; with crowded,
// sub windows 2 to 8 sit in a row along the bottom, so every step weighs their edges.
void RunDrag(benchmark::State& state, int kind, bool crowded = false) {
    bench::SilentPlatform platform;
    Editor ed(platform);
    ed.Prj->CurTimeIndex = 0;
    auto& sec = ed.Prj->TimePL[0];
    sec.MainWin.Shape = Shape{650, 350, 20, 20, true};
    sec.SubWinCount = crowded ? MaxSubWin : 1;  // listed sub windows: the only kind a drag draws
    ed.ListedSubWins = sec.SubWinCount;
    for (int j = 2; j <= sec.SubWinCount; ++j) {
        auto& sub = sec.SubWin[j];
        sub.Shape = Shape{(j - 2) * 90, 330, 80, 60, true};
        StoreShapeRect(ed, *sub.Shape, sub);
    }
    ChooseWindow(ed, 1);
    ed.SelWinIndex = 1;
    long long allocations = 0;
    long long steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ed.DragMode = 0;
        ed.SizeHandle = -1;
        sec.SubWin[1].Shape.reset();
        if (kind != 1) sec.SubWin[1].Shape = Shape{100, 100, 200, 100, true};
        if (kind == 3) imgBmpMouseMove(ed, 300, 200);  // over the bottom-right corner
        if (kind == 2) imgBmpMouseDown(ed, 150, 150);  // inside the marker
        else if (kind == 3) imgBmpMouseDown(ed, 300, 200);
        else imgBmpMouseDown(ed, 50, 50);                // outside every marker
        if (ed.DragMode != kind || ed.SelWinIndex != 1) state.SkipWithError("drag did not start");
        state.ResumeTiming();
        const long long before = g_allocations.load(std::memory_order_relaxed);
        for (int i = 0; i < kSteps; ++i) {
            const int phase = i % 400;
            const int x = 60 + (phase < 200 ? phase : 400 - phase) * 3;
            imgBmpMouseMove(ed, x, 60 + (x % 300));
        }
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        steps += kSteps;
        state.PauseTiming();
        imgBmpMouseUp(ed, 0, 0);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(steps);
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_step"] = static_cast<double>(allocations) / static_cast<double>(steps);
}

void BM_DrawSteps(benchmark::State& s) { RunDrag(s, 1); }
void BM_MoveSteps(benchmark::State& s) { RunDrag(s, 2); }
void BM_ResizeSteps(benchmark::State& s) { RunDrag(s, 3); }
void BM_DrawSteps8Windows(benchmark::State& s) { RunDrag(s, 1, true); }
void BM_MoveSteps8Windows(benchmark::State& s) { RunDrag(s, 2, true); }
void BM_ResizeSteps8Windows(benchmark::State& s) { RunDrag(s, 3, true); }

}  // namespace

BENCHMARK(BM_DrawSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResizeSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSteps8Windows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveSteps8Windows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResizeSteps8Windows)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
