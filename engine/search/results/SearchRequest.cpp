#include "engine/search/results/SearchRequest.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/SearchParameters.h"

namespace trasovnik {

bool operator==(const cZastavkaZadani& a, const cZastavkaZadani& b) {
    return a.timetable == b.timetable && a.stop == b.stop && a.walkMinutes == b.walkMinutes &&
           a.sourceTimetable == b.sourceTimetable && a.sourceStop == b.sourceStop;
}

bool cZadaniHledani::operator==(const cZadaniHledani& o) const {
    return from == o.from && to == o.to && via == o.via && minute == o.minute && day == o.day &&
           arrival == o.arrival && maxTransfers == o.maxTransfers;
}

namespace {

constexpr int kEmpty = -1;

struct Slot {
    int minutes = kEmpty;
    std::int32_t sourceTimetable = -1;
    std::int16_t sourceStop = -1;
};

// Enters a stop unless it already holds fewer or equal minutes.
void enter(std::vector<std::vector<Slot>>& table, std::size_t tt, std::size_t stop, int minutes,
           std::int32_t sourceTimetable, std::int16_t sourceStop) {
    if (tt >= table.size() || stop >= table[tt].size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    Slot& s = table[tt][stop];
    if (s.minutes != kEmpty && s.minutes <= minutes) {
        return;
    }
    s = Slot{minutes, sourceTimetable, sourceStop};
}

}  // namespace

std::vector<cZastavkaZadani> resolvePlace(const cJizdniRadySestavy& combination,
                                          const cParametryHledani& parameters,
                                          std::span<const IndexTriple> triples, double latitude,
                                          double longitude, bool allowPoint) {
    const std::size_t n = combination.count();
    std::vector<std::vector<Slot>> table(n);
    for (std::size_t tt = 0; tt < n; ++tt) {
        table[tt].resize(combination.stopCount(tt));
    }
    if (allowPoint && (latitude > 0.1 || latitude < -0.1)) {
        for (std::size_t tt = 0; tt < n; ++tt) {
            const cParametryHledaniRadu& r = parameters.record(tt);
            const int pace = std::max(r.walkingPace, 1);
            const double radius = static_cast<double>(r.walkingLimit) * 1000.0 / pace;
            for (const cZastavkaVOkoli& near :
                 combination.timetable(tt).stops.stopsWithin(latitude, longitude, radius)) {
                const double raw = static_cast<double>(r.walkingPace) * near.metres * 0.001;
                int minutes = raw >= 255.0 ? 255 : static_cast<int>(std::floor(raw));
                minutes = std::max(minutes, 1);
                enter(table, tt, near.stop, minutes, -1, -1);
            }
        }
    }
    for (const IndexTriple& t : triples) {
        if (t.timetable < 0 || static_cast<std::size_t>(t.timetable) >= n || t.kind < 0 ||
            t.element < 0) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        const auto tt = static_cast<std::size_t>(t.timetable);
        const cJizdniRad& jr = combination.timetable(tt);
        const auto stops = jr.categories.stopsOf(static_cast<std::size_t>(t.kind),
                                                 static_cast<std::size_t>(t.element));
        for (const std::uint16_t s : stops) {
            enter(table, tt, s, 0, -1, -1);
        }
        for (const std::uint16_t s : stops) {
            const auto src = static_cast<std::int16_t>(s);
            for (const cPesiPrechod& w : jr.stops.walkingLinks(s)) {
                if (w.minutes <= kMaxCandidateWalk) {
                    enter(table, tt, w.stop, w.minutes, t.timetable, src);
                }
            }
            for (const cOdkazDoRadu& link : combination.crossLinks(tt).linksOf(s)) {
                if (link.value <= kMaxCandidateWalk) {
                    enter(table, link.timetable, link.stop, link.value, t.timetable, src);
                }
            }
        }
    }
    std::vector<cZastavkaZadani> out;
    for (std::size_t tt = 0; tt < n; ++tt) {
        for (std::size_t s = 0; s < table[tt].size(); ++s) {
            const Slot& slot = table[tt][s];
            if (slot.minutes == kEmpty) {
                continue;
            }
            out.push_back(cZastavkaZadani{
                static_cast<std::int32_t>(tt), static_cast<std::uint16_t>(s),
                static_cast<std::uint8_t>(slot.minutes), slot.sourceTimetable, slot.sourceStop});
        }
    }
    return out;
}

PendingSearch& pendingSearchOf(cSestava& set) {
    if (!set.request) {
        set.request = std::make_unique<PendingSearch>();
    }
    return *set.request;
}

void setNewRequest(cSestava& set, cZadaniHledani request) {
    auto made = std::make_unique<cZadaniHledani>(std::move(request));
    PendingSearch& p = pendingSearchOf(set);
    p.request = std::move(made);
    p.resultId = -1;
    set.requestMode = cSestava::kRequestNew;
}

void setLaterRequest(cSestava& set, std::int32_t resultId) {
    PendingSearch& p = pendingSearchOf(set);
    p.request.reset();
    p.resultId = resultId;
    set.requestMode = cSestava::kRequestLater;
}

void setEarlierRequest(cSestava& set, std::int32_t resultId) {
    PendingSearch& p = pendingSearchOf(set);
    p.request.reset();
    p.resultId = resultId;
    set.requestMode = cSestava::kRequestEarlier;
}

}  // namespace trasovnik
