// The connection search on a national-scale network and on a dense city network: many random
// queries (departures and arrivals, 0 to 3 transfers, the files' default parameters), with the
// median and 99th percentile search time, the page memory a search takes, and, on the same
// data in the same run, a plain connection-scan profile search over the same window.
//
//   build/release/bench/search_bench [queries [city]]   ("city": the dense city only)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/NationalNetwork.h"
#include "engine/data/DayNumber.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/ConnectionSearch.h"
#include "engine/search/ResultStore.h"
#include "engine/search/SearchRequest.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace {

using Clock = std::chrono::steady_clock;
using trasovnik::cJizdniRad;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// A grid city: lines along rows and columns and a few diagonals, a trip every 4 to 10
// minutes from 5:00 to 23:00.
nlohmann::json denseCity() {
    constexpr int kSide = 20;
    nlohmann::json stops = nlohmann::json::array();
    nlohmann::json elements = nlohmann::json::array();
    for (int i = 0; i < kSide * kSide; ++i) {
        const std::string id = "S" + std::to_string(i);
        nlohmann::json walk = nlohmann::json::array();
        if (i % kSide + 1 < kSide && (i / kSide) % 3 == 0) {
            walk.push_back({{"to", "S" + std::to_string(i + 1)}, {"minutes", 3}});
        }
        if (i % kSide > 0 && (i / kSide) % 3 == 0) {
            walk.push_back({{"to", "S" + std::to_string(i - 1)}, {"minutes", 3}});
        }
        stops.push_back({{"id", id}, {"name", "Zastavka " + std::to_string(i)}, {"walk", walk}});
        elements.push_back({{"name", "Zastavka " + std::to_string(i)}, {"stops", {id}}});
    }
    nlohmann::json lines = nlohmann::json::array();
    nlohmann::json trips = nlohmann::json::array();
    auto addLine = [&](const std::vector<int>& route, int headway, int hop) {
        const std::string lid = "L" + std::to_string(lines.size());
        lines.push_back({{"id", lid},
                         {"kind", "bus"},
                         {"group", "g"},
                         {"name", std::to_string(lines.size() + 1)}});
        for (int dir = 0; dir < 2; ++dir) {
            for (int start = 300 + dir * 2; start < 1380; start += headway) {
                nlohmann::json ts = nlohmann::json::array();
                for (std::size_t k = 0; k < route.size(); ++k) {
                    const int stop = dir == 0 ? route[k] : route[route.size() - 1 - k];
                    ts.push_back({{"stop", "S" + std::to_string(stop)},
                                  {"dep", start + static_cast<int>(k) * hop},
                                  {"dist", 400}});
                }
                trips.push_back({{"line", lid}, {"calendar", "all"}, {"stops", ts}});
            }
        }
    };
    for (int r = 0; r < kSide; r += 2) {
        std::vector<int> route;
        for (int c = 0; c < kSide; ++c) {
            route.push_back(r * kSide + c);
        }
        addLine(route, 6 + r % 5, 2);
    }
    for (int c = 1; c < kSide; c += 2) {
        std::vector<int> route;
        for (int r = 0; r < kSide; ++r) {
            route.push_back(r * kSide + c);
        }
        addLine(route, 5 + c % 6, 2);
    }
    for (int d = 0; d < 4; ++d) {
        std::vector<int> route;
        for (int k = 0; k < kSide; ++k) {
            route.push_back(k * kSide + (d % 2 == 0 ? k : kSide - 1 - k));
        }
        addLine(route, 10, 3);
        (void)d;
    }
    return {{"version", "4.0"},
            {"header",
             {{"title", "Husta"},
              {"kind", "MHD"},
              {"validity",
               {{{"from", "2027-01-01"}, {"to", "2027-12-31"}},
                {{"from", "2027-01-01"}, {"to", "2027-12-31"}}}}}},
            {"stops", stops},
            {"categories", {{{"name", "zastávky"}, {"elements", elements}}}},
            {"lineKinds", {{{"id", "bus"}, {"name", "Bus"}}}},
            {"lineGroups", {{{"id", "g"}, {"name", ""}}}},
            {"lines", lines},
            {"calendars", {{{"id", "all"}, {"from", "2027-01-01"}, {"to", "2027-12-31"}}}},
            {"trips", trips}};
}

