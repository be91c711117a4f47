#include "engine/search/stoptimetables/StopTimetableSearch.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "engine/data/Cp1250Text.h"
#include "engine/data/DayNumber.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

namespace {

constexpr std::size_t kNeighbourStops = 5;
constexpr int kDaysOfWeek = 7;

struct StopRef {
    std::int32_t stop = 0;
    std::int32_t occurrence = 0;
};

// A route of the line with its stop sequence (that of its first trip).
struct RouteStops {
    const cTrasaLinky* route = nullptr;
    std::vector<std::uint16_t> stops;
};

// A route seen from a from stop: the route and the from stop's position in it.
struct RouteAt {
    std::size_t route = 0;
    std::size_t from = 0;
};

struct RouteGroup {
    std::vector<RouteAt> routes;
    std::optional<std::uint16_t> direction;
};

struct FromSide {
    StopRef stop;
    std::vector<RouteGroup> groups;
};

std::optional<std::size_t> positionAfter(const std::vector<std::uint16_t>& stops, std::size_t from,
                                         std::int32_t stop) {
    for (std::size_t p = from + 1; p < stops.size(); ++p) {
        if (stops[p] == stop) {
            return p;
        }
    }
    return std::nullopt;
}

bool contains(const std::vector<std::uint16_t>& stops, std::int32_t stop) {
    return std::find(stops.begin(), stops.end(), stop) != stops.end();
}

class StopTimetableBuilder {
public:
    StopTimetableBuilder(const cJizdniRad& file, const cLinkaTras& line,
                         std::vector<std::int32_t> days, bool week, cStVysledek& result)
        : file_(file), trips_(file.trips), days_(std::move(days)), week_(week), result_(result) {
        for (const cTrasaLinky& r : line.routes) {
            RouteStops rs;
            rs.route = &r;
            if (!r.trips.empty()) {
                const std::uint32_t t = r.trips.front();
                for (std::size_t p = 0; p < trips_.stopCount(t); ++p) {
                    rs.stops.push_back(trips_.stopAt(t, p));
                }
            }
            routes_.push_back(std::move(rs));
        }
    }

    void build(const std::vector<StopRef>& from, const std::vector<StopRef>& to) {
        std::vector<FromSide> sides;
        bool anyGroups = false;
        for (const StopRef& s : from) {
            sides.push_back(FromSide{s, groupsOf(s)});
            anyGroups = anyGroups || !sides.back().groups.empty();
        }
        if (!anyGroups) {
            offerAllStops();
            return;
        }
        std::vector<std::int32_t> directions;
        for (const StopRef& s : to) {
            directions.push_back(s.stop);
        }
        if (directions.empty()) {
            assignDirectionsFromFirstRunningDay(sides);
            if (const std::optional<std::uint16_t> d = commonDirection(sides)) {
                directions.push_back(*d);
            } else if (!anyDirection(sides)) {
                result_.status = ST_NOT_FOUND;
                return;
            } else {
                offerFromStops(sides);
                return;
            }
        }
        struct Found {
            std::size_t side = 0;
            std::int32_t direction = 0;
            RouteAt at;
        };
        std::optional<Found> kept;
        std::optional<Found> firstPair;
        for (int phase = 0; phase < 2 && !kept; ++phase) {
            const bool mustEnd = phase == 0;
            for (std::int32_t day : days_) {
                for (std::size_t s = 0; s < sides.size(); ++s) {
                    for (std::int32_t dir : directions) {
                        const std::optional<RouteAt> at = bestRoute(sides[s], dir, day, mustEnd);
                        if (!at) {
                            continue;
                        }
                        const Found f{s, dir, *at};
                        if (!firstPair) {
                            firstPair = f;
                        }
                        if (!kept || longer(f.at, kept->at)) {
                            kept = f;
                        }
                    }
                }
            }
        }
        if (!kept) {
            result_.status = ST_NOT_FOUND;
            return;
        }
        fillRouteStops(kept->at);
        const FromSide& side = sides[firstPair->side];
        for (std::int32_t day : days_) {
            result_.groups.push_back(dayGroup(side, firstPair->direction, day));
        }
        if (week_) {
            mergeWeek();
        }
        std::vector<std::unique_ptr<cStDatum>> kept_groups;
        for (auto& g : result_.groups) {
            if (!g->empty()) {
                g->text = stValidityText(g->days, week_);
                kept_groups.push_back(std::move(g));
            }
        }
        result_.groups = std::move(kept_groups);
        if (result_.groups.empty()) {
            result_.routeStops.clear();
            result_.status = ST_NOT_FOUND;
            return;
        }
        const StopRef fromStop = sides[kept->side].stop;
        result_.choiceStops = {fromStop.stop};
        result_.choiceOccurrences = {fromStop.occurrence};
        result_.directionLists = {{routes_[kept->at.route].stops.back()}};
        result_.status = ST_OK;
    }

private:
    bool runsOn(std::size_t route, std::int32_t day) const {
        for (std::uint32_t t : routes_[route].route->trips) {
            if (trips_.runsOnStartDay(t, day)) {
                return true;
            }
        }
        return false;
    }
    std::size_t length(std::size_t route) const { return routes_[route].stops.size(); }
    bool longer(const RouteAt& a, const RouteAt& b) const {
        return length(a.route) > length(b.route) ||
               (length(a.route) == length(b.route) && a.from < b.from);
    }

