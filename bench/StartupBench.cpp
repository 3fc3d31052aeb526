// Start-up to the first painted main window: TerrionLink against a minimal
// wxWidgets program that opens one empty frame, both started as processes in
// the same run, alternately. Reports both times and their ratio. Needs a
// display (run it under xvfb-run).

#include <benchmark/benchmark.h>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

extern char** environ;

namespace
{

/// Starts program and returns the milliseconds until it writes its first
/// line (its first paint); negative when it fails or takes over 30 s.
double MillisecondsToFirstPaint(const char* program, const char* argument)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string arg0 = program;
    std::string arg1 = argument ? argument : "";
    char* argv[] = {arg0.data(), argument ? arg1.data() : nullptr, nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    double elapsed = -1;
    if (spawned == 0)
    {
        pollfd wait{pipeFds[0], POLLIN, 0};
        char byte = 0;
        if (::poll(&wait, 1, 30000) == 1 && ::read(pipeFds[0], &byte, 1) == 1)
            elapsed =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::close(pipeFds[0]);
    return elapsed;
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    // The program's settings go to a folder of their own, written on first start.
    const auto config = std::filesystem::temp_directory_path() / "terrion_startup_bench";
    std::filesystem::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string project = std::string(TERRION_TEST_DATA_DIR) + "/project/summary.vnr";

    double minimalTotal = 0;
    double terrionTotal = 0;
    int runs = 0;
    for (auto _ : state)
    {
        const double minimal = MillisecondsToFirstPaint(TERRION_MINIMAL_FRAME, nullptr);
        const double terrion = MillisecondsToFirstPaint(TERRION_FIRST_PAINT_PROGRAM, project.c_str());
        if (minimal < 0 || terrion < 0)
        {
            state.SkipWithError("a program did not paint");
            return;
        }
        state.SetIterationTime(terrion / 1000.0);
        minimalTotal += minimal;
        terrionTotal += terrion;
        ++runs;
    }
    state.counters["minimal_ms"] = minimalTotal / runs;
    state.counters["terrionlink_ms"] = terrionTotal / runs;
    state.counters["ratio"] = terrionTotal / minimalTotal;
}

BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
