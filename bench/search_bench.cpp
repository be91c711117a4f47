// The connection search on a metropolitan city and on a national-scale network: 1 000 random
// queries each by default (departures and arrivals between stop places, 0 to 3 transfers, the
// files' default parameters). Reports the median, p90, p99 and worst search time, those of
// the queries with no connection separately, a plain profile connection scan over the same
// window on the same data in the same run, and the search's working memory: the pages one
// search takes, the heap it keeps beyond the loaded model, and the resident size before and
// after the queries. A digest of every status and connection found lets two builds show that
// they give the same results.
//
//   build/release/bench/search_bench [queries [city|national [folder]]]
//
// With a folder, the compiled networks are kept there and read back by later runs.

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
#include "engine/search/ConnectionSearch.h"
#include "engine/search/ResultStore.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace {

using Clock = std::chrono::steady_clock;
using trasovnik::cJizdniRad;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// CPU time of this thread: less disturbed than the clock by other work on a busy machine.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Heap bytes in use.
double heapKb() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd) / 1024.0;
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

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void printRow(const char* what, const std::vector<double>& v, const char* unit) {
    std::printf("  %-24s %5zu  median %9.3f  p90 %9.3f  p99 %9.3f  worst %9.3f %s\n", what,
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

struct Figures {
    std::vector<double> engineMs, foundMs, nothingMs, scanMs;
    std::vector<double> pageKb, heapGrowthKb;
    std::uint64_t digest = 0xCBF29CE484222325ull;
    double cpuTotalMs = 0;
};

void run(const char* name, const std::shared_ptr<cJizdniRad>& file, int queries) {
    const cJizdniRad& jr = *file;
    const int day = trasovnik::dateToDayNumber(13, 1, 2027);  // a Wednesday
    const std::vector<bench::Hop> hops = bench::hopsOfDay(jr, day);
    bench::ProfileScan scan(jr.stops.stopCount(), jr.trips.tripCount() * 2);
    const auto places = placesOf(jr);
    // Everything from here on is the search's own: the set, the searcher and what they keep.
    malloc_trim(0);
    const double heapBefore = heapKb();
    const double rssBefore = statusKb("VmRSS");
    trasovnik::LoadedTimetable loaded;
    loaded.file = file;
    trasovnik::cJizdniRadySestavy combination({&loaded});
    trasovnik::cSestava set(combination);
    trasovnik::cHledani searcher;
    set.parameters().prepare();
    const int window = set.parameters().standardWindow();
    const int horizon = set.parameters().maximumWindow();
    const int minTransfer = set.parameters().record(0).minimumTransfer;

    std::mt19937 rng(2027);
    Figures f;
    std::vector<double> heapAfter;
    for (int q = 0; q < queries; ++q) {
        const auto& a = places[rng() % places.size()];
        const auto& b = places[rng() % places.size()];
        if (&a == &b) {
            continue;
        }
        trasovnik::cZadaniHledani r;
        r.from = candidatesOf(a);
        r.to = candidatesOf(b);
        r.minute = static_cast<std::int16_t>(360 + rng() % 720);
        r.day = static_cast<std::int16_t>(day);
        r.arrival = static_cast<std::uint8_t>(q % 2);
        r.maxTransfers = static_cast<std::uint8_t>(rng() % 4);
        const int minute = r.minute;
        trasovnik::setNewRequest(set, std::move(r));
        trasovnik::resultStoreOf(set).clear();
        auto t = Clock::now();
        const double cpu = cpuMs();
        const std::int32_t status = searcher.hledejCestu(set, 0, 0, platform::kNullWindow);
        f.engineMs.push_back(msSince(t));
        f.cpuTotalMs += cpuMs() - cpu;
        (status >= 0 ? f.foundMs : f.nothingMs).push_back(f.engineMs.back());
        f.digest = digestOf(f.digest, status,
                            status >= 0 ? trasovnik::resultStoreOf(set).find(status) : nullptr);
        f.pageKb.push_back(static_cast<double>(searcher.lastPageBytes()) / 1024.0);
        heapAfter.push_back(heapKb());

        bench::ProfileQuery pq;
        pq.from = q % 2 == 0 ? a : b;
        pq.to = q % 2 == 0 ? b : a;
        pq.minTransfer = minTransfer;
        pq.t0 = q % 2 == 0 ? minute : minute - window;
        pq.window = window;
        pq.horizon = q % 2 == 0 ? horizon : window;
        t = Clock::now();
        const int best = scan.earliestArrival(hops, pq);
        f.scanMs.push_back(msSince(t));
        if (best < 0) {
            std::puts("");  // keeps the scan's result alive
        }
    }
    std::printf("%s: %zu stops, %zu trips, %zu places; %zu queries (%zu found, %zu without)\n",
                name, jr.stops.stopCount(), jr.trips.tripCount(), places.size(), f.engineMs.size(),
                f.foundMs.size(), f.nothingMs.size());
    std::printf("  standard window %d min, maximum window %d min; results digest %016llx\n", window,
                horizon, static_cast<unsigned long long>(f.digest));
    printRow("search, all", f.engineMs, "ms");
    std::printf("  %-24s %.0f ms of processor time\n", "searches together", f.cpuTotalMs);
    printRow("search, with a result", f.foundMs, "ms");
    printRow("search, no connection", f.nothingMs, "ms");
    printRow("profile scan", f.scanMs, "ms");
    printRow("search pages", f.pageKb, "KB");
    // The heap that the set and the searcher keep after each search, beyond the loaded model.
    std::vector<double> kept;
    for (double h : heapAfter) {
        kept.push_back(h - heapBefore);
    }
    if (!kept.empty()) {
        std::printf("  heap kept after a search: first %.0f KB, p99 %.0f KB, last %.0f KB\n",
                    kept.front(), percentile(kept, 0.99), kept.back());
    }
    malloc_trim(0);
    std::printf(
        "  resident: %.0f MB before the searches, %.0f MB after, peak of the process "
        "%.0f MB\n",
        rssBefore / 1024, statusKb("VmRSS") / 1024, statusKb("VmHWM") / 1024);
}

}  // namespace

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

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string only = argc > 2 ? argv[2] : "";
    const std::string folder = argc > 3 ? argv[3] : "";
    if (only.empty() || only == "city") {
        auto t = Clock::now();
        bench::MetroCityFigures figures;
        std::shared_ptr<cJizdniRad> city =
            networkOf(folder, "metro-city", [&] { return bench::buildMetroCity({}, &figures); });
        std::printf(
            "metro city: %zu stops, %zu lines, %zu trips, %zu stop times, %zu walking "
            "links (0 when read back), ready in %.1f s\n",
            figures.stops, figures.lines, figures.trips, figures.stopEvents, figures.walkLinks,
            msSince(t) / 1000);
        run("metro city", city, queries);
    }
    if (only.empty() || only == "national") {
        auto t = Clock::now();
        std::shared_ptr<cJizdniRad> national = networkOf(folder, "national", [] {
            return bench::buildNationalNetwork(bench::NationalNetworkOptions{});
        });
        std::printf("national network ready in %.1f s\n", msSince(t) / 1000);
        run("national", national, queries);
    }
    return 0;
}
