// CPU time for the benchmarks that compare against a program they start
// (fold): a run's time is the CPU time (user and system) of the work, so
// that other work on a shared machine does not blur the ratios; the wall
// time is a counter beside it.
#pragma once

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <chrono>
#include <string>

extern char** environ;

namespace bench {

inline double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Times one run of `work`: CPU time as the iteration's time, wall time summed up.
template <class Work>
void TimeRun(benchmark::State& state, double& wall, Work work) {
    const double wallStart = WallSeconds();
    const double cpuStart = CpuSeconds();
    work();
    const double cpu = CpuSeconds() - cpuStart;
    wall += WallSeconds() - wallStart;
    state.SetIterationTime(cpu);
}

inline void ReportWall(benchmark::State& state, double wall) {
    if (state.iterations() > 0) {
        state.counters["wall_ms"] = 1e3 * wall / static_cast<double>(state.iterations());
    }
}

// `fold -s -w 78` on the file at `path`, its output to /dev/null, once per
// iteration; its CPU time comes from its exit status, the spawning's own is
// added. `bytes` is the file's size.
inline void RunFold(benchmark::State& state, const std::string& path, std::size_t bytes) {
    char* argv[] = {const_cast<char*>("fold"), const_cast<char*>("-s"), const_cast<char*>("-w"),
                    const_cast<char*>("78"), nullptr};
    double wall = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, path.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        const double wallStart = WallSeconds();
        const double cpuStart = CpuSeconds();
        pid_t child = 0;
        const int started = posix_spawnp(&child, "fold", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (started != 0) {
            state.SkipWithError("cannot start fold");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const double own = CpuSeconds() - cpuStart;
        wall += WallSeconds() - wallStart;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("fold failed");
            break;
        }
        auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
        };
        state.SetIterationTime(own + seconds(usage.ru_utime) + seconds(usage.ru_stime));
    }
    ReportWall(state, wall);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

}  // namespace bench
