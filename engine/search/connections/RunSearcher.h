#pragma once
// The state of one connection search run and its steps. Its parts live in files of their own:
// set-up (RunSetUp), seeding at the From stops (RunSeeding), the departures of a stop
// (RunDepartures.h), transfers (RunTransfers), labels in the minute buckets (RunLabels),
// candidate paths (RunPaths), acceptance and selection (RunSelection), the walk between the
// places (RunWalk), the minute loop (RunLoop) and the result (RunResult).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/connections/CandidatePath.h"
#include "engine/search/connections/ConnectionSearch.h"
#include "engine/search/connections/DepartureCache.h"
#include "engine/search/connections/EventTable.h"
#include "engine/search/connections/FoundConnections.h"
#include "engine/search/connections/LabelDominance.h"
#include "engine/search/connections/RecordPool.h"
#include "engine/search/connections/RunBoarder.h"
#include "engine/search/connections/RunCandidate.h"
#include "engine/search/connections/RunConstants.h"
#include "engine/search/connections/RunDeparture.h"
#include "engine/search/connections/RunLabels.h"
#include "engine/search/connections/RunPathStore.h"
#include "engine/search/connections/SearchRun.h"
#include "engine/search/connections/StopDepartureIndex.h"
#include "engine/search/connections/TripIdentity.h"
#include "engine/search/results/SearchParameters.h"
#include "engine/search/results/SearchRequest.h"
#include "engine/search/results/SearchResult.h"
#include "platform/core/Types.h"

namespace trasovnik::searchrun {

using Bucket = SearchBucket;

class Searcher {
public:
    Searcher(cHledani& searcher, cSestava& set, RunPages& pages, SearchScratch& scratch)
        : searcher_(searcher),
          combination_(set.combination()),
          params_(set.parameters()),
          scratch_(scratch),
          counters_(scratch.counters),
          buckets_(scratch.buckets),
          fromIndex_(scratch.fromIndex),
          toIndex_(scratch.toIndex),
          labels_(pages),
          stopEntries_(pages),
          tripEntries_(pages),
          nodes_(pages) {}

