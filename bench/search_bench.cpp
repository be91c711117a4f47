// The connection search on three networks: a dense city (hundreds of bus routes sharing
// corridors, a metro, walking links to every stop within 250 m), a grid city (a line along
// every street) and a national-scale network. 1 000 random queries each by default
// (departures and arrivals between stop places, the files' default parameters), once with
// 0 to 3 transfers at random and once with 10, the most the search form offers. Reports the
// median, p90, p99 and worst search time (processor time of the thread, and the clock), those
// of the queries with no connection separately, a plain profile connection scan over the same
// windows on the same data in the same run, what the search did (labels, departures,
// candidates) in all searches and in the slowest 1 % of them, and the search's working memory:
// the pages one search takes and the resident size after loading the timetable and after the
// searches, and the size and building time of the departure index. A digest of every status and
// connection found lets two builds show that they give the same results.
//
//   build/release/bench/search_bench [queries [network [folder [transfers]]]]
//
// network: city (the dense city), grid, national or all (the default). transfers: default
// (0 to 3 at random), a number for every query, or both (the default: default, then 10).
// With a folder, the compiled networks are kept there and read back by later runs; the
// figures of memory are taken on the network read back, so run once to fill the folder.
//
// For comparing two builds query by query and for profiling single searches:
// SEARCH_BENCH_DIGESTS=file writes a line per query (its number, status, digest of its result
// and processor milliseconds); SEARCH_BENCH_ONLY=3,17,... runs only those queries (the
// numbers of that file); SEARCH_BENCH_FRESH=1 searches every query with a new searcher, which
// keeps nothing (departure index, tables) from one search to the next.

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bench/MetroCity.h"
#include "bench/NationalNetwork.h"
#include "bench/ProfileScan.h"
#include "engine/data/DayNumber.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/connections/ConnectionSearch.h"
#include "engine/search/connections/FileSearchTables.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchRequest.h"
#include "engine/search/results/SearchResult.h"
#include "engine/search/connections/StopDepartureIndex.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace {

using Clock = std::chrono::steady_clock;
using trasovnik::cJizdniRad;
using trasovnik::SearchCounters;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// CPU time of this thread: less disturbed than the clock by other work on a busy machine.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
double statusKb(const std::string& field) {
    std::ifstream f("/proc/self/status");
    std::string key;
    double value = 0;
    while (f >> key) {
        if (key == field + ":") {
            f >> value;
            return value;
        }
        f.ignore(1 << 16, '\n');
    }
    return 0;
}

// The resident size once the heap has given back what it can.
double residentKb() {
    malloc_trim(0);
    return statusKb("VmRSS");
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void printRow(const char* what, const std::vector<double>& v, const char* unit) {
    std::printf("  %-26s %5zu  median %9.3f  p90 %9.3f  p99 %9.3f  worst %9.3f %s\n", what,
                v.size(), percentile(v, 0.5), percentile(v, 0.9), percentile(v, 0.99),
                percentile(v, 1.0), unit);
}

// The served stops of the file grouped by name: a place the traveller picks by its name.
std::vector<std::vector<std::uint16_t>> placesOf(const cJizdniRad& jr) {
    std::map<std::string, std::vector<std::uint16_t>> byName;
    for (std::size_t s = 0; s < jr.stops.stopCount(); ++s) {
        if (jr.passages.passageCount(s) > 0) {
            byName[std::string(jr.stops.name(jr.names, s))].push_back(
                static_cast<std::uint16_t>(s));
        }
    }
    std::vector<std::vector<std::uint16_t>> places;
    for (auto& [name, stops] : byName) {
        places.push_back(std::move(stops));
    }
    return places;
}

std::vector<trasovnik::cZastavkaZadani> candidatesOf(const std::vector<std::uint16_t>& stops) {
    std::vector<trasovnik::cZastavkaZadani> out;
    for (std::uint16_t s : stops) {
        out.push_back({0, s, 0, -1, -1});
    }
    return out;
}

// FNV-1a over the status and the legs of every connection of the result.
std::uint64_t digestOf(std::uint64_t h, std::int32_t status, const trasovnik::cVysledekHledani* r) {
    auto mix = [&h](std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h = (h ^ static_cast<std::uint8_t>(v >> (8 * i))) * 0x100000001B3ull;
        }
    };
    mix(status < 0 ? status : 0);
    for (std::int32_t i = 0; r != nullptr && i < r->count(); ++i) {
        for (const trasovnik::cUsekSpojeni& leg : r->built(i).legs) {
            mix(leg.trip);
            mix(leg.timetable);
            mix(leg.boardPosition);
            mix(leg.alightPosition);
            mix(leg.departureMinute + 1440 * leg.departureDay);
            mix(leg.arrivalMinute + 1440 * leg.arrivalDay);
            mix(leg.walkMinutes);
        }
        mix(-1);
    }
    return h;
}

