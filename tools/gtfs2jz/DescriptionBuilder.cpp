#include "tools/gtfs2jz/DescriptionBuilder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/FeedLimits.h"
#include "tools/gtfs2jz/FeedValues.h"
#include "tools/gtfs2jz/LineKinds.h"
#include "tools/gtfs2jz/SearchDefaults.h"
#include "tools/gtfs2jz/WalkingLinks.h"

namespace gtfs2jz {

namespace {

using nlohmann::json;

// Every imported timetable carries this source code, so that imported files form sets.
constexpr std::uint32_t kSourceCode = 0x47544653;

std::string colourText(std::uint32_t rgb) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", rgb & 0xFFFFFF);
    return buf;
}

bool hasTwoDigits(const std::string& s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i])) &&
            std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
            return true;
        }
    }
    return false;
}

class Builder {
public:
    Builder(const Feed& feed, const ImportOptions& options, Transliterator& text)
        : feed_(feed), options_(options), text_(text) {}

    Description build() {
        checkCounts();
        describeCalendarsAndTrips();
        describeLines();
        describeStops();
        describeHeader();
        out_.doc["version"] = "4.0";
        out_.doc["searchDefaults"] = searchDefaultsFor(city_);
        return std::move(out_);
    }

private:
    void checkCounts() {
        std::size_t stops = 0;
        for (const FeedStop& s : feed_.stops) {
            stops += s.locationType == 0 ? 1 : 0;
        }
        requireWithin(stops, kMaxStops, "stops", "stop indexes are 16-bit");
        requireWithin(feed_.trips.size(), kMaxTrips, "trips",
                      "trip indexes of the passages are 18-bit");
        requireWithin(feed_.routes.size(), kMaxLines, "routes", "line-name indexes are 15-bit");
        for (const FeedTrip& t : feed_.trips) {
            requireWithin(t.stopTimeCount, kMaxStopsPerTrip, "stop times of trip \"" + t.id + "\"",
                          "a trip's stop count is one byte");
        }
        std::vector<std::size_t> passages(feed_.stops.size(), 0);
        for (const FeedStopTime& st : feed_.stopTimes) {
            ++passages[st.stop];
        }
        for (std::size_t s = 0; s < passages.size(); ++s) {
            requireWithin(passages[s], kMaxPassagesPerStop,
                          "passages at stop \"" + feed_.stops[s].id + "\"",
                          "slots in a stop's passage row are 16-bit");
        }
    }

    std::string name(const std::string& utf8, const std::string& place) {
        return text_(utf8, place);
    }

    // The calendar of a service, moved by `shift` days for trips that the feed starts at or
    // after 24:00 of the service day (the file's trips start before 24:00 of their day).
    std::uint16_t calendarOf(std::uint32_t service, int shift) {
        auto [it, added] = calendarIndex_.try_emplace({service, shift}, 0);
        if (!added) {
            return it->second;
        }
        const FeedService& s = feed_.services[service];
        json c;
        c["id"] = std::to_string(calendars_.size());
        std::string weekdays = "0000000";
        int from = 0, to = 0;
        bool any = false;
        if (s.hasWeekdays) {
            from = s.start;
            to = s.end;
            any = true;
            for (int d = 0; d < 7; ++d) {
                weekdays[static_cast<std::size_t>((d + shift) % 7)] =
                    s.weekdays[static_cast<std::size_t>(d)] ? '1' : '0';
            }
        }
        for (int d : s.added) {
            from = any ? std::min(from, d) : d;
            to = any ? std::max(to, d) : d;
            any = true;
        }
        if (!any) {
            // Only removed dates: a calendar that never runs, over the removed days.
            from = to = s.removed.empty() ? 0 : s.removed.front();
        }
        c["from"] = isoDate(from + shift);
        c["to"] = isoDate(to + shift);
        c["weekdays"] = weekdays;
        json except = json::array(), extra = json::array();
        for (int d : s.removed) {
            except.push_back(isoDate(d + shift));
        }
        for (int d : s.added) {
            extra.push_back(isoDate(d + shift));
        }
        c["except"] = std::move(except);
        c["extra"] = std::move(extra);
        requireWithin(calendars_.size() + 1, kMaxCalendars, "calendars",
                      "calendar indexes are 16-bit");
        it->second = static_cast<std::uint16_t>(calendars_.size());
        calendars_.push_back(std::move(c));
        validityFrom_ = std::min(validityFrom_, from + shift);
        validityTo_ = std::max(validityTo_, to + shift);
        return it->second;
    }