    RunOutcome run(const cZadaniHledani& request, bool nextOrPrevious, int currentMinute,
                   int currentDay, platform::WindowHandle window);

private:
    std::int32_t setUp(const cZadaniHledani& request, int currentMinute, int currentDay);
    std::int32_t mainLoop();
    // Whether, times aside, a journey of at most the request's transfers can ride from a From
    // stop to a To stop; when none can, the search has nothing to find.
    bool toReachable();
    // Whether a To stop can be reached in time by rides under the search's own rules, each
    // taken more loosely than the search takes it (RunReachInTime); when none can, the search
    // has nothing to find.
    bool toReachableInTime();
    bool advance(std::int32_t& b);
    void sendProgress(std::int32_t percent);
    void seed(std::int32_t b);
    // Whether seeding boards a departure `time` minutes after the start at From candidate
    // `fromIndex`: the traveller reaches the stop on foot by then and leaves the From place
    // within the standard window.
    bool seededAt(std::int32_t fromIndex, std::int32_t time) const;
    // Whether From entry k starts the search: its stop may be left from, and no earlier entry
    // names the same stop.
    bool seedsFrom(std::size_t k) const;
    const std::vector<Departure>& departures(std::size_t tt, std::uint16_t stop);
    void processBucket(std::int32_t b);
    void processStopEntry(StopEntry* e, std::int32_t time);
    void processTripEntry(TripEntry* e, std::int32_t time);
    // The changes at the stop of entry `e` of the labels `changing` (of that entry, in its
    // order) that arrived at `time`.
    void changesFrom(const std::vector<Label*>& changing, const StopEntry& e, std::int32_t time,
                     bool atVia);
    // The labels `bases` (as they leave trip of timetable `tt` at `time`) board the
    // departures of the transfer targets.
    void boardChanges(const std::vector<Label>& bases, std::size_t tt, std::int32_t time);
    // What boarding did, for the run's counters.
    struct BoardingTally {
        std::uint64_t boarded = 0, droppedAtOnce = 0, made = 0;
    };
    // A label made for boarder `b` on departure `d` with values `v`, filed on `ev`.
    void boardLabel(const Boarder& b, const BoardedValues& v, const Departure& d, TripEntry& ev,
                    std::int32_t waited, std::int32_t walk, std::uint32_t sc);
    // Calls `visit(tripDay)` for the days on which trips of call `c` start that depart from
    // `from` to before `limit`, in order, until it returns false.
    template <class Visit>
    void forEachDayOf(const StopDepartureIndex& index, const StopDepartureIndex::Call& c,
                      std::int32_t from, std::int32_t limit, Visit&& visit) const;
    // The minute, relative to the run's start, of the call's first departure by a trip that
    // starts on `tripDay`.
    std::int64_t dayStart(const StopDepartureIndex& index, const StopDepartureIndex::Call& c,
                          std::int32_t tripDay) const;
    // Calls `visit(place, departure)` for the usable departures of call `c` of timetable `tt`
    // by trips that start on `tripDay` and run, from `from` to before `limit`, by time, until
    // it returns false. `place` is the trip's place in index.trips(). `excludeTrip` is left
    // out (kNoTrip: none).
    template <class Visit>
    void forEachOnDay(std::size_t tt, const StopDepartureIndex& index,
                      const StopDepartureIndex::Call& c, std::int32_t tripDay, std::int32_t from,
                      std::int32_t limit, std::uint32_t excludeTrip, Visit&& visit) const;
    static constexpr std::uint32_t kNoTrip = 0xFFFFFFFFu;
    // A departure with its place among the departures of its stop and minute, and the minutes
    // it rides to its trip's last stop.
    struct TiedDeparture {
        Departure d;
        std::uint64_t tie;
        std::int32_t ride;
        bool operator<(const TiedDeparture& o) const {
            return d.time != o.d.time ? d.time < o.d.time : tie < o.tie;
        }
    };
    // Every usable departure that runs at a stop from `from` to before `limit`, by time.
    void allDepartures(std::size_t tt, std::uint16_t stop, std::int32_t from, std::int32_t limit,
                       std::vector<TiedDeparture>& out) const;
    // The departures a transfer from a stop reaches at one stop: per group its first one from
    // `earliest` on and those that overtake it (not `excludeTrip` of `fromTt`, the trip just
    // left), by time.
    void gatherBoarding(std::size_t tt, std::uint16_t stop, std::int32_t earliest,
                        std::size_t fromTt, std::uint32_t excludeTrip, std::vector<Departure>& out);
    // The departures gatherBoarding finds from `earliest` on at a stop, with no trip left out,
    // gathered once in the run: every stop entry that reaches the stop at that minute meets
    // the same ones.
    std::span<const Departure> boardingAt(std::size_t tt, std::uint16_t stop,
                                          std::int32_t earliest);
    struct GatheredRange {
        std::uint32_t begin, end;  // range of gatheredDepartures_
        bool known;                // false for a key not yet gathered
    };
    // Departures boardingAt keeps before it starts anew (1 MB of them).
    static constexpr std::size_t kGatheredLimit = 1 << 16;
    struct TransferTarget {
        std::size_t tt;
        std::uint16_t stop;
        std::uint8_t walk;         // minutes walked to the stop of the departures
        std::uint32_t begin, end;  // range of transferDepartures_, or of gatheredDepartures_
        bool gathered;             // ... when boardingAt's departures serve as they are
    };
    struct TransferKey {
        std::int32_t tripDay;
        std::uint32_t trip;
        std::int32_t time;
        std::uint16_t stop;
        std::uint8_t tt;
        bool operator==(const TransferKey&) const = default;
    };
    // The boarders `row` (`count` of them) board the departures of target `t`; `all` is at
    // least as good as each of them.
    void boardTarget(const TransferTarget& t, const Boarder* row, std::size_t count,
                     const Boarder& all, std::int32_t time, std::int32_t safe,
                     BoardingTally& tally);
    // The event of a trip at a position on a trip day, made when new; null when `time` lies
    // outside the run's window.
    TripEntry* eventAt(std::size_t tt, std::uint32_t trip, std::uint8_t position,
                       std::int32_t tripDay, std::int32_t time);
    // Files label `l` on its event, pruned against the labels waiting there (released when
    // they turn it away).
    void addToEvent(Label* l, std::size_t tt, std::uint32_t trip, std::uint8_t position,
                    std::int32_t tripDay, std::int32_t time);
    // The same for a label not yet made: made only when it is not turned away at once.
    void board(TripEntry& e, const Label& n, std::int32_t time);
    LabelValues valuesOf(const Label& l, std::size_t tt, std::int32_t time) const;
    void file(TripEntry& e, Label* l, const LabelValues& v, std::int32_t time);
    // The same on an event whose trip may not (kGuarded) or may be ridden within one stop
    // group.
    template <bool kGuarded>
    void fileOn(TripEntry& e, Label* l, const LabelValues& v, std::int32_t time);
    // Makes the lowest-ranked waiting label the event's best again.
    void chooseBest(TripEntry& e);
    std::int32_t labelRank(const Label& l, std::size_t tt, std::int32_t time) const;
    void releaseList(Label* l);
    void offer(const Label& l, const StopEntry& e, std::int32_t time);
    // Adds an accepted candidate to the found ones (unless an earlier one rides the same trips
    // and ranks no worse) and selects again.
    void admit(Candidate c);
    // Offers the walk from the From place to the To place when a walking link joins them.
    void offerWalk();
    BuiltConnection buildWalk(const Candidate& c, const cZadaniHledani& realRequest) const;
    bool accepted(const Journey& j) const;
    void select();
    std::int32_t collectedWithinStandard() const;
    std::unique_ptr<cVysledekHledani> buildResult(const cZadaniHledani& realRequest);
    BuiltConnection buildConnection(const Candidate& c);

