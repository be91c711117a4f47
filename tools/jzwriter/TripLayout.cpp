#include "tools/jzwriter/TripLayout.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "tools/jzwriter/TripTimes.h"

namespace jz {

namespace {

using nlohmann::json;

constexpr std::uint16_t kBoarding = 0x8000;
constexpr std::uint16_t kAlighting = 0x4000;
constexpr std::int64_t kNoDistance = 0x3FFF;
constexpr std::int64_t kInOverflow = 0x3FFE;
constexpr int kMaxPackedMinutes = 1023;
constexpr int kMaxDwell = 63;

// One stop of a trip as the description gives it.
struct WantedStop {
    std::uint16_t stop = 0;
    bool board = true;
    bool alight = true;
    std::uint8_t note = 0;
    std::int64_t step = -1;  // distance from the previous stop of the trip; -1 when unknown
};

std::uint16_t noteListOf(CompileContext& ctx, const json& ids, const std::string& where) {
    const std::uint32_t attachment = internNoteIds(ctx, ids);
    if (attachment > 0xFFFF) {
        throw CompileError(where + ": too many distinct note lists");
    }
    return static_cast<std::uint16_t>(attachment);
}

class Builder {
public:
    explicit Builder(CompileContext& ctx) : ctx_(ctx) {}

    TripLayout build() {
        std::size_t stopCount = ctx_.doc.contains("stops") ? ctx_.doc.at("stops").size() : 0;
        out_.passageCountOfStop.assign(stopCount, 0);
        // A reference, not a copy: a national-scale description holds millions of values.
        static const json kNoTrips = json::array();
        const json& trips = ctx_.doc.contains("trips") ? ctx_.doc.at("trips") : kNoTrips;
        for (std::size_t i = 0; i < trips.size(); ++i) {
            addTrip(trips[i], "trips[" + std::to_string(i) + "]");
        }
        return finish(stopCount);
    }

    TripLayout build(const CompactTripTable& table) {
        std::size_t stopCount = ctx_.doc.contains("stops") ? ctx_.doc.at("stops").size() : 0;
        out_.passageCountOfStop.assign(stopCount, 0);
        out_.trips.reserve(table.trips.size());
        for (std::size_t i = 0; i < table.trips.size(); ++i) {
            addCompactTrip(table, table.trips[i], i, stopCount);
        }
        return finish(stopCount);
    }

private:
    TripLayout finish(std::size_t stopCount) {
        resolvePatterns();
        for (const LaidTrip& t : out_.trips) {
            for (std::uint16_t s : t.stops) {
                ++out_.passageCountOfStop.at(s);
            }
        }
        for (std::size_t s = 0; s < stopCount; ++s) {
            if (out_.passageCountOfStop[s] > 0xFFFF) {
                throw CompileError("stops[" + std::to_string(s) + "]: more than 65535 passages");
            }
        }
        if (out_.trips.size() > 0x40000) {
            throw CompileError("trips: more than 262144 trips");
        }
        if (out_.routes.size() > 0x40000) {
            throw CompileError("trips: more than 262144 route records");
        }
        return std::move(out_);
    }

    void addCompactTrip(const CompactTripTable& table, const CompactTrip& t, std::size_t index,
                        std::size_t stopCount) {
        auto where = [index] { return "trips[" + std::to_string(index) + "]"; };
        if (t.count == 0 || t.count > 255 || t.first > table.stops.size() ||
            table.stops.size() - t.first < t.count) {
            throw CompileError(where() + ".stops: a trip has 1 to 255 stops");
        }
        if (t.line >= lineCount()) {
            throw CompileError(where() + ": unknown line " + std::to_string(t.line));
        }
        if (t.calendar >= calendarCount()) {
            throw CompileError(where() + ": unknown calendar " + std::to_string(t.calendar));
        }
        LaidTrip trip;
        trip.noRideWithinGroup = t.noRideWithinGroup;
        std::vector<WantedStop>& wanted = scratch_;
        wanted.clear();
        trip.stops.reserve(t.count);
        trip.arrivals.reserve(t.count);
        trip.departures.reserve(t.count);
        for (std::uint32_t p = 0; p < t.count; ++p) {
            const CompactTripStop& s = table.stops[t.first + p];
            if (s.stop >= stopCount) {
                throw CompileError(where() + ".stops[" + std::to_string(p) + "]: unknown stop " +
                                   std::to_string(s.stop));
            }
            WantedStop w;
            w.stop = s.stop;
            w.board = s.board;
            w.alight = s.alight;
            w.step = p > 0 ? s.step : -1;
            if (s.arr < 0 || s.dep < s.arr || (p > 0 && s.arr < trip.departures.back())) {
                throw CompileError(where() + ".stops[" + std::to_string(p) +
                                   "]: times go backwards");
            }
            trip.arrivals.push_back(s.arr);
            trip.departures.push_back(s.dep);
            wanted.push_back(w);
            trip.stops.push_back(w.stop);
        }
        addLaidTrip(std::move(trip), wanted, t.line, t.calendar, t.inThousands, 0, where());
    }