    // The routes that pass the stop (at its occurrence), grouped by likeness.
    std::vector<RouteGroup> groupsOf(const StopRef& s) const {
        std::vector<RouteGroup> groups;
        for (std::size_t r = 0; r < routes_.size(); ++r) {
            const std::vector<std::uint16_t>& stops = routes_[r].stops;
            std::int32_t seen = 0;
            std::optional<std::size_t> at;
            for (std::size_t p = 0; p < stops.size() && !at; ++p) {
                if (stops[p] == s.stop && seen++ == s.occurrence) {
                    at = p;
                }
            }
            // A route that ends at the stop has no departure from it.
            if (!at || *at + 1 >= stops.size()) {
                continue;
            }
            const RouteAt here{r, *at};
            RouteGroup* joined = nullptr;
            for (RouteGroup& g : groups) {
                for (const RouteAt& other : g.routes) {
                    if (alike(here, other)) {
                        joined = &g;
                        break;
                    }
                }
                if (joined != nullptr) {
                    break;
                }
            }
            if (joined == nullptr) {
                groups.emplace_back();
                joined = &groups.back();
            }
            joined->routes.push_back(here);
        }
        assignDirections(groups, days_.front());
        return groups;
    }

    // A group's direction: the last stop of its longest route that has a trip on the day.
    void assignDirections(std::vector<RouteGroup>& groups, std::int32_t day) const {
        for (RouteGroup& g : groups) {
            std::optional<RouteAt> longest;
            for (const RouteAt& at : g.routes) {
                if (runsOn(at.route, day) && (!longest || length(at.route) > length(longest->route))) {
                    longest = at;
                }
            }
            g.direction = longest ? std::optional<std::uint16_t>(routes_[longest->route].stops.back())
                                  : std::nullopt;
        }
    }

    // Directions come from the first searched day. A week whose Monday has no trip of the line
    // (a line that runs only at weekends or on holidays) takes them from its first day with one,
    // instead of reporting that nothing was found while the week has departures.
    void assignDirectionsFromFirstRunningDay(std::vector<FromSide>& sides) const {
        for (std::size_t d = 1; d < days_.size() && !anyDirection(sides); ++d) {
            for (FromSide& s : sides) {
                assignDirections(s.groups, days_[d]);
            }
        }
    }

    // Same last stop, same first stop, or a stop in common among the five after (or before)
    // the from stop in both routes.
    bool alike(const RouteAt& a, const RouteAt& b) const {
        const std::vector<std::uint16_t>& sa = routes_[a.route].stops;
        const std::vector<std::uint16_t>& sb = routes_[b.route].stops;
        if (sa.back() == sb.back() || sa.front() == sb.front()) {
            return true;
        }
        auto common = [&](bool after) {
            for (std::size_t i = 1; i <= kNeighbourStops; ++i) {
                if (after ? a.from + i >= sa.size() : i > a.from) {
                    break;
                }
                const std::uint16_t stop = sa[after ? a.from + i : a.from - i];
                for (std::size_t j = 1; j <= kNeighbourStops; ++j) {
                    if (after ? b.from + j >= sb.size() : j > b.from) {
                        break;
                    }
                    if (sb[after ? b.from + j : b.from - j] == stop) {
                        return true;
                    }
                }
            }
            return false;
        };
        return common(true) || common(false);
    }

