#pragma once
// Median and 99th percentile of per-call times, reported as a benchmark's counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

// Sorts `micros` and sets "<prefix>p50_us" and "<prefix>p99_us"; nothing when it is empty.
inline void reportPercentiles(benchmark::State& state, std::vector<double>& micros,
                              const std::string& prefix = "") {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    state.counters[prefix + "p50_us"] = micros[micros.size() / 2];
    state.counters[prefix + "p99_us"] = micros[micros.size() * 99 / 100];
}

}  // namespace bench