    std::size_t lineCount() const {
        return ctx_.doc.contains("lines") ? ctx_.doc.at("lines").size() : 0;
    }
    std::size_t calendarCount() const {
        return ctx_.doc.contains("calendars") ? ctx_.doc.at("calendars").size() : 0;
    }

    std::uint8_t passageNote(const json& ids, const std::string& where) {
        std::uint32_t attachment = noteListOf(ctx_, ids, where);
        if (attachment == 0) {
            return 0;
        }
        auto& table = out_.passageNoteTable;
        auto it = std::find(table.begin(), table.end(), attachment);
        if (it == table.end()) {
            if (table.size() == 255) {
                throw CompileError(where + ": more than 255 distinct passage note lists");
            }
            table.push_back(attachment);
            it = table.end() - 1;
        }
        out_.itemNotes = true;
        return static_cast<std::uint8_t>(it - table.begin() + 1);
    }

    void addTrip(const json& t, const std::string& where) {
        LaidTrip trip;
        std::uint16_t line = static_cast<std::uint16_t>(
            lookupId(ctx_.lineIndex, t.at("line").get<std::string>(), "line"));
        std::uint16_t calendar = static_cast<std::uint16_t>(
            lookupId(ctx_.calendarIndex, t.at("calendar").get<std::string>(), "calendar"));
        std::string unit = t.value("distanceUnit", std::string("m"));
        if (unit != "m" && unit != "km") {
            throw CompileError(where + ".distanceUnit: expected \"m\" or \"km\"");
        }
        bool inThousands = unit == "km";
        trip.noRideWithinGroup = t.value("noRideWithinGroup", false);

        const json& stops = t.at("stops");
        if (stops.empty() || stops.size() > 255) {
            throw CompileError(where + ".stops: a trip has 1 to 255 stops");
        }
        std::vector<WantedStop> wanted;
        for (std::size_t p = 0; p < stops.size(); ++p) {
            const json& s = stops[p];
            std::string at = where + ".stops[" + std::to_string(p) + "]";
            WantedStop w;
            w.stop = static_cast<std::uint16_t>(
                lookupId(ctx_.stopIndex, s.at("stop").get<std::string>(), "stop"));
            w.board = s.value("board", true);
            w.alight = s.value("alight", true);
            w.note = passageNote(s.value("notes", json::array()), at);
            if (!s.contains("arr") && !s.contains("dep")) {
                throw CompileError(at + ": needs \"arr\" or \"dep\"");
            }
            int arr = parseTripTime(s.contains("arr") ? s.at("arr") : s.at("dep"), at + ".arr");
            int dep = parseTripTime(s.contains("dep") ? s.at("dep") : s.at("arr"), at + ".dep");
            if (dep < arr || (p > 0 && arr < trip.departures.back())) {
                throw CompileError(at + ": times go backwards");
            }
            trip.arrivals.push_back(arr);
            trip.departures.push_back(dep);
            // The distance from the previous stop; the first stop has none.
            if (p > 0 && s.contains("dist")) {
                w.step = s.at("dist").get<std::int64_t>();
                if (w.step < 0) {
                    throw CompileError(at + ".dist: a distance may not be negative");
                }
            }
            wanted.push_back(w);
            trip.stops.push_back(w.stop);
        }
        addLaidTrip(std::move(trip), wanted, line, calendar, inThousands,
                    noteListOf(ctx_, t.value("notes", json::array()), where), where);
    }

    // What both front ends share once a trip's stops and times are known.
    void addLaidTrip(LaidTrip trip, const std::vector<WantedStop>& wanted, std::uint16_t line,
                     std::uint16_t calendar, bool inThousands, std::uint16_t notes,
                     const std::string& where) {
        trip.start = trip.arrivals.front();
        if (trip.start >= 1440) {
            throw CompileError(where + ": a trip starts before 24:00 of its calendar's day");
        }
        trip.stopCount = static_cast<std::uint8_t>(wanted.size());

        placeOnRoute(trip, wanted, line, inThousands, where);
        choosePatterns(trip, where);

        ValidityEntry v{notes, 0, calendar};
        auto [it, added] = validityIndex_.try_emplace(v, out_.validity.size());
        if (added) {
            out_.validity.push_back(v);
        }
        if (it->second > 0xFFFF) {
            throw CompileError(where + ": too many distinct validity entries");
        }
        trip.validity = static_cast<std::uint16_t>(it->second);
        out_.trips.push_back(std::move(trip));
    }