// One query of a run: two places, a minute, departure or arrival, the transfers allowed.
struct Query {
    int number = 0;
    std::size_t a = 0, b = 0;
    int minute = 0;
    bool arrival = false;
    int transfers = 0;
};

// The same queries for every build: `fixedTransfers` < 0 draws 0 to 3 transfers per query,
// else every query allows that many (the draws are made all the same, so that the places and
// minutes do not change with it).
std::vector<Query> queriesOf(std::size_t places, int count, int fixedTransfers) {
    std::mt19937 rng(2027);
    std::vector<Query> out;
    for (int q = 0; q < count; ++q) {
        Query query;
        query.number = q;
        query.a = rng() % places;
        query.b = rng() % places;
        if (query.a == query.b) {
            continue;
        }
        query.minute = static_cast<int>(360 + rng() % 720);
        query.arrival = q % 2 != 0;
        const int drawn = static_cast<int>(rng() % 4);
        query.transfers = fixedTransfers < 0 ? drawn : fixedTransfers;
        out.push_back(query);
    }
    if (const char* only = std::getenv("SEARCH_BENCH_ONLY")) {
        std::vector<int> numbers;
        for (const char* p = only; *p != 0;) {
            char* end = nullptr;
            numbers.push_back(static_cast<int>(std::strtol(p, &end, 10)));
            p = *end == ',' ? end + 1 : end;
            if (end == p && *p != 0) {
                break;
            }
        }
        std::erase_if(out, [&](const Query& q) {
            return std::find(numbers.begin(), numbers.end(), q.number) == numbers.end();
        });
    }
    return out;
}

// The counters side by side: named fields, summed and averaged.
struct CounterField {
    const char* name;
    std::uint64_t SearchCounters::*field;
};
const CounterField kCounterFields[] = {
    {"minutes", &SearchCounters::minutes},
    {"stop entries", &SearchCounters::stopEntries},
    {"trip entries", &SearchCounters::tripEntries},
    {"labels made", &SearchCounters::labelsMade},
    {"labels dropped on arrival", &SearchCounters::labelsDropped},
    {"  dropped at once", &SearchCounters::labelsDroppedAtOnce},
    {"labels replaced", &SearchCounters::labelsReplaced},
    {"labels ruled out", &SearchCounters::labelsRuledOut},
    {"waiting labels compared", &SearchCounters::waitingCompared},
    {"changes tried", &SearchCounters::changesTried},
    {"departure gathers", &SearchCounters::gathers},
    {"departures gathered", &SearchCounters::departuresGathered},
    {"departures boarded", &SearchCounters::departuresBoarded},
    {"candidates offered", &SearchCounters::candidatesOffered},
    {"candidates admitted", &SearchCounters::candidatesAdmitted},
};

// What the searches did, per search: over all of them and over the slowest 1 %, with the
// share of each figure that the slowest 1 % take.
void printCounters(const std::vector<SearchCounters>& counters, const std::vector<double>& cpu) {
    std::vector<std::size_t> order(counters.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return cpu[a] > cpu[b]; });
    const std::size_t slow = std::max<std::size_t>(1, (counters.size() + 99) / 100);
    double slowCpu = 0, allCpu = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        (i < slow ? slowCpu : allCpu) += cpu[order[i]];
    }
    allCpu += slowCpu;
    std::printf(
        "  what a search did (per search)  all %zu: %.1f ms    slowest %zu: %.1f ms (%.0f %% of "
        "the time)\n",
        counters.size(), allCpu / static_cast<double>(counters.size()), slow,
        slowCpu / static_cast<double>(slow), 100 * slowCpu / std::max(allCpu, 1e-9));
    for (const CounterField& f : kCounterFields) {
        double all = 0, tail = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const auto v = static_cast<double>(counters[order[i]].*f.field);
            all += v;
            if (i < slow) {
                tail += v;
            }
        }
        std::printf("    %-28s %14.0f  %14.0f  (%3.0f %%)\n", f.name,
                    all / static_cast<double>(counters.size()), tail / static_cast<double>(slow),
                    100 * tail / std::max(all, 1.0));
    }
}

struct Figures {
    std::vector<double> cpuMs, clockMs, foundMs, nothingMs, scanMs, pageKb;
    std::vector<SearchCounters> counters;
    std::uint64_t digest = 0xCBF29CE484222325ull;
};