    std::optional<std::uint16_t> commonDirection(const std::vector<FromSide>& sides) const {
        std::optional<std::uint16_t> direction;
        for (const FromSide& s : sides) {
            if (s.groups.empty()) {
                continue;
            }
            if (s.groups.size() != 1) {
                return std::nullopt;
            }
            const std::optional<std::uint16_t>& d = s.groups.front().direction;
            if (d && direction && *d != *direction) {
                return std::nullopt;
            }
            if (d) {
                direction = d;
            }
        }
        return direction;
    }
    static bool anyDirection(const std::vector<FromSide>& sides) {
        for (const FromSide& s : sides) {
            for (const RouteGroup& g : s.groups) {
                if (g.direction) {
                    return true;
                }
            }
        }
        return false;
    }

    // The longest route of the side that ends at (or passes) the direction stop after the
    // from stop and runs on the day; else the longest of them at all.
    std::optional<RouteAt> bestRoute(const FromSide& side, std::int32_t dir, std::int32_t day,
                                     bool mustEnd) const {
        std::optional<RouteAt> running;
        std::optional<RouteAt> any;
        for (const RouteGroup& g : side.groups) {
            for (const RouteAt& at : g.routes) {
                const std::vector<std::uint16_t>& stops = routes_[at.route].stops;
                const bool fits = mustEnd ? at.from + 1 < stops.size() && stops.back() == dir
                                          : positionAfter(stops, at.from, dir).has_value();
                if (!fits) {
                    continue;
                }
                if (!any || length(at.route) > length(any->route)) {
                    any = at;
                }
                if (runsOn(at.route, day) &&
                    (!running || length(at.route) > length(running->route))) {
                    running = at;
                }
            }
        }
        return running ? running : any;
    }

    void fillRouteStops(const RouteAt& at) {
        const RouteStops& r = routes_[at.route];
        const std::vector<std::uint32_t>& trips = r.route->trips;
        auto averageTime = [&](std::size_t p) {
            std::int64_t sum = 0;
            for (std::uint32_t t : trips) {
                sum += trips_.departureTime(t, p);
            }
            const auto n = static_cast<std::int64_t>(trips.size());
            return (2 * sum + n) / (2 * n);
        };
        const std::int64_t fromTime = averageTime(at.from);
        const std::int32_t fromDistance = trips_.distanceTo(trips.front(), at.from);
        std::map<std::uint16_t, std::int32_t> seen;
        for (std::size_t p = 0; p < r.stops.size(); ++p) {
            cStZastavkaTrasy s;
            s.stop = r.stops[p];
            s.occurrence = seen[r.stops[p]]++;
            if (p >= at.from) {
                s.minutes = static_cast<std::int32_t>(averageTime(p) - fromTime);
                const std::int32_t d = trips_.distanceTo(trips.front(), p);
                s.distance =
                    d < 0 || fromDistance < 0 ? -1.0 : static_cast<double>(d - fromDistance);
            }
            result_.routeStops.push_back(s);
        }
    }

    // The note of a route against the reference route, both from the from stop on.
    cStPoznamka noteOf(const RouteAt& at, const RouteAt& ref) const {
        const std::vector<std::uint16_t>& rs = routes_[at.route].stops;
        const std::vector<std::uint16_t>& fs = routes_[ref.route].stops;
        std::vector<std::uint16_t> route(rs.begin() + static_cast<std::ptrdiff_t>(at.from) + 1,
                                         rs.end());
        std::vector<std::uint16_t> reference(fs.begin() + static_cast<std::ptrdiff_t>(ref.from) + 1,
                                             fs.end());
        cStPoznamka note;
        if (route == reference || route.empty()) {
            return note;
        }
        // A route whose last stop lies before the reference route's end is shortened there.
        bool endsBefore = false;
        if (route.back() != reference.back()) {
            const auto k = std::find(reference.begin(), reference.end(), route.back());
            if (k != reference.end()) {
                endsBefore = true;
                reference.erase(k + 1, reference.end());
            }
        }
        for (std::uint16_t s : route) {
            if (!contains(reference, s)) {
                note.kinds.push_back(kStRunsThrough);
                note.stops.push_back(s);
            }
        }
        for (std::uint16_t s : reference) {
            if (!contains(route, s)) {
                note.kinds.push_back(kStDoesNotRunThrough);
                note.stops.push_back(s);
            }
        }
        if (endsBefore) {
            note.kinds.push_back(kStEndsAt);
            note.stops.push_back(route.back());
        }
        return note;
    }

