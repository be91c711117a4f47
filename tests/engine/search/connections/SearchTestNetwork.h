#pragma once
// Small hand-written networks for the connection search tests: one city timetable with its
// stops, places and trips given in a few lines, and the dump of a search's answer.

#include <string>
#include <utility>
#include <vector>

#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {

using nlohmann::json;

inline const std::int16_t kDay = day(5, 1, 2027);

struct StopDef {
    std::string id, name;
    json extra = json::object();  // walks, group, ...
};

// The document of a one-calendar city timetable valid in January 2027 with bus lines of one
// kind and group, and the search defaults the search tests assume.
inline json cityDocument(const std::string& title, json stops, json elements, json lines,
                         json trips, int transferPenalty, json header = json::object()) {
    json h = {{"title", title},
              {"kind", "MHD"},
              {"validity",
               {{{"from", "2027-01-01"}, {"to", "2027-01-31"}},
                {{"from", "2027-01-01"}, {"to", "2027-01-31"}}}}};
    h.update(header);
    return {{"version", "4.0"},
            {"header", h},
            {"searchDefaults",
             {{"standardWindow", 120},
              {"maxWindow", 600},
              {"minTransfer", 2},
              {"safeTransfer", 4},
              {"transferPenalty", transferPenalty},
              {"transfers", 3}}},
            {"stops", std::move(stops)},
            {"categories", {{{"name", "zastávky"}, {"elements", std::move(elements)}}}},
            {"lineKinds", {{{"id", "bus"}, {"name", "Bus"}}}},
            {"lineGroups", {{{"id", "g"}, {"name", ""}}}},
            {"lines", std::move(lines)},
            {"calendars", {{{"id", "all"}, {"from", "2027-01-01"}, {"to", "2027-01-31"}}}},
            {"trips", std::move(trips)}};
}

// A small city timetable: every stop is also a place of its own name, `places` adds places of
// several stops.
inline json timetable(const std::string& title, const std::vector<StopDef>& stopDefs, json trips,
                      json places = json::array(), json header = json::object()) {
    json stops = json::array();
    json elements = std::move(places);
    for (const StopDef& s : stopDefs) {
        json stop = {{"id", s.id}, {"name", s.name}};
        stop.update(s.extra);
        stops.push_back(stop);
        elements.push_back({{"name", s.name}, {"stops", json::array({s.id})}});
    }
    json lines = json::array();
    for (const char* l : {"1", "2", "3", "7", "8"}) {
        lines.push_back({{"id", l}, {"kind", "bus"}, {"group", "g"}, {"name", l}});
    }
    return cityDocument(title, std::move(stops), std::move(elements), std::move(lines),
                        std::move(trips), 5, std::move(header));
}

// A minute of the day as a trip's time: "H:MM".
inline std::string clockOf(int minute) {
    return std::to_string(minute / 60) + ":" + (minute % 60 < 10 ? "0" : "") + std::to_string(minute % 60);
}

// A trip of `line` over (stop, time) pairs.
inline json trip(const std::string& line,
                 const std::vector<std::pair<std::string, std::string>>& calls,
                 json extra = json::object()) {
    json stops = json::array();
    for (const auto& [stop, time] : calls) {
        stops.push_back({{"stop", stop}, {"dep", time}});
    }
    json t = {{"line", line}, {"calendar", "all"}, {"stops", stops}};
    t.update(extra);
    return t;
}

inline std::string searchDump(TestSet& s) {
    const std::int32_t id = s.search();
    return id >= 0 ? s.dump(*s.result(id)) : "status " + std::to_string(id);
}

// One search on a hand-written network and its answer as dump text (or "status <n>").
struct SearchCase {
    const char* what;
    const char* from;
    const char* to;
    int minute;
    bool arrival;
    const char* expected;
};

// The same with a part of the network that the case gives (trips to add, say).
struct SearchCaseOnPart {
    const char* what;
    json part;
    const char* from;
    const char* to;
    int minute;
    bool arrival;
    const char* expected;

    SearchCase search() const { return {what, from, to, minute, arrival, expected}; }
};

inline void expectSearch(const json& network, const SearchCase& c) {
    SCOPED_TRACE(c.what);
    TestSet s({compileDoc(network)});
    s.request(0, c.from, 0, c.to, c.minute, kDay, c.arrival);
    EXPECT_EQ(searchDump(s), c.expected);
}

}  // namespace trasovnik::testing