// One elementary connection of the scan: a trip from one stop event to the next.
struct Hop {
    int dep, arr;
    std::uint32_t trip;
    std::uint16_t from, to;
    bool board, alight;
};

// All hops of the trips that run on `day` (and of the day before, for trips past midnight),
// in minutes from midnight of `day`, by departure.
std::vector<Hop> hopsOfDay(const cJizdniRad& jr, int day) {
    std::vector<Hop> hops;
    const trasovnik::cSpoje& trips = jr.trips;
    for (std::uint32_t t = 0; t < trips.tripCount(); ++t) {
        for (int back = 0; back <= 1; ++back) {
            if (!trips.runsOnStartDay(t, day - back)) {
                continue;
            }
            for (std::size_t q = 0; q + 1 < trips.stopCount(t); ++q) {
                hops.push_back({trips.departureTime(t, q) - back * 1440,
                                trips.arrivalTime(t, q + 1) - back * 1440,
                                t * 2 + static_cast<std::uint32_t>(back), trips.stopAt(t, q),
                                trips.stopAt(t, q + 1), trips.canBoard(t, q),
                                trips.canAlight(t, q + 1)});
            }
        }
    }
    std::sort(hops.begin(), hops.end(), [](const Hop& a, const Hop& b) { return a.dep < b.dep; });
    return hops;
}

// The plain profile connection scan: for every departure from `from` within the window, the
// earliest arrival at `to` (same-stop changes after `minTransfer` minutes). Scans the hops
// backwards keeping, per stop, the Pareto set of (departure, arrival) pairs.
int profileScan(const std::vector<Hop>& hops, std::size_t stopCount, std::size_t tripSlots,
                std::uint16_t from, std::uint16_t to, int t0, int window, int horizon,
                int minTransfer) {
    constexpr int kNever = 1 << 29;
    struct Pair {
        int dep, arr;
    };
    std::vector<std::vector<Pair>> profile(stopCount);
    std::vector<int> tripArrival(tripSlots, kNever);
    const auto end = std::upper_bound(hops.begin(), hops.end(), t0 + horizon,
                                      [](int v, const Hop& h) { return v < h.dep; });
    const auto begin = std::lower_bound(hops.begin(), hops.end(), t0,
                                        [](const Hop& h, int v) { return h.dep < v; });
    int best = kNever;
    for (auto it = end; it != begin;) {
        --it;
        const Hop& h = *it;
        int arrival = kNever;
        if (h.alight) {
            if (h.to == to) {
                arrival = h.arr;
            } else {
                // Change at the stop: the first profile entry departing late enough.
                const auto& p = profile[h.to];
                for (auto e = p.rbegin(); e != p.rend(); ++e) {
                    if (e->dep >= h.arr + minTransfer) {
                        arrival = e->arr;
                        break;
                    }
                }
            }
        }
        int& onTrip = tripArrival[h.trip];
        onTrip = std::min(onTrip, arrival);
        if (!h.board || onTrip >= kNever) {
            continue;
        }
        auto& p = profile[h.from];
        if (p.empty() || onTrip < p.back().arr) {
            p.push_back({h.dep, onTrip});
        }
        if (h.from == from && h.dep <= t0 + window) {
            best = std::min(best, onTrip);
        }
    }
    return best;
}

