// Set-up of a search run: mirrored time for an arrival search, the start shift, validity of
// the timetables, the windows, and the marking of the From, To and via stops.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "engine/search/connections/FileSearchTables.h"

namespace trasovnik::searchrun {

std::int32_t Searcher::setUp(const cZadaniHledani& request, int currentMinute, int currentDay) {
    if (request.from.empty() || request.to.empty()) {
        return kSearchNoCandidates;
    }
    work_ = request;
    mirrored_ = request.arrival != 0;
    tripTables_.clear();
    for (std::size_t tt = 0; tt < combination_.count(); ++tt) {
        tripTables_.push_back(&combination_.timetable(tt).trips);
    }
    std::int32_t minute = work_.minute;
    std::int32_t day = work_.day;
    if (mirrored_) {
        minute = 1439 - minute;
        day = kMirrorDay - day;
        std::swap(work_.from, work_.to);
    }
    // Request minutes are local at the first From stop; the search runs on timetable minutes.
    // Mirrored minutes run backwards, so there the shift is added.
    const cZastavkaZadani& first = work_.from.front();
    const int shift = shiftOf(static_cast<std::size_t>(first.timetable), first.stop);
    minute = mirrored_ ? minute + shift : minute - shift;
    while (minute < 0) {
        minute += kMinutesPerDay;
        --day;
    }
    while (minute >= kMinutesPerDay) {
        minute -= kMinutesPerDay;
        ++day;
    }
    startMinute_ = minute;
    startDay_ = day;
    base_ = static_cast<std::int64_t>(day) * kMinutesPerDay + minute;

    bool valid = false;
    for (std::size_t tt = 0; tt < combination_.count() && !valid; ++tt) {
        const cKalendare& c = trips(tt).calendars();
        std::int32_t lo = c.firstDay(), hi = c.lastDay();
        if (mirrored_) {
            lo = kMirrorDay - c.lastDay();
            hi = kMirrorDay - c.firstDay();
        }
        valid = lo <= startDay_ && startDay_ <= hi;
    }
    if (!valid) {
        return kSearchNoValidTimetable;
    }

    params_.prepare();
    wanted_ = params_.wantedConnections();
    standardWindow_ = params_.standardWindow();
    maximumWindow_ = params_.maximumWindow();
    endRel_ = maximumWindow_;
    hasVia_ = !work_.via.empty();

    if (mirrored_ && !nextOrPrevious_) {
        const std::int64_t t = base_;
        const std::int64_t now =
            (1439 - currentMinute) +
            static_cast<std::int64_t>(kMirrorDay - currentDay) * kMinutesPerDay;
        if (t + 15 < now) {
            standardWindow_ = static_cast<std::int32_t>(
                std::max<std::int64_t>(15, std::min<std::int64_t>(standardWindow_, now - t)));
        }
    }
    progressStep_ = std::max(standardWindow_ / 20, 1);
    nextProgress_ = progressStep_;

    buckets_.assign(static_cast<std::size_t>(maximumWindow_) + 1, Bucket{});
    const std::size_t n = combination_.count();
    fromIndex_.resize(n);
    toIndex_.resize(n);
    index_.assign(n, nullptr);
    for (std::size_t tt = 0; tt < n; ++tt) {
        for (std::uint32_t& f : params_.record(tt).stopFlags) {
            f &= ~kStopRequestBits;
        }
        fromIndex_[tt].assign(combination_.stopCount(tt), -1);
        toIndex_[tt].assign(combination_.stopCount(tt), -1);
        index_[tt] = &searchTablesOf(combination_.loaded(tt)).departures(mirrored_);
    }
    // What the last run learnt of the days trips run on is about its own days: forgotten
    // trip by trip, so that a short run costs no clearing of every trip.
    for (const std::uint32_t touched : scratch_.runsTouched) {
        scratch_.runsMemo[touched >> 24][touched & 0xFFFFFF] = 0;
    }
    scratch_.runsTouched.clear();
    if (scratch_.runsMemo.size() < n) {
        scratch_.runsMemo.resize(n);
    }
    for (std::size_t tt = 0; tt < n; ++tt) {
        const std::size_t size = trips(tt).tripCount();
        if (scratch_.runsMemo[tt].size() != size) {
            scratch_.runsMemo[tt].assign(size, 0);
        }
    }

    // Marks one list; returns the number of stops marked.
    auto mark = [&](bool asFrom, bool onlyOwn) {
        int marked = 0;
        const auto& list = asFrom ? work_.from : work_.to;
        for (std::size_t k = 0; k < list.size(); ++k) {
            const cZastavkaZadani& c = list[k];
            if (onlyOwn && c.walkMinutes != 0) {
                continue;
            }
            const auto tt = static_cast<std::size_t>(c.timetable);
            std::uint32_t& f = stopFlags(tt, c.stop);
            if ((f & (kStopFrom | kStopTo)) != 0) {
                continue;
            }
            if (asFrom) {
                f |= kStopFrom | (c.walkMinutes != 0 ? kStopFromOnFoot : 0);
                fromIndex_[tt][c.stop] = static_cast<std::int32_t>(k);
            } else {
                f |= kStopTo | (c.walkMinutes != 0 ? kStopToOnFoot : 0);
                toIndex_[tt][c.stop] = static_cast<std::int32_t>(k);
            }
            ++marked;
        }
        return marked;
    };
    int secondAndFourth = 0;
    if (work_.to.size() < work_.from.size()) {
        mark(false, true);
        secondAndFourth += mark(true, true);
        mark(false, false);
        secondAndFourth += mark(true, false);
    } else {
        mark(true, true);
        secondAndFourth += mark(false, true);
        mark(true, false);
        secondAndFourth += mark(false, false);
    }
    if (secondAndFourth == 0) {
        return kSearchOverlap;
    }
    for (const cZastavkaZadani& v : work_.via) {
        stopFlags(static_cast<std::size_t>(v.timetable), v.stop) |= kStopVia;
    }
    return 0;
}

}  // namespace trasovnik::searchrun