    void describeCalendarsAndTrips() {
        // File stop indexes: the feed's stops and platforms in file order.
        fileStop_.assign(feed_.stops.size(), 0);
        std::uint16_t next = 0;
        for (std::size_t i = 0; i < feed_.stops.size(); ++i) {
            if (feed_.stops[i].locationType == 0) {
                fileStop_[i] = next++;
            }
        }
        jz::CompactTripTable& table = out_.trips;
        table.stops.reserve(feed_.stopTimes.size());
        std::size_t empty = 0;
        for (const FeedTrip& t : feed_.trips) {
            if (t.stopTimeCount == 0) {
                ++empty;
                continue;
            }
            const FeedStopTime* st = &feed_.stopTimes[t.firstStopTime];
            int shift = st[0].arr / 1440;
            jz::CompactTrip trip;
            trip.line = static_cast<std::uint16_t>(t.route);
            trip.calendar = calendarOf(t.service, shift);
            trip.first = static_cast<std::uint32_t>(table.stops.size());
            trip.count = t.stopTimeCount;
            for (std::uint32_t p = 0; p < t.stopTimeCount; ++p) {
                jz::CompactTripStop s;
                s.stop = fileStop_[st[p].stop];
                s.board = st[p].board;
                s.alight = st[p].alight;
                s.arr = st[p].arr - shift * 1440;
                s.dep = st[p].dep - shift * 1440;
                if (p > 0 && st[p].dist >= 0 && st[p - 1].dist >= 0) {
                    double step =
                        (st[p].dist - st[p - 1].dist) * (options_.distancesInKm ? 1000 : 1);
                    if (!(step <= kMaxDistanceStep)) {
                        throw FeedError("stop_times.txt: trip \"" + t.id +
                                        "\": the distance between two stops exceeds the "
                                        "limit of " +
                                        std::to_string(kMaxDistanceStep) +
                                        " m (distance steps are 32-bit)");
                    }
                    s.step = static_cast<std::int64_t>(std::llround(step));
                }
                if (s.dep -
                        (table.stops.size() > trip.first ? table.stops[trip.first].arr : s.arr) >
                    kMaxTripMinutes) {
                    throw FeedError("stop_times.txt: trip \"" + t.id +
                                    "\" runs longer than the "
                                    "limit of " +
                                    std::to_string(kMaxTripMinutes) +
                                    " minutes (times after a trip's start are 16-bit)");
                }
                table.stops.push_back(s);
            }
            table.trips.push_back(trip);
        }
        if (table.trips.empty()) {
            throw FeedError("stop_times.txt: the feed has no trips with stop times");
        }
        if (feed_.interpolatedStopTimes > 0) {
            out_.notices.push_back("interpolated the times of " +
                                   std::to_string(feed_.interpolatedStopTimes) +
                                   " stop times without times");
        }
        if (empty > 0) {
            out_.notices.push_back("skipped " + std::to_string(empty) +
                                   " trips without stop times");
        }
        out_.doc["calendars"] = std::move(calendars_);
    }

