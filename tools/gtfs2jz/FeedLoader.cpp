#include "tools/gtfs2jz/FeedLoader.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <unordered_map>

#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/FeedTable.h"
#include "tools/gtfs2jz/FeedValues.h"

namespace gtfs2jz {

namespace {

using IdIndex = std::unordered_map<std::string, std::uint32_t>;

constexpr int kUntimed = -1;
// The ranges of the feed's coded fields: location types 0 to 4, basic and extended route
// types (the extended ones end below 1800), pickup and drop-off types 0 to 3, transfer types 0
// to 5. A transfer takes at most a day; sequence numbers are non-negative 32-bit values.
constexpr int kMaxLocationType = 4;
constexpr int kMaxRouteType = 1799;
constexpr int kMaxPickupType = 3;
constexpr int kMaxTransferType = 5;
constexpr int kMaxTransferSeconds = 24 * 60 * 60;
constexpr int kMaxSequence = std::numeric_limits<int>::max();
// Fields whose few values are checked with their own message.
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

class Loader {
public:
    explicit Loader(std::string folder) : folder_(std::move(folder)) {}

    Feed load() {
        if (!std::filesystem::is_directory(folder_)) {
            throw FeedError(folder_ + ": not a feed folder");
        }
        loadAgencies();
        loadFeedInfo();
        loadStops();
        loadRoutes();
        loadServices();
        loadTrips();
        loadStopTimes();
        loadTransfers();
        return std::move(feed_);
    }

private:
    std::optional<FeedTable> open(const std::string& name, bool required) {
        std::string path = folder_ + "/" + name;
        if (!std::filesystem::exists(path)) {
            if (required) {
                throw FeedError(name + ": required file is missing from " + folder_);
            }
            return std::nullopt;
        }
        // A folder of that name would read as an empty file.
        if (!std::filesystem::is_regular_file(path)) {
            throw FeedError(name + ": not a file");
        }
        return FeedTable(CsvReader(path, name));
    }

    static std::string text(const FeedTable& t, int column) { return std::string(t.get(column)); }

    static std::string requiredText(const FeedTable& t, int column, const char* name) {
        std::string v = text(t, column);
        if (v.empty()) {
            t.fail(std::string("empty ") + name);
        }
        return v;
    }

    // The field as a whole number from lo to hi, or `dflt` when it is empty.
    static int intIn(const FeedTable& t, int column, const char* name, int lo, int hi, int dflt) {
        std::string_view v = t.get(column);
        if (v.empty()) {
            return dflt;
        }
        long long n = 0;
        if (!parseFeedInt(v, n) || n < lo || n > hi) {
            t.fail(std::string(name) + ": expected a whole number from " + std::to_string(lo) +
                   " to " + std::to_string(hi) + ", got \"" + std::string(v) + "\"");
        }
        return static_cast<int>(n);
    }

    static int date(const FeedTable& t, int column, const char* name) {
        int d = 0;
        if (!parseFeedDate(t.get(column), d)) {
            t.fail(std::string(name) + ": expected a date YYYYMMDD, got \"" +
                   std::string(t.get(column)) + "\"");
        }
        return d;
    }

    std::uint32_t lookup(const IdIndex& index, const FeedTable& t, int column,
                         const char* what) const {
        std::string id = text(t, column);
        auto it = index.find(id);
        if (it == index.end()) {
            t.fail(std::string("unknown ") + what + " \"" + id + "\"");
        }
        return it->second;
    }

    void loadAgencies() {
        auto t = open("agency.txt", true);
        int name = t->column("agency_name");
        while (t->next()) {
            feed_.agencyNames.push_back(text(*t, name));
        }
    }

    void loadFeedInfo() {
        auto t = open("feed_info.txt", false);
        if (!t) {
            return;
        }
        int name = t->column("feed_publisher_name");
        int start = t->optionalColumn("feed_start_date");
        int end = t->optionalColumn("feed_end_date");
        if (t->next()) {
            feed_.publisherName = text(*t, name);
            if (!t->get(start).empty() && !t->get(end).empty()) {
                feed_.feedStart = date(*t, start, "feed_start_date");
                feed_.feedEnd = date(*t, end, "feed_end_date");
                if (feed_.feedEnd < feed_.feedStart) {
                    t->fail("feed_end_date lies before feed_start_date");
                }
                feed_.hasFeedDates = true;
            }
        }
    }

