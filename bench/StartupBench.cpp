// Time from process start until the main window is first painted, and the peak memory
// by then, on the offscreen platform: the editor against a bare QMainWindow, one of
// each per iteration, in alternating order. Each run spawns a fresh process; the clock
// starts just before the spawn and stops at the probe's report.

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
    Probe kestrel{0, 0}, bare{0, 0};  // sums
    bool kestrelFirst = true;
    for (auto _ : state) {
        Probe k, b;
        if (kestrelFirst) {
            k = RunProbe(KESTREL_PROBE);
            b = RunProbe(BARE_PROBE);
        } else {
            b = RunProbe(BARE_PROBE);
            k = RunProbe(KESTREL_PROBE);
        }
        kestrelFirst = !kestrelFirst;
        if (k.Seconds < 0 || b.Seconds < 0) {
            state.SkipWithError("a probe did not report its first paint");
            return;
        }
        kestrel.Seconds += k.Seconds, kestrel.PeakKiB += k.PeakKiB;
        bare.Seconds += b.Seconds, bare.PeakKiB += b.PeakKiB;
        state.SetIterationTime(k.Seconds);
    }
    const double n = double(state.iterations());
    state.counters["kestrel_ms"] = kestrel.Seconds / n * 1e3;
    state.counters["bare_ms"] = bare.Seconds / n * 1e3;
    state.counters["time_ratio"] = kestrel.Seconds / bare.Seconds;
    state.counters["kestrel_peak_MiB"] = kestrel.PeakKiB / n / 1024;
    state.counters["bare_peak_MiB"] = bare.PeakKiB / n / 1024;
    state.counters["memory_ratio"] = kestrel.PeakKiB / bare.PeakKiB;
}
BENCHMARK(BM_StartupAgainstBareMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