void run(const char* name, const std::shared_ptr<cJizdniRad>& file, int count, int transfers) {
    const cJizdniRad& jr = *file;
    const int day = trasovnik::dateToDayNumber(13, 1, 2027);  // a Wednesday
    const auto places = placesOf(jr);
    const std::vector<Query> queries = queriesOf(places.size(), count, transfers);
    // Everything from here on is the search's own: the set, the searcher and what they keep.
    const double rssLoaded = residentKb();
    Figures f;
    int window = 0, horizon = 0, minTransfer = 0;
    double rssSearched = 0;
    double tablesMs = 0;
    std::FILE* digests = nullptr;
    if (const char* path = std::getenv("SEARCH_BENCH_DIGESTS")) {
        digests = std::fopen(path, "w");
    }
    {
        trasovnik::LoadedTimetable loaded;
        loaded.file = file;
        // What the set's load builds for the search (the departure index both ways and the
        // trip patterns), so that the first search finds them as in the program.
        const double tablesCpu = cpuMs();
        trasovnik::searchTablesOf(loaded);
        tablesMs = cpuMs() - tablesCpu;
        trasovnik::cJizdniRadySestavy combination({&loaded});
        trasovnik::cSestava set(combination);
        // SEARCH_BENCH_FRESH=1: a new searcher for every query, keeping nothing between them.
        const char* freshText = std::getenv("SEARCH_BENCH_FRESH");
        const bool fresh = freshText != nullptr && std::string(freshText) == "1";
        auto searcherOwner = std::make_unique<trasovnik::cHledani>();
        set.parameters().prepare();
        window = set.parameters().standardWindow();
        horizon = set.parameters().maximumWindow();
        minTransfer = set.parameters().record(0).minimumTransfer;
        for (const Query& q : queries) {
            trasovnik::cZadaniHledani r;
            r.from = candidatesOf(places[q.a]);
            r.to = candidatesOf(places[q.b]);
            r.minute = static_cast<std::int16_t>(q.minute);
            r.day = static_cast<std::int16_t>(day);
            r.arrival = q.arrival ? 1 : 0;
            r.maxTransfers = static_cast<std::uint8_t>(q.transfers);
            trasovnik::setNewRequest(set, std::move(r));
            trasovnik::resultStoreOf(set).clear();
            if (fresh) {
                searcherOwner = std::make_unique<trasovnik::cHledani>();
            }
            trasovnik::cHledani& searcher = *searcherOwner;
            const auto t = Clock::now();
            const double cpu = cpuMs();
            const std::int32_t status = searcher.hledejCestu(set, 0, 0, platform::kNullWindow);
            f.cpuMs.push_back(cpuMs() - cpu);
            f.clockMs.push_back(msSince(t));
            (status >= 0 ? f.foundMs : f.nothingMs).push_back(f.cpuMs.back());
            const trasovnik::cVysledekHledani* result =
                status >= 0 ? trasovnik::resultStoreOf(set).find(status) : nullptr;
            f.digest = digestOf(f.digest, status, result);
            if (digests != nullptr) {
                std::fprintf(digests, "%d %d %016llx %.3f\n", q.number, status < 0 ? status : 0,
                             static_cast<unsigned long long>(
                                 digestOf(0xCBF29CE484222325ull, status, result)),
                             f.cpuMs.back());
            }
            f.pageKb.push_back(static_cast<double>(searcher.lastPageBytes()) / 1024.0);
            f.counters.push_back(searcher.lastCounters());
        }
        rssSearched = residentKb();
    }
    if (digests != nullptr) {
        std::fclose(digests);
    }
    // The departure index the set's load builds for every stop of a file in each direction:
    // its size and what building one costs.
    const double indexCpu = cpuMs();
    const trasovnik::StopDepartureIndex index(jr, false);
    const double indexMs = cpuMs() - indexCpu;
    const double indexMb = static_cast<double>(index.bytes()) / (1024.0 * 1024.0);
    // The yardstick, after the searches so that its tables are not counted as theirs.
    const std::vector<bench::Hop> hops = bench::hopsOfDay(jr, day);
    bench::ProfileScan scan(jr.stops.stopCount(), jr.trips.tripCount() * 2);
    for (const Query& q : queries) {
        bench::ProfileQuery pq;
        pq.from = q.arrival ? places[q.b] : places[q.a];
        pq.to = q.arrival ? places[q.a] : places[q.b];
        pq.minTransfer = minTransfer;
        pq.t0 = q.arrival ? q.minute - window : q.minute;
        pq.window = window;
        pq.horizon = q.arrival ? window : horizon;
        const auto t = Clock::now();
        const int best = scan.earliestArrival(hops, pq);
        f.scanMs.push_back(msSince(t));
        if (best < 0) {
            std::puts("");  // keeps the scan's result alive
        }
    }

    char transfersText[32];
    std::snprintf(transfersText, sizeof transfersText, transfers < 0 ? "0 to 3" : "%d", transfers);
    std::printf(
        "%s, %s transfers: %zu stops, %zu trips, %zu places; %zu queries (%zu found, %zu "
        "without)\n",
        name, transfersText, jr.stops.stopCount(), jr.trips.tripCount(), places.size(),
        f.cpuMs.size(), f.foundMs.size(), f.nothingMs.size());
    std::printf("  standard window %d min, maximum window %d min; results digest %016llx\n", window,
                horizon, static_cast<unsigned long long>(f.digest));
    printRow("search, processor time", f.cpuMs, "ms");
    std::printf("  %-26s %.1f ms, the second %.1f ms (search tables built with the set in %.0f ms)\n",
                "first search", f.cpuMs.empty() ? 0.0 : f.cpuMs[0],
                f.cpuMs.size() < 2 ? 0.0 : f.cpuMs[1], tablesMs);
    printRow("search, clock", f.clockMs, "ms");
    std::printf("  %-26s %.0f ms of processor time\n", "searches together",
                std::accumulate(f.cpuMs.begin(), f.cpuMs.end(), 0.0));
    printRow("search, with a result", f.foundMs, "ms");
    printRow("search, no connection", f.nothingMs, "ms");
    printRow("profile scan, clock", f.scanMs, "ms");
    printRow("search pages", f.pageKb, "KB");
    printCounters(f.counters, f.cpuMs);
    std::printf(
        "  resident: %.1f MB after loading, %.1f MB after %zu searches (%.2f times), peak of the "
        "process %.0f MB\n",
        rssLoaded / 1024, rssSearched / 1024, f.cpuMs.size(),
        rssSearched / std::max(rssLoaded, 1.0), statusKb("VmHWM") / 1024);
    std::printf(
        "  departure index: %.1f MB for every stop, built in %.0f ms of processor time (once per "
        "file and direction, while the set loads)\n",
        indexMb, indexMs);
    std::fflush(stdout);
}