    // Whether item `item` serves the wanted stop (ignoring its distance step).
    bool sameItem(std::size_t item, const WantedStop& w) const {
        const LaidStopItem& i = out_.items[item];
        return i.stop == w.stop && ((i.packed & kBoarding) != 0) == w.board &&
               ((i.packed & kAlighting) != 0) == w.alight && i.note == w.note;
    }

    // Finds a run of an existing route of the line that the trip can use, forwards or
    // backwards; else makes a new route over new stop items.
    void placeOnRoute(LaidTrip& trip, const std::vector<WantedStop>& wanted, std::uint16_t line,
                      bool inThousands, const std::string& where) {
        const std::size_t c = wanted.size();
        // Only the routes of the trip's line, in the order they were made.
        std::vector<std::uint32_t>& ofLine = routesOfLine_[{line, inThousands}];
        for (std::uint32_t r : ofLine) {
            const LaidRoute& route = out_.routes[r];
            if (route.length < c) {
                continue;
            }
            for (std::size_t o = 0; o + c <= route.length && o <= 255; ++o) {
                for (bool reversed : {false, true}) {
                    if (fits(route.offset + o, wanted, reversed)) {
                        trip.route = static_cast<std::uint32_t>(r);
                        trip.firstOffset = static_cast<std::uint8_t>(o);
                        trip.reversed = reversed;
                        return;
                    }
                }
            }
        }
        LaidRoute route;
        route.offset = static_cast<std::uint32_t>(out_.items.size());
        route.length = static_cast<std::uint32_t>(c);
        route.line = line;
        // Every line has one own name, in line order.
        route.lineNameIndex = line;
        route.inThousands = inThousands;
        if (route.offset + c > 0xFFFFFF) {
            throw CompileError(where + ": too many stop items");
        }
        for (std::size_t p = 0; p < c; ++p) {
            const WantedStop& w = wanted[p];
            LaidStopItem item;
            item.stop = w.stop;
            item.note = w.note;
            item.step = w.step;
            std::int64_t code = w.step < 0 ? kNoDistance : std::min(w.step, kInOverflow);
            if (code == kInOverflow) {
                if (w.step > 0xFFFFFFFF) {
                    throw CompileError(where + ": a distance step does not fit in 32 bits");
                }
                out_.overflow.emplace_back(static_cast<std::uint32_t>(out_.items.size()),
                                           static_cast<std::uint32_t>(w.step));
            }
            item.packed = static_cast<std::uint16_t>((w.board ? kBoarding : 0) |
                                                     (w.alight ? kAlighting : 0) | code);
            out_.items.push_back(item);
        }
        trip.route = static_cast<std::uint32_t>(out_.routes.size());
        trip.firstOffset = 0;
        trip.reversed = false;
        ofLine.push_back(trip.route);
        out_.routes.push_back(route);
    }

    // Whether the trip can take the items from `first` on: the same stops with the same
    // flags, and the distance steps between its positions that the engine will sum.
    bool fits(std::size_t first, const std::vector<WantedStop>& wanted, bool reversed) const {
        const std::size_t c = wanted.size();
        for (std::size_t p = 0; p < c; ++p) {
            std::size_t item = reversed ? first + c - 1 - p : first + p;
            if (!sameItem(item, wanted[p])) {
                return false;
            }
            if (p > 0) {
                // The step between positions p - 1 and p belongs to the later item on the run.
                std::size_t stepItem = reversed ? item + 1 : item;
                if (out_.items[stepItem].step != wanted[p].step) {
                    return false;
                }
            }
        }
        return true;
    }