    void loadStops() {
        auto t = open("stops.txt", true);
        int id = t->column("stop_id");
        int name = t->column("stop_name");
        int lat = t->optionalColumn("stop_lat");
        int lon = t->optionalColumn("stop_lon");
        int type = t->optionalColumn("location_type");
        int parent = t->optionalColumn("parent_station");
        while (t->next()) {
            FeedStop s;
            s.id = requiredText(*t, id, "stop_id");
            s.name = text(*t, name);
            s.locationType = intIn(*t, type, "location_type", 0, kMaxLocationType, 0);
            s.parentId = text(*t, parent);
            s.line = t->line();
            if (!t->get(lat).empty() || !t->get(lon).empty()) {
                if (!parseFeedDouble(t->get(lat), s.lat) || !parseFeedDouble(t->get(lon), s.lon) ||
                    s.lat < -90 || s.lat > 90 || s.lon < -180 || s.lon > 180) {
                    t->fail("stop_lat, stop_lon: expected degrees");
                }
                s.hasPosition = true;
            }
            if (s.locationType == 0 && s.name.empty()) {
                t->fail("empty stop_name");
            }
            if (!stopIndex_.emplace(s.id, feed_.stops.size()).second) {
                t->fail("stop_id \"" + s.id + "\" given twice");
            }
            feed_.stops.push_back(std::move(s));
        }
        for (const FeedStop& s : feed_.stops) {
            if (!s.parentId.empty() && stopIndex_.find(s.parentId) == stopIndex_.end()) {
                feedFail("stops.txt", s.line, "unknown parent_station \"" + s.parentId + "\"");
            }
        }
    }

    void loadRoutes() {
        auto t = open("routes.txt", true);
        int id = t->column("route_id");
        int shortName = t->optionalColumn("route_short_name");
        int longName = t->optionalColumn("route_long_name");
        int type = t->column("route_type");
        int color = t->optionalColumn("route_color");
        if (shortName < 0 && longName < 0) {
            feedFail("routes.txt", 1, "missing column route_short_name or route_long_name");
        }
        while (t->next()) {
            FeedRoute r;
            r.id = requiredText(*t, id, "route_id");
            r.shortName = text(*t, shortName);
            r.longName = text(*t, longName);
            r.type = intIn(*t, type, "route_type", 0, kMaxRouteType, -1);
            if (r.type < 0) {
                t->fail("empty route_type");
            }
            r.color = text(*t, color);
            if (!r.color.empty() &&
                (r.color.size() != 6 ||
                 r.color.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)) {
                t->fail("route_color: expected RRGGBB, got \"" + r.color + "\"");
            }
            if (!routeIndex_.emplace(r.id, feed_.routes.size()).second) {
                t->fail("route_id \"" + r.id + "\" given twice");
            }
            feed_.routes.push_back(std::move(r));
        }
    }

    std::uint32_t serviceOf(const std::string& id) {
        auto [it, added] = serviceIndex_.try_emplace(id, feed_.services.size());
        if (added) {
            FeedService s;
            s.id = id;
            feed_.services.push_back(std::move(s));
        }
        return it->second;
    }

    void loadServices() {
        auto cal = open("calendar.txt", false);
        auto dates = open("calendar_dates.txt", false);
        if (!cal && !dates) {
            throw FeedError("calendar.txt: required file is missing from " + folder_ +
                            " (and there is no calendar_dates.txt)");
        }
        if (cal) {
            static const char* kDays[] = {"monday", "tuesday",  "wednesday", "thursday",
                                          "friday", "saturday", "sunday"};
            int id = cal->column("service_id");
            int days[7];
            for (int d = 0; d < 7; ++d) {
                days[d] = cal->column(kDays[d]);
            }
            int start = cal->column("start_date");
            int end = cal->column("end_date");
            while (cal->next()) {
                std::uint32_t s = serviceOf(requiredText(*cal, id, "service_id"));
                FeedService& svc = feed_.services[s];
                if (svc.hasWeekdays) {
                    cal->fail("service_id \"" + svc.id + "\" given twice");
                }
                svc.hasWeekdays = true;
                for (int d = 0; d < 7; ++d) {
                    const int v = intIn(*cal, days[d], kDays[d], kIntMin, kIntMax, -1);
                    if (v != 0 && v != 1) {
                        cal->fail(std::string(kDays[d]) + ": expected 0 or 1");
                    }
                    svc.weekdays[static_cast<std::size_t>(d)] = v == 1;
                }
                svc.start = date(*cal, start, "start_date");
                svc.end = date(*cal, end, "end_date");
                if (svc.end < svc.start) {
                    cal->fail("end_date lies before start_date");
                }
            }
        }
        if (dates) {
            int id = dates->column("service_id");
            int day = dates->column("date");
            int type = dates->column("exception_type");
            while (dates->next()) {
                std::uint32_t s = serviceOf(requiredText(*dates, id, "service_id"));
                int d = date(*dates, day, "date");
                const int e = intIn(*dates, type, "exception_type", kIntMin, kIntMax, -1);
                if (e == 1) {
                    feed_.services[s].added.push_back(d);
                } else if (e == 2) {
                    feed_.services[s].removed.push_back(d);
                } else {
                    dates->fail("exception_type: expected 1 or 2");
                }
            }
        }
    }

