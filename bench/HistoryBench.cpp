// The edit history on the largest project (10 sections, 8 sub windows, 101 entries in
// every playlist): the time to record a step, to undo and redo one, and the heap the
// history holds after 150 steps (glibc's count of bytes in use).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "layout/WindowChoice.h"
#include "layout/WindowList.h"
#include "model/History.h"
#include "storage/ProjectFolder.h"
#include "support/SilentPlatform.h"
#include "session/EditMenu.h"
#include "timesections/TimeSections.h"

namespace {

using namespace kestrel;

constexpr int kSteps = 150;

// Answers Yes, so that a section can be deleted.
struct YesPlatform : bench::SilentPlatform {
    Answer Message(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Yes; }
};

// Every record listed and full, with paths as long as a user's media folder gives them.
void FillLargest(Editor& ed) {
    const std::string dir = "/home/someone/Videos/advertising/spring-campaign/";
    Project& prj = *ed.Prj;
    for (int i = 0; i < MaxTimeIndex; ++i) {
        TTimePLData& s = prj.TimePL[i];
        s.StartTime = i * 200;
        s.EndTime = i * 200 + 159;
        s.MainWin.Width = 960;
        s.MainWin.Height = 768;
        s.MainWin.PLCount = MaxPLIndex + 1;
        for (int k = 0; k <= MaxPLIndex; ++k)
            s.MainWin.PL[k] = {k % 7, 50, dir + "main-" + std::to_string(i) + "-" + std::to_string(k) + ".mp4"};
        s.SubWinCount = MaxSubWin;
        s.BGFile = dir + "background-" + std::to_string(i) + ".jpg";
        for (int j = 1; j <= MaxSubWin; ++j) {
            TSubWinData& w = s.SubWin[j];
            w.Left = 960, w.Top = (j - 1) * 96, w.Width = 400, w.Height = 96;
            w.PLCount = MaxPLIndex + 1;
            for (int k = 0; k <= MaxPLIndex; ++k)
                w.PL[k] = {k, 1, dir + "picture-" + std::to_string(j) + "-" + std::to_string(k) + ".jpg"};
        }
        RebuildFileList(prj, i);  // as a project read from its file has them
    }
    prj.TimeCount = MaxTimeIndex;
    prj.CurTimeIndex = 0;
    ShowTimeSection(ed);
}

// Step n types a new left edge for one sub window of section n % 10: one section changes.
void TypeStep(Editor& ed, int n) {
    ed.Prj->CurTimeIndex = n % MaxTimeIndex;
    ed.ListedSubWins = MaxSubWin;
    ChooseWindow(ed, 1 + n % MaxSubWin);
    Edit_PosKeyEnter(ed, {std::to_string(n % 900), "0", "400", "96"});
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        bench::SilentPlatform platform;
        Editor ed(platform);
        FillLargest(ed);
        StartHistory(ed);
        const size_t before = HeapInUse();
        for (int n = 1; n <= kSteps; ++n) TypeStep(ed, n);
        const size_t after = HeapInUse();
        // What one whole copy of the project costs, for comparison.
        auto copy = std::make_unique<Project>(*ed.Prj);
        const size_t copied = HeapInUse() - after;
        state.counters["steps_kept"] = static_cast<double>(ed.Edits.StepCount());
        state.counters["history_MiB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
        state.counters["project_copy_MiB"] = static_cast<double>(copied) / (1024.0 * 1024.0);
    }
}

void BM_RecordStep(benchmark::State& state) {
    bench::SilentPlatform platform;
    Editor ed(platform);
    FillLargest(ed);
    StartHistory(ed);
    int n = 0;
    for (auto _ : state) TypeStep(ed, ++n);
}

// One undo and one redo of a step; range(0) 1: a typed position (one section), 2: a
// deleted first section (every listed record moves).
void BM_UndoRedo(benchmark::State& state) {
    YesPlatform platform;
    Editor ed(platform);
    FillLargest(ed);
    StartHistory(ed);
    for (int n = 1; n <= kSteps; ++n) TypeStep(ed, n);
    if (state.range(0) == 2) {
        ed.Prj->CurTimeIndex = 0;
        SBtn_DeleteTimeListClick(ed);
    }
    for (auto _ : state) {
        Undo1Click(ed);
        Redo1Click(ed);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["per_undo_or_redo"] = benchmark::Counter(
        static_cast<double>(state.iterations() * 2), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedo)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
