// Time from process start until the main window is first painted, and the peak memory
// by then, on the offscreen platform: the editor against a bare QMainWindow and against
// that window showing one line of text, one of each per iteration, in turns. Each run
// spawns a fresh process; the clock starts just before the spawn and stops at the
// probe's report.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

long long MonotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

struct Probe {
    double Seconds = -1;  // from spawn to first paint; negative when the probe failed
    double PeakKiB = 0;
};

Probe RunProbe(const char* path) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    char* args[] = {const_cast<char*>(path), nullptr};
    const long long start = MonotonicNanoseconds();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, path, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return {};
    }
    std::string out;
    char buf[64];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long paint = 0, peak = 0;
    if (std::sscanf(out.c_str(), "%lld %lld", &paint, &peak) != 2) return {};
    return {double(paint - start) / 1e9, double(peak)};
}

void BM_StartupAgainstBareMainWindow(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The editor and its two anchors; each iteration starts with the next one in turn.
    enum { Kestrel, Bare, Label, ProbeCount };
    const char* const paths[ProbeCount] = {KESTREL_PROBE, BARE_PROBE, LABEL_PROBE};
    Probe sums[ProbeCount] = {{0, 0}, {0, 0}, {0, 0}};
    int first = 0;
    for (auto _ : state) {
        Probe run[ProbeCount];
        for (int k = 0; k < ProbeCount; ++k) {
            const int which = (first + k) % ProbeCount;
            run[which] = RunProbe(paths[which]);
            if (run[which].Seconds < 0) {
                state.SkipWithError("a probe did not report its first paint");
                return;
            }
        }
        first = (first + 1) % ProbeCount;
        for (int k = 0; k < ProbeCount; ++k) sums[k].Seconds += run[k].Seconds, sums[k].PeakKiB += run[k].PeakKiB;
        state.SetIterationTime(run[Kestrel].Seconds);
    }
    const double n = double(state.iterations());
    state.counters["kestrel_ms"] = sums[Kestrel].Seconds / n * 1e3;
    state.counters["bare_ms"] = sums[Bare].Seconds / n * 1e3;
    state.counters["time_ratio"] = sums[Kestrel].Seconds / sums[Bare].Seconds;
    state.counters["kestrel_peak_MiB"] = sums[Kestrel].PeakKiB / n / 1024;
    state.counters["bare_peak_MiB"] = sums[Bare].PeakKiB / n / 1024;
    state.counters["memory_ratio"] = sums[Kestrel].PeakKiB / sums[Bare].PeakKiB;
    // What one line of text alone costs against the bare window, and the editor against
    // that window.
    state.counters["label_ms"] = sums[Label].Seconds / n * 1e3;
    state.counters["label_time_ratio"] = sums[Label].Seconds / sums[Bare].Seconds;
    state.counters["time_ratio_to_label"] = sums[Kestrel].Seconds / sums[Label].Seconds;
}
BENCHMARK(BM_StartupAgainstBareMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