    void loadTrips() {
        auto t = open("trips.txt", true);
        int route = t->column("route_id");
        int service = t->column("service_id");
        int id = t->column("trip_id");
        while (t->next()) {
            FeedTrip trip;
            trip.route = lookup(routeIndex_, *t, route, "route_id");
            trip.service = lookup(serviceIndex_, *t, service, "service_id");
            trip.id = requiredText(*t, id, "trip_id");
            if (!tripIndex_.emplace(trip.id, feed_.trips.size()).second) {
                t->fail("trip_id \"" + trip.id + "\" given twice");
            }
            feed_.trips.push_back(std::move(trip));
        }
    }

    struct TripProgress {
        long long lastSequence = std::numeric_limits<long long>::min();
        int lastDeparture = -1;
        double lastDist = -1;
        bool lastTimed = true;
        std::size_t lastLine = 0;
    };

    void loadStopTimes() {
        auto t = open("stop_times.txt", true);
        int trip = t->column("trip_id");
        int arr = t->column("arrival_time");
        int dep = t->column("departure_time");
        int stop = t->column("stop_id");
        int seq = t->column("stop_sequence");
        int pickup = t->optionalColumn("pickup_type");
        int dropOff = t->optionalColumn("drop_off_type");
        int dist = t->optionalColumn("shape_dist_traveled");

        std::vector<FeedStopTime> rows;
        std::vector<std::uint32_t> tripOfRow;
        std::vector<TripProgress> progress(feed_.trips.size());
        while (t->next()) {
            std::uint32_t tr = lookup(tripIndex_, *t, trip, "trip_id");
            FeedStopTime st;
            st.stop = lookup(stopIndex_, *t, stop, "stop_id");
            if (feed_.stops[st.stop].locationType != 0) {
                t->fail("stop_id \"" + feed_.stops[st.stop].id +
                        "\" is a station or entrance, not a stop or platform");
            }
            const long long sequence = intIn(*t, seq, "stop_sequence", 0, kMaxSequence, -1);
            if (sequence < 0) {
                t->fail("empty stop_sequence");
            }
            TripProgress& pr = progress[tr];
            if (sequence <= pr.lastSequence) {
                t->fail("stop_sequence " + std::to_string(sequence) + " of trip \"" +
                        feed_.trips[tr].id + "\" does not follow " +
                        std::to_string(pr.lastSequence) +
                        " (rows of a trip must be in increasing stop_sequence order)");
            }
            const bool first = pr.lastSequence == std::numeric_limits<long long>::min();
            pr.lastSequence = sequence;
            pr.lastLine = t->line();
            std::string_view a = t->get(arr), d = t->get(dep);
            pr.lastTimed = !a.empty() || !d.empty();
            if (!pr.lastTimed) {
                // A stop between timed stops: its times are interpolated once the trip is
                // complete. The first and the last stop must have times.
                if (first) {
                    t->fail("the first stop of trip \"" + feed_.trips[tr].id +
                            "\" has no arrival_time or departure_time");
                }
                st.arr = st.dep = kUntimed;
            } else {
                if ((!a.empty() && !parseFeedTime(a, st.arr)) ||
                    (!d.empty() && !parseFeedTime(d, st.dep))) {
                    t->fail("expected times H:MM:SS");
                }
                if (a.empty()) {
                    st.arr = st.dep;
                }
                if (d.empty()) {
                    st.dep = st.arr;
                }
                if (st.dep < st.arr || st.arr < pr.lastDeparture) {
                    t->fail("times of trip \"" + feed_.trips[tr].id + "\" go backwards");
                }
                pr.lastDeparture = st.dep;
            }
            st.board = intIn(*t, pickup, "pickup_type", 0, kMaxPickupType, 0) != 1;
            st.alight = intIn(*t, dropOff, "drop_off_type", 0, kMaxPickupType, 0) != 1;
            if (!t->get(dist).empty()) {
                if (!parseFeedDouble(t->get(dist), st.dist) || st.dist < 0) {
                    t->fail("shape_dist_traveled: expected a distance of 0 or more");
                }
                if (st.dist < pr.lastDist) {
                    t->fail("shape_dist_traveled of trip \"" + feed_.trips[tr].id +
                            "\" goes backwards");
                }
                pr.lastDist = st.dist;
            }
            rows.push_back(st);
            tripOfRow.push_back(tr);
        }
        for (std::size_t tr = 0; tr < progress.size(); ++tr) {
            if (!progress[tr].lastTimed) {
                feedFail(t->file(), progress[tr].lastLine,
                         "the last stop of trip \"" + feed_.trips[tr].id +
                             "\" has no arrival_time or departure_time");
            }
        }
        // Group the rows by trip, keeping each trip's rows in file order.
        for (std::uint32_t tr : tripOfRow) {
            ++feed_.trips[tr].stopTimeCount;
        }
        std::uint32_t next = 0;
        for (FeedTrip& tr : feed_.trips) {
            tr.firstStopTime = next;
            next += tr.stopTimeCount;
        }
        std::vector<std::uint32_t> fill(feed_.trips.size(), 0);
        feed_.stopTimes.resize(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::uint32_t tr = tripOfRow[i];
            feed_.stopTimes[feed_.trips[tr].firstStopTime + fill[tr]++] = rows[i];
        }
        for (const FeedTrip& tr : feed_.trips) {
            if (tr.stopTimeCount > 0) {
                interpolate(&feed_.stopTimes[tr.firstStopTime], tr.stopTimeCount);
            }
        }
    }