    std::unique_ptr<cStDatum> dayGroup(const FromSide& side, std::int32_t dir, std::int32_t day) {
        auto group = std::make_unique<cStDatum>();
        group->days = {day};
        group->week = week_ ? 1 : 0;
        const RouteGroup* chosen = nullptr;
        for (const RouteGroup& g : side.groups) {
            for (const RouteAt& at : g.routes) {
                if (positionAfter(routes_[at.route].stops, at.from, dir)) {
                    chosen = &g;
                    break;
                }
            }
            if (chosen != nullptr) {
                break;
            }
        }
        if (chosen == nullptr) {
            return group;
        }
        std::optional<RouteAt> reference;
        for (int phase = 0; phase < 2 && !reference; ++phase) {
            for (const RouteAt& at : chosen->routes) {
                const std::vector<std::uint16_t>& stops = routes_[at.route].stops;
                const bool fits = phase == 0 ? at.from + 1 < stops.size() && stops.back() == dir
                                             : positionAfter(stops, at.from, dir).has_value();
                if (fits && (!reference || length(at.route) > length(reference->route))) {
                    reference = at;
                }
            }
        }
        for (const RouteAt& at : chosen->routes) {
            std::vector<cStOdjezd> departures;
            for (std::uint32_t t : routes_[at.route].route->trips) {
                if (!trips_.runsOnStartDay(t, day)) {
                    continue;
                }
                const int time = trips_.departureTime(t, at.from);
                cStOdjezd d;
                d.trip = static_cast<std::int32_t>(t);
                d.minute = time % 60;
                d.position = static_cast<std::int32_t>(at.from);
                departures.push_back(d);
            }
            // Only routes that run on the day bring their note.
            if (departures.empty()) {
                continue;
            }
            cStPoznamka note = noteOf(at, *reference);
            std::int32_t noteIndex = -1;
            if (!note.kinds.empty()) {
                for (std::size_t i = 0; i < group->notes.size() && noteIndex < 0; ++i) {
                    if (group->notes[i].sameItems(note)) {
                        noteIndex = static_cast<std::int32_t>(i);
                    }
                }
                if (noteIndex < 0) {
                    note.text = stNoteText(note, stopNames());
                    group->notes.push_back(std::move(note));
                    noteIndex = static_cast<std::int32_t>(group->notes.size() - 1);
                }
            }
            for (cStOdjezd& d : departures) {
                d.note = noteIndex;
                const int time = trips_.departureTime(static_cast<std::size_t>(d.trip), at.from);
                group->hours[static_cast<std::size_t>((time % 1440) / 60)].push_back(d);
            }
        }
        for (auto& h : group->hours) {
            std::stable_sort(h.begin(), h.end(), [](const cStOdjezd& a, const cStOdjezd& b) {
                return a.minute < b.minute;
            });
        }
        return group;
    }

    static bool sameDeparture(const cStDatum& ga, const cStOdjezd& a, const cStDatum& gb,
                              const cStOdjezd& b) {
        if (a.trip != b.trip || a.minute != b.minute || (a.note < 0) != (b.note < 0)) {
            return false;
        }
        return a.note < 0 || ga.notes[static_cast<std::size_t>(a.note)].sameItems(
                                 gb.notes[static_cast<std::size_t>(b.note)]);
    }
    static bool sameRows(const cStDatum& a, const cStDatum& b, std::size_t first,
                         std::size_t last) {
        for (std::size_t h = first; h <= last; ++h) {
            if (a.hours[h].size() != b.hours[h].size()) {
                return false;
            }
            for (std::size_t i = 0; i < a.hours[h].size(); ++i) {
                if (!sameDeparture(a, a.hours[h][i], b, b.hours[h][i])) {
                    return false;
                }
            }
        }
        return true;
    }
    static bool hasDayDepartures(const cStDatum& g) {
        for (std::size_t h = 4; h <= 22; ++h) {
            if (!g.hours[h].empty()) {
                return true;
            }
        }
        return false;
    }

