// Loading the sample timetable, and the departure lookups the connection search makes on it.
// Run from the release build folder (the sample is data/sample.jz there), or name the file in
// TRASA_SAMPLE: cd build/release && ./bench/timetable_load_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"

namespace {

std::vector<std::uint8_t> sampleBytes() {
    const char* path = std::getenv("TRASA_SAMPLE");
    std::ifstream in(path != nullptr ? path : "data/sample.jz", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void loadSample(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = sampleBytes();
    trasovnik::LoadObserver quiet;
    for (auto _ : state) {
        auto jr = trasovnik::loadTimetableBytes(bytes, quiet);
        benchmark::DoNotOptimize(jr.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(loadSample)->Unit(benchmark::kMillisecond);

// firstDepartureFrom at every stop for every minute of a day.
void departuresOfEveryStop(benchmark::State& state) {
    trasovnik::LoadObserver quiet;
    auto jr = trasovnik::loadTimetableBytes(sampleBytes(), quiet);
    const trasovnik::cPrujezdyZastavek& p = jr->passages;
    for (auto _ : state) {
        for (std::size_t s = 0; s < p.stopCount(); ++s) {
            for (int minute = 0; minute < 1440; minute += 7) {
                int day = 0;
                benchmark::DoNotOptimize(p.firstDepartureFrom(s, minute, day));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(p.stopCount()) * 206);
}
BENCHMARK(departuresOfEveryStop);

}  // namespace

BENCHMARK_MAIN();
