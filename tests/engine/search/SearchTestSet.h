#pragma once
// Test support for the connection search: a set built from compiled timetables, places named
// by their stops, and a readable dump of a stored result.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/data/DayNumber.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/connections/ConnectionSearch.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchRequest.h"
#include "engine/search/results/SearchResult.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace trasovnik::testing {

inline std::shared_ptr<cJizdniRad> loadFixture(const std::string& name) {
    LoadObserver quiet;
    std::shared_ptr<cJizdniRad> jr =
        loadTimetableFile(std::string(TRASA_FIXTURE_DIR) + "/" + name + ".jz", quiet);
    EXPECT_TRUE(jr) << name;
    return jr;
}

inline std::shared_ptr<cJizdniRad> compileDoc(const nlohmann::json& doc) {
    LoadObserver quiet;
    std::shared_ptr<cJizdniRad> jr = loadTimetableBytes(jz::compileTimetable(doc), quiet);
    EXPECT_TRUE(jr);
    return jr;
}

inline std::int16_t day(int d, int m, int y) {
    return dateToDayNumber(d, m, y);
}

inline int hm(int h, int m) {
    return h * 60 + m;
}

class TestSet {
public:
    explicit TestSet(std::vector<std::shared_ptr<cJizdniRad>> files) {
        std::vector<LoadedTimetable*> loaded;
        for (auto& f : files) {
            auto l = std::make_unique<LoadedTimetable>();
            l->file = f;
            loaded.push_back(l.get());
            files_.push_back(std::move(l));
        }
        combination_ = std::make_unique<cJizdniRadySestavy>(loaded);
        set_ = std::make_unique<cSestava>(*combination_);
    }

    cSestava& set() { return *set_; }
    const cJizdniRad& timetable(std::size_t tt) const { return combination_->timetable(tt); }

    // The element of the stops kind named `name` in timetable `tt`.
    IndexTriple element(std::size_t tt, const std::string& name) const {
        const cJizdniRad& jr = timetable(tt);
        const int k = jr.categories.stopsKind();
        EXPECT_GE(k, 0);
        for (std::size_t e = 0; e < jr.categories.elementCount(static_cast<std::size_t>(k)); ++e) {
            if (jr.categories.elementName(jr.names, static_cast<std::size_t>(k), e) == name) {
                return IndexTriple{static_cast<std::int32_t>(tt), k, static_cast<std::int32_t>(e)};
            }
        }
        ADD_FAILURE() << "no element " << name;
        return IndexTriple{};
    }

    std::vector<cZastavkaZadani> place(std::size_t tt, const std::string& name) const {
        const IndexTriple t = element(tt, name);
        return resolvePlace(*combination_, set_->parameters(), std::span(&t, 1), 0, 0, false);
    }

    void request(std::size_t fromTt, const std::string& from, std::size_t toTt,
                 const std::string& to, int minute, std::int16_t dayNumber, bool arrival,
                 int maxTransfers = 3, const std::string& via = "", std::size_t viaTt = 0) {
        cZadaniHledani r;
        r.from = place(fromTt, from);
        r.to = place(toTt, to);
        if (!via.empty()) {
            r.via = place(viaTt, via);
        }
        r.minute = static_cast<std::int16_t>(minute);
        r.day = dayNumber;
        r.arrival = arrival ? 1 : 0;
        r.maxTransfers = static_cast<std::uint8_t>(maxTransfers);
        setNewRequest(*set_, std::move(r));
    }

    std::int32_t search(int nowMinute = 0, int nowDay = 0) {
        return searcher.hledejCestu(*set_, nowMinute, nowDay, platform::kNullWindow);
    }

    cVysledekHledani* result(std::int32_t id) { return resultStoreOf(*set_).find(id); }

    std::string stopName(std::size_t tt, std::size_t stop) const {
        const cJizdniRad& jr = timetable(tt);
        return std::string(jr.stops.name(jr.names, stop));
    }

    static std::string clock(int minute, int dayNumber) {
        const CalendarDate d = dayNumberToDate(static_cast<std::int16_t>(dayNumber));
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d.%02d. %02d:%02d", d.day, d.month, minute / 60,
                      minute % 60);
        return buf;
    }

    // One line per connection, then one per leg.
    std::string dump(const cVysledekHledani& r) const {
        std::string out = "connections " + std::to_string(r.count()) + ", focus " +
                          std::to_string(r.focus) + "\n";
        for (std::int32_t i = 0; i < r.count(); ++i) {
            const cSpojeni& c = *r.connection(i);
            out += std::to_string(i + 1) + ". " + std::to_string(c.totalMinutes) + " min, " +
                   std::to_string(c.distance) + " m\n";
            for (std::int32_t j = 0; j < c.legCount; ++j) {
                const cUsekSpojeni& l = c.legs[j];
                std::string line(l.lineName, static_cast<std::size_t>(l.lineNameLength));
                while (!line.empty() && line.back() == ' ') {
                    line.pop_back();
                }
                if (l.departureSlot == cUsekSpojeni::kWalkingSlot) {
                    out += "   walk " + std::to_string(l.rideMinutes) + " min " +
                           stopName(l.timetable, l.boardStop) + " " +
                           clock(l.departureMinute, l.departureDay) + " -> " +
                           stopName(l.timetable, l.alightStop) + " " +
                           clock(l.arrivalMinute, l.arrivalDay) + "\n";
                    continue;
                }
                out += "   [" + line + "] " + stopName(l.timetable, l.boardStop) + " " +
                       clock(l.departureMinute, l.departureDay) + " -> " +
                       stopName(l.timetable, l.alightStop) + " " +
                       clock(l.arrivalMinute, l.arrivalDay) + ", " + std::to_string(l.distance) +
                       " m";
                if (l.walkMinutes != cUsekSpojeni::kNoWalkLink) {
                    out += ", walk " + std::to_string(l.walkMinutes) + " min to " +
                           stopName(l.walkTimetable, l.walkStop);
                }
                out += "\n";
            }
        }
        return out;
    }

    cHledani searcher;

private:
    std::vector<std::unique_ptr<LoadedTimetable>> files_;
    std::unique_ptr<cJizdniRadySestavy> combination_;
    std::unique_ptr<cSestava> set_;
};

}  // namespace trasovnik::testing