    // Neighbouring days with the same timetable become one group (Sunday never joins Monday).
    void mergeWeek() {
        std::vector<std::unique_ptr<cStDatum>>& g = result_.groups;
        std::vector<bool> merged(g.size(), false);
        for (std::size_t j = 0; j + 1 < g.size(); ++j) {
            const cStDatum& a = *g[j];
            const cStDatum& b = *g[j + 1];
            const cStDatum& after = *g[(j + 2) % g.size()];
            const bool same = hasDayDepartures(a) && hasDayDepartures(b)
                                  ? sameRows(a, b, 3, 23) && sameRows(b, after, 0, 2)
                                  : sameRows(a, b, 0, 23);
            if (same) {
                std::vector<std::int32_t> days = g[j]->days;
                days.insert(days.end(), g[j + 1]->days.begin(), g[j + 1]->days.end());
                g[j + 1]->days = std::move(days);
                merged[j] = true;
            }
        }
        for (std::size_t j = 0; j < g.size(); ++j) {
            if (merged[j]) {
                g[j]->hours = {};
            }
        }
    }

    // With no from stop on the line: every stop of every route, each with its occurrence
    // number in its route, once.
    void offerAllStops() {
        std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
        for (const RouteStops& r : routes_) {
            std::map<std::uint16_t, std::int32_t> seen;
            for (std::uint16_t s : r.stops) {
                const std::pair<std::int32_t, std::int32_t> p{s, seen[s]++};
                if (std::find(pairs.begin(), pairs.end(), p) == pairs.end()) {
                    pairs.push_back(p);
                }
            }
        }
        for (const auto& p : pairs) {
            result_.choiceStops.push_back(p.first);
            result_.choiceOccurrences.push_back(p.second);
            result_.directionLists.emplace_back();
        }
        result_.status = ST_CHOOSE_FROM;
    }

    // The direction is open: the from stops on the line, each with the directions its groups
    // lead to.
    void offerFromStops(const std::vector<FromSide>& sides) {
        for (const FromSide& s : sides) {
            if (s.groups.empty()) {
                continue;
            }
            result_.choiceStops.push_back(s.stop.stop);
            result_.choiceOccurrences.push_back(s.stop.occurrence);
            std::vector<std::int32_t> dirs;
            for (const RouteGroup& g : s.groups) {
                if (g.direction &&
                    std::find(dirs.begin(), dirs.end(), *g.direction) == dirs.end()) {
                    dirs.push_back(*g.direction);
                }
            }
            result_.directionLists.push_back(std::move(dirs));
        }
        result_.status = ST_CHOOSE_DIRECTION;
    }

    const std::vector<std::string>& stopNames() {
        if (stopNames_.empty()) {
            for (std::size_t s = 0; s < file_.stops.stopCount(); ++s) {
                stopNames_.emplace_back(file_.stops.name(file_.names, s));
            }
        }
        return stopNames_;
    }

