// The media copies of a save against `cp` of the same files and against `cp` then
// `sync` of the copies, with the page cache warm and cold, taking turns in one run; and
// the file list rebuild and the listing of failed copies at growing numbers of entries,
// to show they grow linearly.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "storage/CopyWorker.h"
#include "storage/ProjectFolder.h"
#include "support/TempFolder.h"

extern char** environ;

namespace {

using namespace kestrel;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

using bench::Folder;

void Empty(const Folder& folder) {
    for (const auto& e : fs::directory_iterator(folder.path)) fs::remove_all(e.path());
}

// A save's media: four 64 MiB videos and 64 pictures of 1 MiB.
struct Media {
    Folder source, target;
    std::vector<std::string> files;
    Media() {
        std::vector<char> chunk(1 << 20);
        for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 31 + 7);
        auto make = [&](const std::string& name, int mebibytes) {
            std::ofstream out(source.Dir() + name, std::ios::binary);
            for (int n = 0; n < mebibytes; ++n) out.write(chunk.data(), std::streamsize(chunk.size()));
            files.push_back(source.Dir() + name);
        };
        for (int i = 0; i < 4; ++i) make("video" + std::to_string(i) + ".mp4", 64);
        for (int i = 0; i < 64; ++i) make("picture" + std::to_string(i) + ".jpg", 1);
    }
};

bool DropPageCache() {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.flush();
    return bool(drop);
}

double CopyWithWorker(const Media& m) {
    std::vector<CopyJob> jobs;
    for (const auto& f : m.files) jobs.push_back({f, m.target.Dir() + fs::path(f).filename().string(), true});
    const auto start = Clock::now();
    CopyWorker worker(std::move(jobs));
    std::atomic<bool> cancel{false};
    worker.Run([](const JobProgress&) {}, cancel);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int Run(std::vector<std::string> words) {
    std::vector<char*> args;
    for (auto& w : words) args.push_back(w.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// cp of the same files; with thenSync, followed by `sync` of the copies, which is what
// the editor does before it calls a copy complete (cp leaves them in the page cache).
double CopyWithCp(const Media& m, bool thenSync) {
    std::vector<std::string> cp{"cp"}, sync{"sync"};
    cp.insert(cp.end(), m.files.begin(), m.files.end());
    cp.push_back(m.target.Dir());
    for (const auto& f : m.files) sync.push_back(m.target.Dir() + fs::path(f).filename().string());
    const auto start = Clock::now();
    if (Run(cp) != 0 || (thenSync && Run(sync) != 0)) return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Each iteration copies the media with the editor's copies, with cp and with cp then
// sync, each into an empty folder, the first of the three in turn; the reported time is
// the editor's, the counters give all three.
void BM_CopiesAgainstCp(benchmark::State& state, bool cold) {
    Media m;
    auto fresh = [&] {
        Empty(m.target);
        return !cold || DropPageCache();
    };
    enum { Kestrel, Cp, CpSync, Ways };
    double sums[Ways] = {0, 0, 0};
    int first = 0;
    for (auto _ : state) {
        double t[Ways] = {0, 0, 0};
        for (int turn = 0; turn < Ways; ++turn) {
            if (!fresh()) {
                state.SkipWithError("the page cache cannot be dropped (needs root)");
                return;
            }
            const int way = (first + turn) % Ways;
            t[way] = way == Kestrel ? CopyWithWorker(m) : CopyWithCp(m, way == CpSync);
            if (t[way] < 0) {
                state.SkipWithError("cp or sync could not be run");
                return;
            }
        }
        first = (first + 1) % Ways;
        for (int way = 0; way < Ways; ++way) sums[way] += t[way];
        state.SetIterationTime(t[Kestrel]);
    }
    const double n = double(state.iterations());
    state.counters["kestrel_ms"] = sums[Kestrel] / n * 1e3;
    state.counters["cp_ms"] = sums[Cp] / n * 1e3;
    state.counters["ratio_to_cp"] = sums[Kestrel] / sums[Cp];
    state.counters["cp_sync_ms"] = sums[CpSync] / n * 1e3;
    state.counters["ratio_to_cp_sync"] = sums[Kestrel] / sums[CpSync];
    state.SetBytesProcessed(int64_t(state.iterations()) * (4 * 64 + 64) * (1 << 20));
}
BENCHMARK_CAPTURE(BM_CopiesAgainstCp, warm, false)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(BM_CopiesAgainstCp, cold, true)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

// One section whose sub windows hold state.range(0) entries in all, each a file of its own.
void BM_RebuildFileList(benchmark::State& state) {
    Project prj;
    TTimePLData& s = prj.TimePL[0];
    const int entries = int(state.range(0));
    s.SubWinCount = (entries + MaxPLIndex) / (MaxPLIndex + 1);
    for (int n = 0; n < entries; ++n) {
        TSubWinData& w = s.SubWin[1 + n / (MaxPLIndex + 1)];
        w.PL[w.PLCount++].FileName = "/media/pictures/picture" + std::to_string(n) + ".jpg";
    }
    for (auto _ : state) benchmark::DoNotOptimize(RebuildFileList(prj, 0));
    state.SetComplexityN(entries);
}
BENCHMARK(BM_RebuildFileList)->Arg(101)->Arg(404)->Arg(8 * 101)->Unit(benchmark::kMicrosecond)->Complexity();

// A save whose every source is gone: each failure is listed once.
void BM_ListFailedCopies(benchmark::State& state) {
    Folder target;
    std::vector<CopyJob> jobs;
    for (int n = 0; n < state.range(0); ++n) {
        const std::string name = "gone" + std::to_string(n) + ".mp4";
        jobs.push_back({"/nonexistent/" + name, target.Dir() + name, true});
    }
    for (auto _ : state) {
        CopyWorker worker(jobs);
        std::atomic<bool> cancel{false};
        worker.Run([](const JobProgress&) {}, cancel);
        benchmark::DoNotOptimize(worker.Failures().size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ListFailedCopies)->Arg(8 * 101)->Arg(4 * 8 * 101)->Arg(10 * 8 * 101)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