struct Figures {
    std::vector<double> engineMs, scanMs;
    std::vector<double> foundMs, nothingMs;  // searches with a result, and those without
    std::vector<double> pageKb;
    int found = 0, statuses = 0;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void run(const char* name, std::shared_ptr<cJizdniRad> file, int queries) {
    trasovnik::LoadedTimetable loaded;
    loaded.file = file;
    trasovnik::cJizdniRadySestavy combination({&loaded});
    trasovnik::cSestava set(combination);
    trasovnik::cHledani searcher;
    const cJizdniRad& jr = *file;
    const int day = trasovnik::dateToDayNumber(13, 1, 2027);
    const std::vector<Hop> hops = hopsOfDay(jr, day);
    std::vector<std::uint16_t> served;
    for (std::size_t s = 0; s < jr.stops.stopCount(); ++s) {
        if (jr.passages.passageCount(s) > 0) {
            served.push_back(static_cast<std::uint16_t>(s));
        }
    }
    set.parameters().prepare();
    std::printf("%s: standard window %d min, maximum window %d min\n", name,
                set.parameters().standardWindow(), set.parameters().maximumWindow());
    const int window = set.parameters().standardWindow();
    const int horizon = set.parameters().maximumWindow();
    const int minTransfer = set.parameters().record(0).minimumTransfer;
    std::mt19937 rng(2027);
    Figures f;
    for (int q = 0; q < queries; ++q) {
        const std::uint16_t a = served[rng() % served.size()];
        const std::uint16_t b = served[rng() % served.size()];
        if (a == b) {
            continue;
        }
        trasovnik::cZadaniHledani r;
        r.from = {{0, a, 0, -1, -1}};
        r.to = {{0, b, 0, -1, -1}};
        r.minute = static_cast<std::int16_t>(360 + rng() % 720);
        r.day = static_cast<std::int16_t>(day);
        r.arrival = static_cast<std::uint8_t>(q % 2);
        r.maxTransfers = static_cast<std::uint8_t>(rng() % 4);
        const int minute = r.minute;
        trasovnik::setNewRequest(set, std::move(r));
        trasovnik::resultStoreOf(set).clear();
        auto t = Clock::now();
        const std::int32_t status = searcher.hledejCestu(set, 0, 0, platform::kNullWindow);
        f.engineMs.push_back(msSince(t));
        (status >= 0 ? f.foundMs : f.nothingMs).push_back(f.engineMs.back());
        f.pageKb.push_back(static_cast<double>(searcher.lastPageBytes()) / 1024.0);
        f.found += status >= 0 ? 1 : 0;
        f.statuses += status < 0 ? 1 : 0;
        t = Clock::now();
        const int best = q % 2 == 0
                             ? profileScan(hops, jr.stops.stopCount(), jr.trips.tripCount() * 2, a,
                                           b, minute, window, horizon, minTransfer)
                             : profileScan(hops, jr.stops.stopCount(), jr.trips.tripCount() * 2, a,
                                           b, minute - window, window, window, minTransfer);
        f.scanMs.push_back(msSince(t));
        if (best < 0) {
            std::puts("");  // keeps the scan's result alive
        }
    }
    std::printf(
        "%s: %zu stops, %zu trips, %zu hops of the day; %zu queries (%d found, %d statuses)\n",
        name, jr.stops.stopCount(), jr.trips.tripCount(), hops.size(), f.engineMs.size(), f.found,
        f.statuses);
    std::printf("  engine search  median %8.3f ms   p99 %8.3f ms   max %8.3f ms\n",
                percentile(f.engineMs, 0.5), percentile(f.engineMs, 0.99),
                percentile(f.engineMs, 1.0));
    std::printf(
        "    with a result median %8.3f ms   p99 %8.3f ms;  without: median %8.3f ms   "
        "p99 %8.3f ms\n",
        percentile(f.foundMs, 0.5), percentile(f.foundMs, 0.99), percentile(f.nothingMs, 0.5),
        percentile(f.nothingMs, 0.99));
    std::printf("  profile scan   median %8.3f ms   p99 %8.3f ms   max %8.3f ms\n",
                percentile(f.scanMs, 0.5), percentile(f.scanMs, 0.99), percentile(f.scanMs, 1.0));
    std::printf("  search pages   median %8.0f KB   p99 %8.0f KB   max %8.0f KB\n",
                percentile(f.pageKb, 0.5), percentile(f.pageKb, 0.99), percentile(f.pageKb, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    const int queries = argc > 1 ? std::atoi(argv[1]) : 300;
    trasovnik::LoadObserver quiet;
    auto t = Clock::now();
    std::shared_ptr<cJizdniRad> city =
        trasovnik::loadTimetableBytes(jz::compileTimetable(denseCity()), quiet);
    std::printf("dense city built in %.1f s\n", msSince(t) / 1000);
    run("dense city", city, queries);
    if (argc > 2 && std::string(argv[2]) == "city") {
        return 0;
    }
    t = Clock::now();
    bench::NationalNetworkOptions options;
    std::shared_ptr<cJizdniRad> national = trasovnik::loadTimetableBytes(
        jz::compileTimetable(bench::buildNationalNetwork(options)), quiet);
    std::printf("national network built in %.1f s\n", msSince(t) / 1000);
    run("national", national, queries);
    return 0;
}