// The compiled network: read from `folder` when it was kept there, else built (and kept there
// when a folder is given).
std::shared_ptr<cJizdniRad> networkOf(const std::string& folder, const std::string& name,
                                      const std::function<nlohmann::json()>& build) {
    trasovnik::LoadObserver quiet;
    const std::string path = folder.empty() ? "" : folder + "/" + name + ".jz";
    std::vector<std::uint8_t> bytes;
    if (!path.empty()) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (bytes.empty()) {
        bytes = jz::compileTimetable(build());
        if (!path.empty()) {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
    }
    return trasovnik::loadTimetableBytes(bytes, quiet);
}

void runCity(const char* name, const char* fileName, const bench::MetroCityOptions& options,
             const std::string& folder, int queries, const std::vector<int>& transfers) {
    const auto t = Clock::now();
    bench::MetroCityFigures figures;
    std::shared_ptr<cJizdniRad> city =
        networkOf(folder, fileName, [&] { return bench::buildMetroCity(options, &figures); });
    if (figures.stops > 0) {
        std::printf(
            "%s: %zu stops, %zu lines, %zu trips, %zu stop times, %zu walking links; bus routes "
            "at a crossing %zu / %zu / %zu (p10 / median / p90), %zu crossings without; built "
            "in %.1f s\n",
            name, figures.stops, figures.lines, figures.trips, figures.stopEvents,
            figures.walkLinks, figures.routesAtStopP10, figures.routesAtStopMedian,
            figures.routesAtStopP90, figures.unservedCrossings, msSince(t) / 1000);
    } else {
        std::printf("%s read back in %.1f s\n", name, msSince(t) / 1000);
    }
    for (int n : transfers) {
        run(name, city, queries, n);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string only = argc > 2 ? argv[2] : "all";
    const std::string folder = argc > 3 ? argv[3] : "";
    const std::string transfersArg = argc > 4 ? argv[4] : "both";
    // The most transfers the search form offers.
    constexpr int kFormMostTransfers = 10;
    std::vector<int> transfers;
    if (transfersArg == "both") {
        transfers = {-1, kFormMostTransfers};
    } else if (transfersArg == "default") {
        transfers = {-1};
    } else {
        transfers = {std::atoi(transfersArg.c_str())};
    }
    if (only == "all" || only == "city") {
        runCity("dense city", "dense-city", bench::denseCityOptions(), folder, queries, transfers);
    }
    if (only == "all" || only == "grid") {
        runCity("grid city", "metro-city", bench::MetroCityOptions{}, folder, queries, transfers);
    }
    if (only == "all" || only == "national") {
        const auto t = Clock::now();
        std::shared_ptr<cJizdniRad> national = networkOf(folder, "national", [] {
            return bench::buildNationalNetwork(bench::NationalNetworkOptions{});
        });
        std::printf("national network ready in %.1f s\n", msSince(t) / 1000);
        for (int n : transfers) {
            run("national", national, queries, n);
        }
    }
    return 0;
}
