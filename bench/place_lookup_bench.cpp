// Place lookups on a national-scale timetable: finding the elements of the stops kind whose
// name equals a typed name (the binary search over the sorted elements), and collecting the
// stops within a walking distance of a point (a scan over every stop's position). The network
// is generated with few trips, since neither lookup looks at them.
//
//   build/release/bench/place_lookup_bench [benchmark flags]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/NationalNetwork.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace {

const trasovnik::cJizdniRad& network() {
    static std::unique_ptr<trasovnik::cJizdniRad> jr = [] {
        bench::NationalNetworkOptions options;
        options.trips = 20000;
        trasovnik::LoadObserver observer;
        auto loaded = trasovnik::loadTimetableBytes(
            jz::compileTimetable(bench::buildNationalNetwork(options)), observer);
        std::fprintf(stderr, "stops %zu, stops-kind elements %zu\n", loaded->stops.stopCount(),
                     loaded->categories.elementCount(
                         static_cast<std::size_t>(loaded->categories.stopsKind())));
        return loaded;
    }();
    return *jr;
}

void BM_FindEntriesByPrefix(benchmark::State& state) {
    const trasovnik::cJizdniRad& jr = network();
    const auto kind = static_cast<std::size_t>(jr.categories.stopsKind());
    const std::size_t count = jr.categories.elementCount(kind);
    std::vector<std::string> keys;
    for (std::size_t e = 0; e < count; e += count / 97 + 1) {
        keys.emplace_back(jr.categories.elementName(jr.names, kind, e));
        keys.push_back(keys.back() + "x");  // absent: sorts right after an existing name
    }
    std::size_t i = 0;
    for (auto _ : state) {
        auto found = jr.categories.findEntriesByPrefix(jr.names, kind, keys[i++ % keys.size()]);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindEntriesByPrefix);

void BM_StopsWithin(benchmark::State& state) {
    const trasovnik::cJizdniRad& jr = network();
    const double metres = static_cast<double>(state.range(0));
    std::size_t s = 0;
    std::size_t hits = 0;
    for (auto _ : state) {
        trasovnik::cPoloha p = jr.stops.position(s);
        s = (s + 7919) % jr.stops.stopCount();
        auto near = jr.stops.stopsWithin(p.latitude, p.longitude, metres);
        hits += near.size();
        benchmark::DoNotOptimize(near);
    }
    state.counters["hits"] =
        benchmark::Counter(static_cast<double>(hits), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StopsWithin)->Arg(500)->Arg(5000);

}  // namespace

BENCHMARK_MAIN();
