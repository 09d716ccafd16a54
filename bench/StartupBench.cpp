// Time from process start until the main window is first painted, on the offscreen
// platform: the editor against a bare QMainWindow. Each iteration spawns a fresh
// process; the clock starts just before the spawn and stops at the probe's report.

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

// Seconds from spawn to first paint, or a negative value when the probe failed.
double RunProbe(const char* path) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
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
        return -1;
    }
    std::string out;
    char buf[64];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (out.empty()) return -1;
    return double(std::atoll(out.c_str()) - start) / 1e9;
}

void Measure(benchmark::State& state, const char* probe) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : state) {
        const double seconds = RunProbe(probe);
        if (seconds < 0) {
            state.SkipWithError("the probe did not report its first paint");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartupKestrel(benchmark::State& state) { Measure(state, KESTREL_PROBE); }
void BM_StartupBareMainWindow(benchmark::State& state) { Measure(state, BARE_PROBE); }

BENCHMARK(BM_StartupBareMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_StartupKestrel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