    void describeLines() {
        // One line kind per kind of route type; its colour the most common route colour.
        std::map<int, std::size_t> kindOfCode;
        std::vector<std::map<std::string, std::size_t>> colours;
        json kinds = json::array(), groups = json::array(), lines = json::array();
        std::map<std::string, std::size_t> groupOf;
        bool allUrban = !feed_.routes.empty(), allBus = !feed_.routes.empty();
        std::vector<std::size_t> lineKind;
        for (const FeedRoute& r : feed_.routes) {
            LineKindOfType k = lineKindOf(r.type);
            allUrban = allUrban && k.urban;
            allBus = allBus && k.code == 3;
            auto [it, added] = kindOfCode.try_emplace(k.code, kinds.size());
            if (added) {
                kinds.push_back({{"id", std::to_string(kinds.size())},
                                 {"code", k.code < 0 ? 0 : k.code},
                                 {"name", name(k.name, "line kind")},
                                 {"colour", colourText(k.colour)}});
                colours.emplace_back();
            }
            if (!r.color.empty()) {
                ++colours[it->second][r.color];
            }
            lineKind.push_back(it->second);
        }
        requireWithin(kinds.size(), kMaxLineKinds, "line kinds", "a line's kind is one byte");
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            std::string best;
            std::size_t most = 0;
            for (const auto& [c, n] : colours[k]) {
                if (n > most) {
                    best = c;
                    most = n;
                }
            }
            if (!best.empty()) {
                kinds[k]["colour"] = "#" + best;
            }
        }
        for (std::size_t i = 0; i < feed_.routes.size(); ++i) {
            const FeedRoute& r = feed_.routes[i];
            std::string place = "routes.txt route \"" + r.id + "\"";
            std::string group = name(r.longName, place);
            auto [g, added] = groupOf.try_emplace(group, groups.size());
            if (added) {
                groups.push_back({{"id", std::to_string(groups.size())}, {"name", group}});
            }
            std::string own = name(r.shortName.empty() ? std::string() : r.shortName, place);
            lines.push_back({{"id", std::to_string(i)},
                             {"kind", std::to_string(lineKind[i])},
                             {"group", std::to_string(g->second)},
                             {"name", own}});
        }
        out_.doc["lineKinds"] = std::move(kinds);
        out_.doc["lineGroups"] = std::move(groups);
        out_.doc["lines"] = std::move(lines);
        city_ = allUrban;
        kind_ = allUrban ? "MHD" : allBus ? "BUS" : "";
    }

    void describeStops() {
        WalkLinks walking =
            walkingLinks(feed_, options_.walkRadiusMetres, kWalkingPace, kMaxWalkLinks);
        if (walking.dropped > 0) {
            out_.notices.push_back("the file holds at most " + std::to_string(kMaxWalkLinks) +
                                   " walking links: left out " + std::to_string(walking.dropped) +
                                   " links of the walking radius, keeping those up to " +
                                   std::to_string(static_cast<long>(walking.keptUpToMetres)) +
                                   " m");
        }
        const std::vector<WalkLink>& links = walking.links;
        std::size_t link = 0;
        json stops = json::array();
        std::map<std::string, json> byName;     // stops kind: one element per name
        std::map<std::string, json> byStation;  // towns kind: one element per station name
        bool coordinates = false;
        for (std::uint32_t i = 0; i < feed_.stops.size(); ++i) {
            const FeedStop& s = feed_.stops[i];
            while (link < links.size() && links[link].from < i) {
                ++link;
            }
            if (s.locationType != 0) {
                continue;
            }
            std::string id = std::to_string(fileStop_[i]);
            json stop{{"id", id}, {"name", name(s.name, "stops.txt stop \"" + s.id + "\"")}};
            if (s.hasPosition) {
                stop["lat"] = s.lat;
                stop["lon"] = s.lon;
                coordinates = true;
            }
            json walk = json::array();
            for (; link < links.size() && links[link].from == i; ++link) {
                walk.push_back({{"to", std::to_string(fileStop_[links[link].to])},
                                {"minutes", links[link].minutes}});
            }
            if (!walk.empty()) {
                stop["walk"] = std::move(walk);
            }
            std::string stopName = stop["name"];
            json& element = byName[stopName];
            if (element.is_null()) {
                element = {{"name", stopName}, {"stops", json::array()}};
            }
            element["stops"].push_back(id);
            if (!s.parentId.empty()) {
                const FeedStop& station = feed_.stops[parentIndex(s.parentId)];
                std::string stationName = name(station.name.empty() ? station.id : station.name,
                                               "stops.txt stop \"" + station.id + "\"");
                json& e = byStation[stationName];
                if (e.is_null()) {
                    e = {{"name", stationName}, {"stops", json::array()}};
                }
                e["stops"].push_back(id);
            }
            stops.push_back(std::move(stop));
        }
        json categories = json::array();
        if (!byStation.empty()) {
            json elements = json::array();
            for (auto& [n, e] : byStation) {
                elements.push_back(std::move(e));
            }
            categories.push_back({{"name", "města a obce"}, {"elements", std::move(elements)}});
        }
        json elements = json::array();
        for (auto& [n, e] : byName) {
            elements.push_back(std::move(e));
        }
        categories.push_back({{"name", "zastávky"}, {"elements", std::move(elements)}});
        out_.doc["stops"] = std::move(stops);
        out_.doc["categories"] = std::move(categories);
        coordinates_ = coordinates;
    }

    std::size_t parentIndex(const std::string& id) {
        if (stationIndex_.empty()) {
            for (std::size_t i = 0; i < feed_.stops.size(); ++i) {
                stationIndex_.emplace(feed_.stops[i].id, i);
            }
        }
        return stationIndex_.at(id);
    }

    void describeHeader() {
        std::string base = !feed_.publisherName.empty() ? feed_.publisherName
                           : !feed_.agencyNames.empty() ? feed_.agencyNames.front()
                                                        : std::string("GTFS");
        base = name(base, "feed_info.txt or agency.txt name");
        int from = feed_.hasFeedDates ? feed_.feedStart : validityFrom_;
        int to = feed_.hasFeedDates ? feed_.feedEnd : validityTo_;
        if (from > to) {
            from = to = 0;  // no calendars at all
        }
        // Yearly editions of a feed share favourites: the title's two-digit year becomes the
        // series number.
        std::string title = base;
        if (!hasTwoDigits(base)) {
            int yy = yearOf(from) % 100;
            title += std::string(" ") + static_cast<char>('0' + yy / 10) +
                     static_cast<char>('0' + yy % 10);
        }
        std::string agencies;
        for (const std::string& a : feed_.agencyNames) {
            agencies += (agencies.empty() ? "" : ", ") + a;
        }
        json header{{"title", title},
                    {"kind", kind_},
                    {"texts",
                     {base, name(agencies, "agency.txt agency_name"),
                      "Platí od " + czechDate(from) + " do " + czechDate(to)}},
                    {"validity", {{{"from", isoDate(from)}, {"to", isoDate(to)}}}},
                    {"sourceCode", kSourceCode},
                    {"hasCoordinates", coordinates_},
                    {"coordinatesExact", coordinates_}};
        out_.doc["header"] = std::move(header);
    }

    const Feed& feed_;
    const ImportOptions& options_;
    Transliterator& text_;
    Description out_;
    std::vector<std::uint16_t> fileStop_;
    std::map<std::pair<std::uint32_t, int>, std::uint16_t> calendarIndex_;
    json calendars_ = json::array();
    int validityFrom_ = 1 << 30;
    int validityTo_ = -(1 << 30);
    bool city_ = false;
    bool coordinates_ = false;
    std::string kind_;
    std::map<std::string, std::size_t> stationIndex_;
};

}  // namespace

Description describeFeed(const Feed& feed, const ImportOptions& options, Transliterator& text) {
    return Builder(feed, options, text).build();
}

}  // namespace gtfs2jz