    // Times of untimed stops evenly between the timed stops around them (whole minutes,
    // rounded down, so that they never go backwards).
    void interpolate(FeedStopTime* st, std::uint32_t count) {
        std::uint32_t before = 0;
        for (std::uint32_t p = 1; p < count; ++p) {
            if (st[p].arr == kUntimed) {
                continue;
            }
            const long from = st[before].dep, to = st[p].arr, span = p - before;
            for (std::uint32_t k = before + 1; k < p; ++k) {
                st[k].arr = st[k].dep = static_cast<int>(from + (to - from) * (k - before) / span);
                ++feed_.interpolatedStopTimes;
            }
            before = p;
        }
    }

    void loadTransfers() {
        auto t = open("transfers.txt", false);
        if (!t) {
            return;
        }
        int from = t->column("from_stop_id");
        int to = t->column("to_stop_id");
        int type = t->column("transfer_type");
        int minTime = t->optionalColumn("min_transfer_time");
        while (t->next()) {
            if (t->get(from).empty() || t->get(to).empty()) {
                continue;  // transfers between trips or routes only: not walking links
            }
            FeedTransfer tr;
            tr.from = lookup(stopIndex_, *t, from, "from_stop_id");
            tr.to = lookup(stopIndex_, *t, to, "to_stop_id");
            tr.type = intIn(*t, type, "transfer_type", 0, kMaxTransferType, 0);
            tr.minSeconds = intIn(*t, minTime, "min_transfer_time", 0, kMaxTransferSeconds, -1);
            if (tr.type == 2 && tr.minSeconds < 0) {
                t->fail("transfer_type 2 needs min_transfer_time");
            }
            feed_.transfers.push_back(tr);
        }
    }

    std::string folder_;
    Feed feed_;
    IdIndex stopIndex_, routeIndex_, serviceIndex_, tripIndex_;
};

}  // namespace

Feed loadFeed(const std::string& folder) {
    return Loader(folder).load();
}

}  // namespace gtfs2jz