    // Trip access in the direction of the search: positions, times and rights of a mirrored
    // trip are those of the real trip run backwards on mirrored minutes.
    const cSpoje& trips(std::size_t tt) const {
        if (tt >= tripTables_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        return *tripTables_[tt];
    }
    std::size_t realPosition(std::size_t tt, std::uint32_t t, std::size_t q) const {
        return mirrored_ ? trips(tt).stopCount(t) - 1 - q : q;
    }
    int departureTau(std::size_t tt, std::uint32_t t, std::size_t q) const {
        const cSpoje& s = trips(tt);
        return mirrored_ ? 1439 - s.arrivalTime(t, s.stopCount(t) - 1 - q) : s.departureTime(t, q);
    }
    int arrivalTau(std::size_t tt, std::uint32_t t, std::size_t q) const {
        const cSpoje& s = trips(tt);
        return mirrored_ ? 1439 - s.departureTime(t, s.stopCount(t) - 1 - q) : s.arrivalTime(t, q);
    }
    bool mayBoard(std::size_t tt, std::uint32_t t, std::size_t q) const {
        const cSpoje& s = trips(tt);
        return mirrored_ ? s.canAlight(t, s.stopCount(t) - 1 - q) : s.canBoard(t, q);
    }
    bool mayAlight(std::size_t tt, std::uint32_t t, std::size_t q) const {
        const cSpoje& s = trips(tt);
        return mirrored_ ? s.canBoard(t, s.stopCount(t) - 1 - q) : s.canAlight(t, q);
    }
    std::uint16_t stopOf(std::size_t tt, std::uint32_t t, std::size_t q) const {
        return trips(tt).stopAt(t, realPosition(tt, t, q));
    }
    // Whether trip t of timetable tt runs on search day `searchDay`, remembered for the run.
    bool runs(std::size_t tt, std::uint32_t t, std::int32_t searchDay) const {
        const std::int32_t day = searchDay - startDay_ + kRunsMemoDaysBefore;
        if (day < 0 || day >= kRunsMemoDays || tt >= scratch_.runsMemo.size()) {
            return runsOnDay(tt, t, searchDay);
        }
        std::vector<std::uint16_t>& memo = scratch_.runsMemo[tt];
        if (t >= memo.size()) {
            return runsOnDay(tt, t, searchDay);
        }
        std::uint16_t& days = memo[t];
        const std::uint16_t known = static_cast<std::uint16_t>(1u << day);
        if ((days & known) == 0) {
            if (days == 0) {
                // Noted first, so that no trip outlives the run unnoted.
                scratch_.runsTouched.push_back(static_cast<std::uint32_t>(tt << 24 | t));
            }
            days = static_cast<std::uint16_t>(days | known |
                                              (runsOnDay(tt, t, searchDay) ? known << 8 : 0));
        }
        return (days & (known << 8)) != 0;
    }
    bool runsOnDay(std::size_t tt, std::uint32_t t, std::int32_t searchDay) const {
        return trips(tt).runsOnStartDay(t, mirrored_ ? kMirrorDay - searchDay : searchDay);
    }
    std::int32_t relative(std::int32_t searchDay, int tau) const {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(searchDay) * kMinutesPerDay +
                                         tau - base_);
    }
    std::uint32_t& stopFlags(std::size_t tt, std::size_t stop) {
        return params_.record(tt).stopFlags.at(stop);
    }
    std::uint32_t stopFlagsOf(std::size_t tt, std::size_t stop) const {
        return params_.record(tt).stopFlags.at(stop);
    }
    int shiftOf(std::size_t tt, std::size_t stop) const {
        return combination_.timetable(tt).stops.groupValue(stop);
    }