    const cJizdniRad& file_;
    const cSpoje& trips_;
    std::vector<RouteStops> routes_;
    std::vector<std::int32_t> days_;
    bool week_;
    cStVysledek& result_;
    std::vector<std::string> stopNames_;
};

// The stops a query side stands for.
std::vector<StopRef> sideStops(const cJizdniRad& file, std::int32_t value, std::int32_t occurrence,
                               bool elements) {
    std::vector<StopRef> out;
    if (value < 0) {
        return out;
    }
    if (!elements) {
        // A stop number the file does not have stands for no stop, as an element beyond its
        // kind does: it must not filter every line out as if it were a stop off the line.
        if (static_cast<std::size_t>(value) >= file.stops.stopCount()) {
            return out;
        }
        out.push_back(StopRef{value, occurrence < 0 ? 0 : occurrence});
        return out;
    }
    const int kind = file.categories.stopsKind();
    if (kind < 0 || static_cast<std::size_t>(value) >=
                        file.categories.elementCount(static_cast<std::size_t>(kind))) {
        return out;
    }
    for (std::uint16_t s :
         file.categories.stopsOf(static_cast<std::size_t>(kind), static_cast<std::size_t>(value))) {
        out.push_back(StopRef{s, 0});
    }
    return out;
}

bool linePasses(const cJizdniRad& file, const cLinkaTras& line, const std::vector<StopRef>& stops) {
    if (stops.empty()) {
        return true;
    }
    for (const cTrasaLinky& r : line.routes) {
        if (r.trips.empty()) {
            continue;
        }
        const std::uint32_t t = r.trips.front();
        for (std::size_t p = 0; p < file.trips.stopCount(t); ++p) {
            for (const StopRef& s : stops) {
                if (file.trips.stopAt(t, p) == s.stop) {
                    return true;
                }
            }
        }
    }
    return false;
}

// Query items: the stop elements of the choice stops with the elements of their directions.
void fillQueryItems(const cJizdniRad& file, cStVysledek& result) {
    const int kind = file.categories.stopsKind();
    if (kind < 0) {
        return;
    }
    const auto k = static_cast<std::size_t>(kind);
    std::vector<std::int32_t> elementOf(file.stops.stopCount(), -1);
    for (std::size_t e = 0; e < file.categories.elementCount(k); ++e) {
        for (std::uint16_t s : file.categories.stopsOf(k, e)) {
            if (s < elementOf.size() && elementOf[s] < 0) {
                elementOf[s] = static_cast<std::int32_t>(e);
            }
        }
    }
    auto element = [&](std::int32_t stop) {
        return stop >= 0 && static_cast<std::size_t>(stop) < elementOf.size()
                   ? elementOf[static_cast<std::size_t>(stop)]
                   : -1;
    };
    for (std::size_t i = 0; i < result.choiceStops.size(); ++i) {
        const std::int32_t e = element(result.choiceStops[i]);
        if (e < 0) {
            continue;
        }
        auto it = std::find(result.queryItems.begin(), result.queryItems.end(), e);
        std::size_t item = static_cast<std::size_t>(it - result.queryItems.begin());
        if (it == result.queryItems.end()) {
            result.queryItems.push_back(e);
            result.queryDirections.emplace_back();
        }
        if (i < result.directionLists.size()) {
            for (std::int32_t d : result.directionLists[i]) {
                const std::int32_t de = element(d);
                std::vector<std::int32_t>& dirs = result.queryDirections[item];
                if (de >= 0 && std::find(dirs.begin(), dirs.end(), de) == dirs.end()) {
                    dirs.push_back(de);
                }
            }
        }
    }
    if (result.choiceStops.empty() && result.directionLists.size() == 1 &&
        !result.directionLists.front().empty()) {
        const std::int32_t e = element(result.directionLists.front().front());
        if (e >= 0) {
            result.queryItems.push_back(e);
            result.queryDirections.emplace_back();
        }
    }
    if (result.queryItems.size() > 1) {
        std::vector<std::size_t> order(result.queryItems.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return collateCompare(
                       file.categories.elementName(file.names, k,
                                                   static_cast<std::size_t>(result.queryItems[a])),
                       file.categories.elementName(
                           file.names, k, static_cast<std::size_t>(result.queryItems[b]))) < 0;
        });
        std::vector<std::int32_t> items;
        std::vector<std::vector<std::int32_t>> dirs;
        for (std::size_t i : order) {
            items.push_back(result.queryItems[i]);
            dirs.push_back(std::move(result.queryDirections[i]));
        }
        result.queryItems = std::move(items);
        result.queryDirections = std::move(dirs);
    }
}

}  // namespace