    void choosePatterns(LaidTrip& trip, const std::string& where) {
        bool packed = true;
        for (std::size_t p = 0; p < trip.stops.size(); ++p) {
            int arr = trip.arrivals[p] - trip.start;
            int dwell = trip.departures[p] - trip.arrivals[p];
            packed = packed && arr <= kMaxPackedMinutes && dwell <= kMaxDwell;
            if (trip.departures[p] - trip.start > 0x7FFF) {
                throw CompileError(where + ": a trip may not run for more than 32767 minutes");
            }
        }
        if (packed) {
            std::vector<std::uint16_t> row;
            for (std::size_t p = 0; p < trip.stops.size(); ++p) {
                int arr = trip.arrivals[p] - trip.start;
                int dwell = trip.departures[p] - trip.arrivals[p];
                row.push_back(static_cast<std::uint16_t>(arr << 6 | dwell));
            }
            std::uint32_t i = intern(packedIndex_, out_.packedPatterns, row);
            trip.arrivalPattern = trip.departurePattern = static_cast<std::uint16_t>(i);
            packedTrips_.push_back(out_.trips.size());
        } else {
            std::vector<std::int16_t> arr, dep;
            for (std::size_t p = 0; p < trip.stops.size(); ++p) {
                arr.push_back(static_cast<std::int16_t>(trip.arrivals[p] - trip.start));
                dep.push_back(static_cast<std::int16_t>(trip.departures[p] - trip.start));
            }
            trip.arrivalPattern =
                static_cast<std::uint16_t>(intern(plainIndex_, out_.plainPatterns, arr));
            trip.departurePattern =
                static_cast<std::uint16_t>(intern(plainIndex_, out_.plainPatterns, dep));
        }
    }

    template <typename T>
    static std::uint32_t intern(std::map<std::vector<T>, std::uint32_t>& index,
                                std::vector<std::vector<T>>& rows, const std::vector<T>& row) {
        auto [it, added] = index.try_emplace(row, static_cast<std::uint32_t>(rows.size()));
        if (added) {
            rows.push_back(row);
        }
        return it->second;
    }

    // Plain rows follow the packed rows in one index space.
    void resolvePatterns() {
        std::size_t packedCount = out_.packedPatterns.size();
        if (packedCount + out_.plainPatterns.size() > 0x10000) {
            throw CompileError("trips: more than 65536 distinct time patterns");
        }
        std::vector<bool> isPacked(out_.trips.size(), false);
        for (std::size_t t : packedTrips_) {
            isPacked[t] = true;
        }
        for (std::size_t t = 0; t < out_.trips.size(); ++t) {
            if (!isPacked[t]) {
                out_.trips[t].arrivalPattern =
                    static_cast<std::uint16_t>(out_.trips[t].arrivalPattern + packedCount);
                out_.trips[t].departurePattern =
                    static_cast<std::uint16_t>(out_.trips[t].departurePattern + packedCount);
            }
        }
    }

    CompileContext& ctx_;
    TripLayout out_;
    std::map<ValidityEntry, std::size_t> validityIndex_;
    std::map<std::vector<std::uint16_t>, std::uint32_t> packedIndex_;
    std::map<std::vector<std::int16_t>, std::uint32_t> plainIndex_;
    std::vector<std::size_t> packedTrips_;
    std::map<std::pair<std::uint16_t, bool>, std::vector<std::uint32_t>> routesOfLine_;
    std::vector<WantedStop> scratch_;
};

}  // namespace

TripLayout layoutTrips(CompileContext& ctx) {
    return Builder(ctx).build();
}

TripLayout layoutTrips(CompileContext& ctx, const CompactTripTable& table) {
    return Builder(ctx).build(table);
}

PassageRows layoutPassages(const TripLayout& layout, std::size_t stopCount) {
    PassageRows rows;
    rows.byStop.resize(stopCount);
    rows.mirrored.resize(stopCount);
    for (std::size_t t = 0; t < layout.trips.size(); ++t) {
        const LaidTrip& trip = layout.trips[t];
        const std::size_t c = trip.stops.size();
        for (std::size_t p = 0; p < c; ++p) {
            std::uint16_t s = trip.stops[p];
            rows.byStop[s].push_back({static_cast<std::uint32_t>(t), static_cast<std::uint8_t>(p),
                                      trip.departures[p] % 1440});
            rows.mirrored[s].push_back({static_cast<std::uint32_t>(t),
                                        static_cast<std::uint8_t>(c - 1 - p),
                                        1439 - trip.arrivals[p] % 1440});
        }
    }
    auto byMinute = [](const LaidPassage& a, const LaidPassage& b) {
        return std::tie(a.minute, a.trip, a.position) < std::tie(b.minute, b.trip, b.position);
    };
    for (auto& row : rows.byStop) {
        std::sort(row.begin(), row.end(), byMinute);
    }
    for (auto& row : rows.mirrored) {
        std::sort(row.begin(), row.end(), byMinute);
    }
    return rows;
}

}  // namespace jz
