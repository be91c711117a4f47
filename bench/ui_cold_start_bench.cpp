// Cold start of the demo program under a private X server: from starting the process to its
// first frame shown in the SDL window (the program ends right after it). Reported per run in
// wall time; the counter main_to_frame_ms is the part from main() to the frame, as the program
// itself measured it. Skipped without Xvfb or without the demo program.

#include "platform/testkit/PrivateXServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

#ifdef TRASA_UI_DEMO

// Runs the demo once; the time from main() to the first frame, or a negative value on failure.
double runOnce(const std::string& command) {
    FILE* out = popen(command.c_str(), "r");
    if (!out) {
        return -1;
    }
    double ms = -1;
    if (std::fscanf(out, "first frame %lf ms", &ms) != 1) {
        ms = -1;
    }
    return pclose(out) == 0 ? ms : -1;
}

void coldStart(benchmark::State& state, const char* profile) {
    platform::testkit::PrivateXServer x;
    if (x.display().empty()) {
        state.SkipWithError("no X server could be started");
        return;
    }
    const std::string command = "DISPLAY=" + x.display() + " ASAN_OPTIONS=detect_leaks=0 '" +
                                TRASA_UI_DEMO + "' --profile=" + profile +
                                " --zoom=1 --screen=controls --first-frame";
    runOnce(command);  // the first start after the server came up warms its caches
    double inProgram = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double ms = runOnce(command);
        const auto wall = std::chrono::steady_clock::now() - start;
        if (ms < 0) {
            state.SkipWithError("the demo program failed");
            return;
        }
        inProgram += ms;
        state.SetIterationTime(std::chrono::duration<double>(wall).count());
    }
    state.counters["main_to_frame_ms"] =
        benchmark::Counter(inProgram, benchmark::Counter::kAvgIterations);
}

BENCHMARK_CAPTURE(coldStart, touch_240x320, "240x320")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(coldStart, touch_480x640, "480x640")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

#endif

}  // namespace

BENCHMARK_MAIN();
