// T9 name matching after every key press, on a national-scale timetable: a typed text of 1 to
// 5 letters (prefixes of real stop names) against every category of the file, as the full
// keyboard entry asks it; median and 99th percentile per typed length. Then the week stop
// timetable of one line from its first stop on the city sample network.
//
//   build/release/bench/t9_bench [benchmark flags]

#include "bench/Percentiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/NationalNetwork.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/stoptimetables/StopTimetableSearch.h"
#include "engine/search/t9/T9ElementLists.h"
#include "engine/search/t9/T9Search.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace {

using namespace trasovnik;

struct NationalSet {
    LoadedTimetable timetable;
    std::unique_ptr<cJizdniRadySestavy> set;
};

NationalSet& national() {
    static std::unique_ptr<NationalSet> s = [] {
        bench::NationalNetworkOptions options;
        options.trips = 20000;  // matching reads names only
        LoadObserver observer;
        auto out = std::make_unique<NationalSet>();
        out->timetable.file = loadTimetableBytes(
            jz::compileTimetable(bench::buildNationalNetwork(options)), observer);
        out->set =
            std::make_unique<cJizdniRadySestavy>(std::vector<LoadedTimetable*>{&out->timetable});
        const cKategorie& c = out->timetable.file->categories;
        std::size_t elements = 0;
        for (std::size_t k = 0; k < c.kindCount(); ++k) {
            elements += c.elementCount(k);
        }
        std::fprintf(stderr, "kinds %zu, elements %zu\n", c.kindCount(), elements);
        return out;
    }();
    return *s;
}

// Texts typed: the first `length` letters of stop names spread over the whole kind.
std::vector<std::string> typedTexts(const cJizdniRad& jr, std::size_t length) {
    const auto kind = static_cast<std::size_t>(jr.categories.stopsKind());
    const std::size_t count = jr.categories.elementCount(kind);
    std::vector<std::string> out;
    for (std::size_t e = 0; e < count; e += count / 211 + 1) {
        const std::string_view name = jr.categories.elementName(jr.names, kind, e);
        out.emplace_back(name.substr(0, std::min(length, name.size())));
    }
    return out;
}

void BM_T9TypedText(benchmark::State& state) {
    NationalSet& n = national();
    const auto length = static_cast<std::size_t>(state.range(0));
    const std::vector<std::string> texts = typedTexts(*n.timetable.file, length);
    std::vector<IndexTripleVector> candidates(kT9CandidateSlots);
    t9TypedText(*n.set, T9Scope{}, texts.front(), candidates);  // lists built once per file
    std::vector<double> micros;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const T9Counts c = t9TypedText(*n.set, T9Scope{}, texts[i++ % texts.size()], candidates);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(c);
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    bench::reportPercentiles(state, micros);
}
BENCHMARK(BM_T9TypedText)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

// The element lists with their codes, built once per loaded file before its first match.
void BM_T9ElementListsBuild(benchmark::State& state) {
    const cJizdniRad& jr = *national().timetable.file;
    for (auto _ : state) {
        T9ElementLists lists(jr);
        benchmark::DoNotOptimize(lists);
    }
}
BENCHMARK(BM_T9ElementListsBuild)->Unit(benchmark::kMillisecond);

const cJizdniRad& city() {
    static std::unique_ptr<cJizdniRad> jr = [] {
        const std::filesystem::path source =
            std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "sample" /
            "sample.json";
        std::ifstream in(source);
        LoadObserver observer;
        return loadTimetableBytes(
            jz::compileTimetable(nlohmann::json::parse(in, nullptr, true, true)), observer);
    }();
    return *jr;
}

void BM_StopTimetableWeek(benchmark::State& state) {
    const cJizdniRad& jr = city();
    // The first line's longest route, from its first stop towards its last.
    const cLinkaTras& line = jr.routes->line(0);
    const cTrasaLinky* longest = &line.routes.front();
    for (const cTrasaLinky& r : line.routes) {
        if (r.stopCount > longest->stopCount) {
            longest = &r;
        }
    }
    StQuery q;
    q.lineIndex = 0;
    q.fromValue = longest->firstStop;
    q.fromOccurrence = 0;
    q.toValue = longest->lastStop;
    q.toOccurrence = 0;
    q.day = jr.trips.calendars().firstDay() + 14;
    q.week = true;
    static const bool reported = [&] {
        const std::unique_ptr<cStVysledek> check = stSearch(jr, q);
        std::fprintf(stderr, "stop timetable status %d, %zu day groups, %zu route stops\n",
                     check->status, check->groups.size(), check->routeStops.size());
        return true;
    }();
    benchmark::DoNotOptimize(reported);
    for (auto _ : state) {
        std::unique_ptr<cStVysledek> r = stSearch(jr, q);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_StopTimetableWeek)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