std::vector<std::int32_t> stFindLinesByText(const cJizdniRad& file, std::string_view text) {
    std::vector<std::int32_t> out;
    if (!file.routes) {
        return out;
    }
    // At most three words; the third keeps the rest of the text.
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ',')) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        if (words.size() == 2) {
            std::size_t end = text.size();
            while (end > i && (text[end - 1] == ' ' || text[end - 1] == ',')) {
                --end;
            }
            words.push_back(text.substr(i, end - i));
            break;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != ',') {
            ++j;
        }
        words.push_back(text.substr(i, j - i));
        i = j;
    }
    if (words.empty()) {
        return out;
    }
    const cTrasyLinek& routes = *file.routes;
    const cLinky& lines = file.trips.lines();
    std::vector<std::pair<std::int64_t, std::int32_t>> scored;
    for (std::size_t l = 0; l < routes.lineCount(); ++l) {
        const cLinkaTras& line = routes.line(l);
        if (line.trips.empty()) {
            continue;
        }
        // The line's own name, then its kind's name and its group's name.
        const std::string group =
            l < lines.lineCount() ? lines.groupName(lines.line(l).group) : std::string();
        const std::string_view names[3] = {line.name, line.kindName, group};
        std::int64_t score = 0;
        bool everyWord = true;
        for (std::string_view w : words) {
            bool found = false;
            for (std::size_t n = 0; n < 3; ++n) {
                if (countOccurrencesFoldedIn(names[n], w) == 0) {
                    continue;
                }
                found = true;
                const std::int64_t unit = n == 0 ? 1000 : 10;
                if (names[n] == w) {
                    score += 3 * unit;
                } else if (countOccurrencesFoldedIn(names[n], w) == 1 &&
                           names[n].size() == w.size()) {
                    score += 2 * unit;
                } else {
                    score += unit;
                }
            }
            everyWord = everyWord && found;
        }
        if (everyWord) {
            scored.emplace_back(score, static_cast<std::int32_t>(l));
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    if (scored.size() > 1 && scored[0].first > scored[1].first) {
        scored.resize(1);
    }
    for (const auto& s : scored) {
        out.push_back(s.second);
    }
    return out;
}

std::unique_ptr<cStVysledek> stSearch(const cJizdniRad& file, const StQuery& query) {
    auto result = std::make_unique<cStVysledek>();
    result->names = &file.names;
    const bool elements = query.fromOccurrence == -1 && query.toOccurrence == -1;
    std::vector<StopRef> from;
    std::vector<StopRef> to;
    if (query.fromValue != -1 || query.toValue != -1) {
        from = sideStops(file, query.fromValue, query.fromOccurrence, elements);
        to = sideStops(file, query.toValue, 0, elements);
    }
    std::vector<std::int32_t> days;
    if (query.week) {
        const int monday = mondayOnOrBefore(query.day);
        for (int d = 0; d < kDaysOfWeek; ++d) {
            days.push_back(monday + d);
        }
    } else {
        days.push_back(query.day);
    }
    if (!file.routes) {
        result->status = ST_NO_LINE;
        return result;
    }
    std::vector<std::int32_t> lines;
    if (query.lineIndex >= 0) {
        if (static_cast<std::size_t>(query.lineIndex) >= file.routes->lineCount()) {
            result->status = ST_NO_LINE;
            return result;
        }
        lines.push_back(query.lineIndex);
    } else {
        for (std::int32_t l : stFindLinesByText(file, query.lineText)) {
            const cLinkaTras& line = file.routes->line(static_cast<std::size_t>(l));
            if (linePasses(file, line, from) && linePasses(file, line, to)) {
                lines.push_back(l);
            }
        }
    }
    if (lines.empty()) {
        result->status = ST_NO_LINE;
        return result;
    }
    if (lines.size() > 1) {
        result->status = ST_MANY_LINES;
        result->lineCandidates = lines;
        for (const StopRef& s : from) {
            result->choiceStops.push_back(s.stop);
            result->choiceOccurrences.push_back(s.occurrence);
            result->directionLists.push_back(to.empty()
                                                 ? std::vector<std::int32_t>{}
                                                 : std::vector<std::int32_t>{to.front().stop});
        }
        if (from.empty() && !to.empty()) {
            result->directionLists.push_back({to.front().stop});
        }
        fillQueryItems(file, *result);
        return result;
    }
    StopTimetableBuilder builder(file, file.routes->line(static_cast<std::size_t>(lines.front())),
                                 days, query.week, *result);
    result->lineCandidates = lines;
    builder.build(from, to);
    if (result->status == ST_NOT_FOUND) {
        result->lineCandidates.clear();
    }
    fillQueryItems(file, *result);
    return result;
}

}  // namespace trasovnik