    cHledani& searcher_;
    cJizdniRadySestavy& combination_;
    cParametryHledani& params_;
    SearchScratch& scratch_;
    SearchCounters& counters_;
    std::vector<Bucket>& buckets_;
    // Per timetable and stop: the position of the stop in the From (To) list, or -1.
    std::vector<std::vector<std::int32_t>>& fromIndex_;
    std::vector<std::vector<std::int32_t>>& toIndex_;
    RecordPool<Label> labels_;
    RecordPool<StopEntry> stopEntries_;
    RecordPool<TripEntry> tripEntries_;
    RecordPool<PathNode> nodes_;

    platform::WindowHandle window_ = platform::kNullWindow;
    cZadaniHledani work_;
    bool mirrored_ = false;
    bool nextOrPrevious_ = false;
    bool hasVia_ = false;
    bool jumped_ = false;
    bool firstFoundSent_ = false;
    bool switched_ = false;
    std::int32_t startMinute_ = 0;
    std::int32_t startDay_ = 0;
    std::int64_t base_ = 0;
    std::int32_t standardWindow_ = 0;
    std::int32_t maximumWindow_ = 0;
    std::int32_t endRel_ = 0;
    std::int32_t wanted_ = 0;
    std::int32_t lastPercent_ = 0;
    std::int32_t progressStep_ = 1;
    std::int32_t nextProgress_ = 1;

    EventTable<TripEntry*> events_;
    std::vector<const PathNode*> origins_;
    std::vector<const StopDepartureIndex*> index_;  // per timetable, in the run's direction
    std::vector<const cSpoje*> tripTables_;         // per timetable
    // Departures of the From stops over the run's window.
    cOdjezdyHledani fromDepartures_;
    // Working lists of gatherBoarding.
    std::vector<TiedDeparture> boardingFound_, boardingLater_;
    // The departures of the transfers from the stop entry last met.
    TransferKey transferKey_{};
    bool transferKeyValid_ = false;
    std::vector<TransferTarget> transferTargets_;
    bool transferTargetsRepeat_ = false;  // some stop is among the targets twice
    std::vector<Departure> transferDepartures_;
    // The labels of the stop entry being processed, those of them that change, and the
    // labels they change with.
    std::vector<Label*> entryLabels_, changingLabels_;
    std::vector<Label> changeBases_;
    // The labels that change, and the same with the walk to the target being boarded.
    std::vector<Boarder> boarders_, walkedBoarders_;
    // What boardingAt gathered, by timetable, stop and minute.
    EventTable<GatheredRange> gathered_;
    std::vector<Departure> gatheredDepartures_;
    std::vector<TripEntry*> gatheredEvents_;  // the event of each, once found

    cStavHledani found_;

    // The judging of a candidate's path, made on first use in the run.
    PathRules& rules();
    CandidatePath pathOf(const Candidate& c) const;
    void setPath(Candidate& c, const CandidatePath& path);
    bool tidy(Candidate& c);
    bool mayLeave(const Label& l, const StopEntry& e);
    bool lockedOnTrip(const Label& l, std::size_t tt, std::uint32_t trip, std::size_t position);
    bool sameTrips(const Candidate& a, const Candidate& b);
    std::optional<PathRules> rules_;
    std::optional<TripIdentity> identity_;
};

}  // namespace trasovnik::searchrun
