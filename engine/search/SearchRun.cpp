#include "engine/search/SearchRun.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/EnginePagePool.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/CandidatePath.h"
#include "engine/search/ConnectionSearch.h"
#include "engine/search/EventTable.h"
#include "engine/search/Ranking.h"
#include "engine/search/RecordPool.h"
#include "engine/search/SearchParameters.h"
#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult.h"
#include "engine/search/StopDepartureIndex.h"
#include "engine/search/TripIdentity.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace trasovnik {
namespace {

constexpr int kSlice = 120;
constexpr int kMinutesPerDay = 1440;
constexpr int kMirrorDay = 0x7FFF;
constexpr std::uint32_t kFlagVia = 1u << 24;
constexpr std::uint32_t kFlagSc = 1u << 25;
constexpr std::uint32_t kFlagBus = 1u << 26;
constexpr std::uint32_t kFlagWaiting = 1u << 27;  // waiting to board the event's trip
// A transfer boards, per route, the first departure within this many minutes.
constexpr int kTransferHorizon = 360;
constexpr int kMaxThirdStop = 3;
constexpr std::int32_t kLastRunningPercent =
    99;  // look-around along a trip gives up at the third other stop

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

std::uint8_t cap255(std::int64_t v) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
}

// A node of the path store. Origin: the From candidate (position = its index in the From
// list). Board: a trip boarded at a position (walk = minutes walked from the previous
// alighting stop). Alight: a trip left at a position.
struct PathNode {
    enum Kind : std::uint8_t { kOrigin, kBoard, kAlight };
    const PathNode* parent;
    std::int32_t time;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint16_t position;
    std::uint16_t stop;
    std::uint8_t tt;
    std::uint8_t kind;
    std::uint8_t walk;
};

struct Label {
    Label* next;
    const PathNode* node;  // Origin or Alight while waiting to board, Board while riding
    std::uint32_t flags;
    std::int32_t start;
    std::uint8_t transfers;
    std::uint8_t walking;
    std::uint8_t penalty;
    std::uint8_t shortfall;
    std::uint8_t sinceArrival;
    std::uint8_t walkPending;  // minutes of the walk to the stop it waits at
};

struct StopEntry {
    StopEntry* next;
    Label* labels;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint16_t stop;
    std::uint8_t tt;
    std::uint8_t position;
};

struct TripEntry {
    TripEntry* next;
    Label* labels;
    std::uint64_t key;
    std::int32_t tripDay;
    std::uint32_t trip;
    std::uint8_t tt;
    std::uint8_t position;
};

}  // namespace

// The list heads of one minute of the run's window. The array lives in the searcher's scratch,
// so it is not allocated for every run.
struct SearchBucket {
    StopEntry* stops = nullptr;
    TripEntry* trips = nullptr;
};

SearchScratch::SearchScratch() = default;
SearchScratch::~SearchScratch() = default;

namespace {

using Bucket = SearchBucket;

struct Departure {
    std::int32_t time;  // relative to the run's start
    std::uint32_t trip;
    std::int32_t tripDay;
    std::uint8_t position;
};

// One trip a candidate rides, on the day it started.
struct RiddenTrip {
    std::size_t tt;
    std::uint32_t trip;
    std::int32_t tripDay;
};

struct Candidate {
    const PathNode* node = nullptr;  // Board node of the last leg
    std::uint16_t alightPosition = 0;
    std::int32_t toIndex = 0;
    std::int32_t rank = 0;
    std::int32_t cls = 0;
    std::int32_t o = 0;
    std::int32_t start = 0;
    std::int32_t arrival = 0;
    std::int32_t g = 0, h = 0, l = 0, m = 0;
    bool sc = false;
    bool bus = false;
    bool alive = true;
    std::uint64_t firstSlot = 0, lastSlot = 0;
    std::int32_t firstStops = 0;
    std::vector<RiddenTrip> trips;  // last leg first
};

// The journey values that the acceptance test and the selection compare.
struct Journey {
    std::int32_t start, o, g, h, l, m, rank;
    bool sc, bus;
};

bool flagConditions(const Journey& p, const Candidate& q) {
    return (p.sc || !q.sc) && (p.bus || !q.bus || 15 * q.o < 10 * p.o);
}

class Searcher {
public:
    Searcher(cHledani& searcher, cSestava& set, RunPages& pages, SearchScratch& scratch)
        : searcher_(searcher),
          combination_(set.combination()),
          params_(set.parameters()),
          scratch_(scratch),
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
    bool advance(std::int32_t& b);
    void sendProgress(std::int32_t percent);
    void seed(std::int32_t b);
    const std::vector<Departure>& departures(std::size_t tt, std::uint16_t stop);
    void processBucket(std::int32_t b);
    void processStopEntry(StopEntry* e, std::int32_t time);
    void processTripEntry(TripEntry* e, std::int32_t time);
    void transfersFrom(const Label& l, const StopEntry& e, std::int32_t time, bool atVia);
    // Calls `visit(entry, departure)` for the usable departures that run, among [begin, end)
    // (departures of one stop by minute of day), from `from` to before `limit`, by time, until
    // it returns false. `excludeTrip` of timetable `tt` is left out (kNoTrip: none).
    template <class Visit>
    void forEachDeparture(std::size_t tt, const StopDeparture* begin, const StopDeparture* end,
                          std::int32_t from, std::int32_t limit, std::uint32_t excludeTrip,
                          Visit&& visit) const;
    static constexpr std::uint32_t kNoTrip = 0xFFFFFFFFu;
    // The departures a transfer from a stop reaches at one stop: per route its first one from
    // `earliest` on (not `excludeTrip` of `fromTt`, the trip just left), by time.
    void gatherBoarding(std::size_t tt, std::uint16_t stop, std::int32_t earliest,
                        std::size_t fromTt, std::uint32_t excludeTrip, std::vector<Departure>& out);
    struct TransferTarget {
        std::size_t tt;
        std::uint8_t walk;         // minutes walked to the stop of the departures
        std::uint32_t begin, end;  // range of transferDepartures_
    };
    struct TransferKey {
        std::int32_t tripDay;
        std::uint32_t trip;
        std::int32_t time;
        std::uint16_t stop;
        std::uint8_t tt;
        bool operator==(const TransferKey&) const = default;
    };
    void boardFrom(const Label& l, const PathNode* alight, const TransferTarget& target,
                   std::int32_t arrived, std::size_t fromTt);
    void addToEvent(Label* l, std::size_t tt, std::uint32_t trip, std::uint8_t position,
                    std::int32_t tripDay, std::int32_t time);
    std::int32_t labelRank(const Label& l, std::size_t tt, std::int32_t time) const;
    void releaseList(Label* l);
    void offer(const Label& l, const StopEntry& e, std::int32_t time);
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
    bool runs(std::size_t tt, std::uint32_t t, std::int32_t searchDay) const {
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

    EventTable<TripEntry> events_;
    std::vector<const PathNode*> origins_;
    std::vector<StopDepartureIndex*> index_;  // per timetable, in the run's direction
    std::vector<const cSpoje*> tripTables_;   // per timetable
    // Departures of the From stops over the run's window, by (timetable, stop).
    std::vector<std::pair<std::uint32_t, std::vector<Departure>>> cache_;
    // The departures of the transfers from the stop entry last met.
    TransferKey transferKey_{};
    bool transferKeyValid_ = false;
    std::vector<TransferTarget> transferTargets_;
    std::vector<Departure> transferDepartures_;
    std::vector<Departure> boardingFound_;
    std::vector<std::uint32_t> boardingOrder_, boardingSorted_;

    std::vector<Candidate> candidates_;
    std::vector<std::size_t> byRank_, byStart_, selected_;
    std::int32_t bound_ = -1;

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

PathRules& Searcher::rules() {
    if (!rules_) {
        rules_.emplace(combination_, params_, mirrored_, base_, RunPlace{&work_.from, &fromIndex_},
                       RunPlace{&work_.to, &toIndex_});
    }
    return *rules_;
}

CandidatePath Searcher::pathOf(const Candidate& c) const {
    CandidatePath path;
    path.toIndex = static_cast<std::size_t>(c.toIndex);
    std::size_t alight = c.alightPosition;
    for (const PathNode* b = c.node; b != nullptr;) {
        path.legs.push_back(PathLeg{b->tt, b->trip, b->tripDay, b->position, alight, b->walk});
        const PathNode* a = b->parent;
        if (a->kind == PathNode::kOrigin) {
            path.fromIndex = a->position;
            break;
        }
        alight = a->position;
        b = a->parent;
    }
    std::reverse(path.legs.begin(), path.legs.end());
    return path;
}

// Path nodes are shared and never changed: a tidied path gets nodes of its own.
void Searcher::setPath(Candidate& c, const CandidatePath& path) {
    const cZastavkaZadani& from = work_.from.at(path.fromIndex);
    PathNode* origin = nodes_.make();
    *origin = PathNode{nullptr,
                       0,
                       0,
                       0,
                       static_cast<std::uint16_t>(path.fromIndex),
                       from.stop,
                       static_cast<std::uint8_t>(from.timetable),
                       PathNode::kOrigin,
                       from.walkMinutes};
    const PathNode* parent = origin;
    PathRules& r = rules();
    for (std::size_t i = 0; i < path.legs.size(); ++i) {
        const PathLeg& leg = path.legs[i];
        PathNode* board = nodes_.make();
        *board = PathNode{parent,
                          r.departure(leg, leg.board),
                          leg.tripDay,
                          leg.trip,
                          static_cast<std::uint16_t>(leg.board),
                          stopOf(leg.tt, leg.trip, leg.board),
                          static_cast<std::uint8_t>(leg.tt),
                          PathNode::kBoard,
                          leg.walkBefore};
        parent = board;
        if (i + 1 < path.legs.size()) {
            PathNode* alight = nodes_.make();
            *alight = PathNode{board,
                               r.arrival(leg, leg.alight),
                               leg.tripDay,
                               leg.trip,
                               static_cast<std::uint16_t>(leg.alight),
                               stopOf(leg.tt, leg.trip, leg.alight),
                               static_cast<std::uint8_t>(leg.tt),
                               PathNode::kAlight,
                               0};
            parent = alight;
        }
    }
    c.node = parent;
    c.alightPosition = static_cast<std::uint16_t>(path.legs.back().alight);
    c.toIndex = static_cast<std::int32_t>(path.toIndex);
}

// Tidies the candidate's path and computes its values again; false when the path shows that
// the journey should not be offered at all.
bool Searcher::tidy(Candidate& c) {
    PathRules& r = rules();
    CandidatePath path = pathOf(c);
    bool moved = r.tidyFirstBoarding(path);
    moved = r.tidyLastAlighting(path) || moved;
    moved = r.preferNamedTransfers(path, c.l) || moved;
    if (r.walksFurtherThanNeeded(path)) {
        return false;
    }
    if (!moved) {
        return true;
    }
    setPath(c, path);
    c.start = r.departure(path.legs.front(), path.legs.front().board) -
              work_.from.at(path.fromIndex).walkMinutes;
    c.arrival = r.arrival(path.legs.back(), path.legs.back().alight) +
                work_.to.at(path.toIndex).walkMinutes;
    c.o = c.arrival - c.start;
    c.rank = rankOf(c.o, c.g, c.h, c.l, c.m);
    c.cls = classOf(c.o);
    return true;
}

// A trip that may not be ridden within one stop group cannot be left before it has left
// the group it was boarded in.
bool Searcher::mayLeave(const Label& l, const StopEntry& e) {
    if (!trips(e.tt).trip(e.trip).noRideWithinGroup() || l.node == nullptr ||
        l.node->kind != PathNode::kBoard) {
        return true;
    }
    return rules().rideAllowed(e.tt, e.trip, l.node->position, e.position);
}

// Whether a label on a trip at a position (waiting to board there, or riding) could not yet
// leave it there because the trip may not be ridden within the group it was boarded in.
bool Searcher::lockedOnTrip(const Label& l, std::size_t tt, std::uint32_t trip,
                            std::size_t position) {
    if (!trips(tt).trip(trip).noRideWithinGroup()) {
        return false;
    }
    const bool riding =
        (l.flags & kFlagWaiting) == 0 && l.node != nullptr && l.node->kind == PathNode::kBoard;
    return !rules().rideAllowed(tt, trip, riding ? l.node->position : position, position);
}

bool Searcher::sameTrips(const Candidate& a, const Candidate& b) {
    if (a.trips.size() != b.trips.size()) {
        return false;
    }
    if (!identity_) {
        identity_.emplace(combination_);
    }
    for (std::size_t i = 0; i < a.trips.size(); ++i) {
        const RiddenTrip& x = a.trips[i];
        const RiddenTrip& y = b.trips[i];
        if (x.tripDay != y.tripDay || !identity_->same(x.tt, x.trip, y.tt, y.trip)) {
            return false;
        }
    }
    return true;
}

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
    scratch_.routeSeen.resize(n);
    for (std::size_t tt = 0; tt < n; ++tt) {
        for (std::uint32_t& f : params_.record(tt).stopFlags) {
            f &= ~kStopRequestBits;
        }
        fromIndex_[tt].assign(combination_.stopCount(tt), -1);
        toIndex_[tt].assign(combination_.stopCount(tt), -1);
        index_[tt] = &scratch_.departures.of(combination_.loaded(tt).file, mirrored_);
        if (scratch_.routeSeen[tt].size() != trips(tt).routeCount()) {
            scratch_.routeSeen[tt].assign(trips(tt).routeCount(), 0);
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

void Searcher::sendProgress(std::int32_t percent) {
    // 100 is kept for the end of the run, so that it is sent once and last.
    percent = std::min(percent, kLastRunningPercent);
    if (percent > lastPercent_) {
        lastPercent_ = percent;
        platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS,
                              static_cast<std::uintptr_t>(percent));
    }
}

const std::vector<Departure>& Searcher::departures(std::size_t tt, std::uint16_t stop) {
    const std::uint32_t key = (static_cast<std::uint32_t>(tt) << 16) | stop;
    for (const auto& [k, list] : cache_) {
        if (k == key) {
            return list;
        }
    }
    const StopDepartures& deps = index_[tt]->of(stop);
    std::vector<Departure> list;
    forEachDeparture(tt, deps.all.data(), deps.all.data() + deps.all.size(), 0, endRel_, kNoTrip,
                     [&](const StopDeparture&, const Departure& d) {
                         list.push_back(d);
                         return true;
                     });
    cache_.emplace_back(key, std::move(list));
    return cache_.back().second;
}

std::int32_t Searcher::labelRank(const Label& l, std::size_t tt, std::int32_t time) const {
    std::int32_t shortfall = l.shortfall;
    if ((l.flags & kFlagWaiting) == 0) {
        shortfall = std::max<std::int32_t>(
            shortfall, params_.record(tt).safeTransfer - static_cast<std::int32_t>(l.sinceArrival));
    }
    return rankOf(time - l.start, l.transfers, l.penalty, shortfall, l.walking);
}

void Searcher::releaseList(Label* l) {
    while (l != nullptr) {
        Label* next = l->next;
        labels_.release(l);
        l = next;
    }
}

void Searcher::addToEvent(Label* l, std::size_t tt, std::uint32_t trip, std::uint8_t position,
                          std::int32_t tripDay, std::int32_t time) {
    if (time < 0 || time >= endRel_) {
        labels_.release(l);
        return;
    }
    const std::uint64_t key = (static_cast<std::uint64_t>(tt) << 56) ^
                              (static_cast<std::uint64_t>(trip) << 24) ^
                              (static_cast<std::uint64_t>(position) << 16) ^
                              static_cast<std::uint64_t>(static_cast<std::uint16_t>(tripDay));
    TripEntry*& found = events_.find(key);
    if (found == nullptr) {
        TripEntry* e = tripEntries_.make();
        e->key = key;
        e->tripDay = tripDay;
        e->trip = trip;
        e->tt = static_cast<std::uint8_t>(tt);
        e->position = position;
        Bucket& b = buckets_[static_cast<std::size_t>(time)];
        e->next = b.trips;
        b.trips = e;
        found = e;
    }
    TripEntry* e = found;
    // Pruning against the labels already waiting on this departure.
    const std::int32_t r = labelRank(*l, tt, time);
    const Journey nj{l->start,
                     time - l->start,
                     l->transfers,
                     l->penalty,
                     l->shortfall,
                     l->walking,
                     r,
                     (l->flags & kFlagSc) != 0,
                     (l->flags & kFlagBus) != 0};
    const bool newVia = (l->flags & kFlagVia) != 0;
    const bool guarded = trips(tt).trip(trip).noRideWithinGroup();
    const bool newLocked = guarded && lockedOnTrip(*l, tt, trip, position);
    Label** link = &e->labels;
    while (*link != nullptr) {
        Label* w = *link;
        const std::int32_t wr = labelRank(*w, tt, time);
        const std::int32_t wo = time - w->start;
        const bool wVia = (w->flags & kFlagVia) != 0;
        const bool wSc = (w->flags & kFlagSc) != 0;
        const bool wBus = (w->flags & kFlagBus) != 0;
        // A label that may not yet leave the trip never prunes one that may.
        const bool wLocked = guarded && lockedOnTrip(*w, tt, trip, position);
        if (r >= wr) {
            const bool noWorse =
                wo <= nj.o && w->penalty <= nj.h && w->shortfall <= nj.l && w->walking <= nj.m + 4;
            const bool flags = (nj.sc || !wSc) && (nj.bus || !wBus || 15 * wo < 10 * nj.o);
            if ((noWorse || wr * 12 < r * 10) && w->transfers <= l->transfers &&
                (wVia || !newVia) && flags && (newLocked || !wLocked)) {
                labels_.release(l);
                return;
            }
            link = &w->next;
        } else {
            const bool noBetter =
                wo >= nj.o && w->penalty >= nj.h && w->shortfall >= nj.l && w->walking + 4 >= nj.m;
            const bool flags = (wSc || !nj.sc) && (wBus || !nj.bus || 15 * nj.o < 10 * wo);
            if ((noBetter || wr * 5 > r * 6) && w->transfers >= l->transfers && (newVia || !wVia) &&
                flags && (!newLocked || wLocked)) {
                *link = w->next;
                labels_.release(w);
            } else {
                link = &w->next;
            }
        }
    }
    l->next = nullptr;
    *link = l;
}

void Searcher::seed(std::int32_t b) {
    for (std::size_t k = 0; k < work_.from.size(); ++k) {
        const cZastavkaZadani& c = work_.from[k];
        const auto tt = static_cast<std::size_t>(c.timetable);
        if ((stopFlagsOf(tt, c.stop) & kStopFrom) == 0 ||
            fromIndex_[tt][c.stop] != static_cast<std::int32_t>(k)) {
            continue;
        }
        if (origins_.size() <= k) {
            origins_.resize(work_.from.size(), nullptr);
        }
        if (origins_[k] == nullptr) {
            PathNode* o = nodes_.make();
            *o = PathNode{nullptr,
                          0,
                          0,
                          0,
                          static_cast<std::uint16_t>(k),
                          c.stop,
                          static_cast<std::uint8_t>(tt),
                          PathNode::kOrigin,
                          c.walkMinutes};
            origins_[k] = o;
        }
        const cSpoje& s = trips(tt);
        const std::vector<Departure>& deps = departures(tt, c.stop);
        const std::int32_t lo = b + c.walkMinutes;
        // Journeys that leave the From place after the standard window are never part of the
        // result; seeding them would only let them crowd out journeys that are.
        const std::int32_t hi =
            std::min(b + kSlice, standardWindow_ + 1) + static_cast<std::int32_t>(c.walkMinutes);
        auto it = std::lower_bound(deps.begin(), deps.end(), lo,
                                   [](const Departure& d, std::int32_t v) { return d.time < v; });
        bool viaAtOrigin = !hasVia_ || (stopFlagsOf(tt, c.stop) & kStopVia) != 0;
        if (!viaAtOrigin && c.sourceTimetable >= 0 && c.sourceStop >= 0) {
            viaAtOrigin = (stopFlagsOf(static_cast<std::size_t>(c.sourceTimetable),
                                       static_cast<std::size_t>(c.sourceStop)) &
                           kStopVia) != 0;
        }
        const bool bus = combination_.timetable(tt).header.notBusFlag == 0;
        for (; it != deps.end() && it->time < hi; ++it) {
            const Departure d = *it;
            const std::size_t n = s.stopCount(d.trip);
            // A departure that a better-placed From stop of the same trip serves is left to it.
            bool skip = false;
            int others = 0;
            // Forwards only as far as the trip can be left: a journey that leaves it before the
            // other From stop (to change, or at a To stop) does not pass there. Not on a trip
            // that may not be ridden within one stop group: boarding at the other stop may be
            // forbidden for the very ride this departure allows.
            const bool groupGuarded = s.trip(d.trip).noRideWithinGroup();
            for (std::size_t q = d.position + 1;
                 !groupGuarded && q < n && others < kMaxThirdStop && !skip; ++q) {
                const std::int32_t fi = fromIndex_[tt][stopOf(tt, d.trip, q)];
                if (fi >= 0 && fi < static_cast<std::int32_t>(k) && q + 1 < n &&
                    mayBoard(tt, d.trip, q)) {
                    skip = true;
                } else if (mayAlight(tt, d.trip, q)) {
                    break;
                } else if (fi < 0) {
                    ++others;
                }
            }
            others = 0;
            for (std::size_t q = d.position; q-- > 0 && others < kMaxThirdStop && !skip;) {
                const std::int32_t fi = fromIndex_[tt][stopOf(tt, d.trip, q)];
                if (fi < 0) {
                    ++others;
                } else if (fi < static_cast<std::int32_t>(k) && mayBoard(tt, d.trip, q)) {
                    // The traveller could have boarded there instead, walk included.
                    const std::int32_t reached = relative(d.tripDay, departureTau(tt, d.trip, q));
                    skip = nextOrPrevious_ ||
                           reached >= work_.from[static_cast<std::size_t>(fi)].walkMinutes;
                }
            }
            if (skip) {
                continue;
            }
            Label* l = labels_.make();
            l->node = origins_[k];
            l->start = d.time - c.walkMinutes;
            l->walking = c.walkMinutes;
            l->sinceArrival = 255;
            l->flags = kFlagWaiting | (viaAtOrigin ? kFlagVia : 0) | (bus ? kFlagBus : 0);
            if ((params_.record(tt).tripFlags[d.trip] & kTripScNote) != 0) {
                l->flags |= kFlagSc;
            }
            addToEvent(l, tt, d.trip, d.position, d.tripDay, d.time);
        }
    }
}

template <class Visit>
void Searcher::forEachDeparture(std::size_t tt, const StopDeparture* begin,
                                const StopDeparture* end, std::int32_t from, std::int32_t limit,
                                std::uint32_t excludeTrip, Visit&& visit) const {
    const auto& tripFlags = params_.record(tt).tripFlags;
    auto byMinute = [](const StopDeparture& p, std::int64_t v) { return p.minuteOfDay < v; };
    const std::int64_t lastDay = floorDiv(base_ + limit - 1, kMinutesPerDay);
    for (std::int64_t d = floorDiv(base_ + from, kMinutesPerDay); d <= lastDay; ++d) {
        const std::int64_t dayBase = d * kMinutesPerDay - base_;
        const std::int64_t lo = std::max<std::int64_t>(from - dayBase, 0);
        for (const StopDeparture* it = std::lower_bound(begin, end, lo, byMinute); it != end;
             ++it) {
            const std::int64_t time = dayBase + it->minuteOfDay;
            if (time >= limit) {
                break;
            }
            if (it->trip == excludeTrip || it->trip >= tripFlags.size() ||
                (tripFlags[it->trip] & kTripUsable) == 0) {
                continue;
            }
            const auto tripDay = static_cast<std::int32_t>(d - it->daysBack);
            if (!runs(tt, it->trip, tripDay)) {
                continue;
            }
            if (!visit(*it, Departure{static_cast<std::int32_t>(time), it->trip, tripDay,
                                      it->position})) {
                return;
            }
        }
    }
}

void Searcher::gatherBoarding(std::size_t tt, std::uint16_t stop, std::int32_t earliest,
                              std::size_t fromTt, std::uint32_t excludeTrip,
                              std::vector<Departure>& out) {
    const std::int32_t limit = std::min(endRel_, earliest + kTransferHorizon);
    if (earliest >= limit) {
        return;
    }
    // Per route of the stop, its first departure from `earliest` on that runs and may be used,
    // in the order of the stop's departures (the journeys' pruning may depend on that order).
    const StopDepartures& deps = index_[tt]->of(stop);
    const std::uint32_t exclude = tt == fromTt ? excludeTrip : kNoTrip;
    // A stop with few departures per route is cheaper to walk through the window once, marking
    // the routes met; one with few routes is cheaper to search route by route.
    const std::size_t windowDepartures =
        deps.all.size() * static_cast<std::size_t>(limit - earliest) / kMinutesPerDay;
    if (deps.routes.size() * 8 >= windowDepartures) {
        if (++scratch_.routeStamp == 0) {
            for (auto& v : scratch_.routeSeen) {
                std::fill(v.begin(), v.end(), 0);
            }
            scratch_.routeStamp = 1;
        }
        std::vector<std::uint32_t>& seen = scratch_.routeSeen[tt];
        forEachDeparture(tt, deps.all.data(), deps.all.data() + deps.all.size(), earliest, limit,
                         exclude, [&](const StopDeparture& p, const Departure& d) {
                             if (seen[p.route] != scratch_.routeStamp) {
                                 seen[p.route] = scratch_.routeStamp;
                                 out.push_back(d);
                             }
                             return true;
                         });
    } else {
        std::vector<std::uint32_t>& orders = boardingOrder_;
        std::vector<Departure>& found = boardingFound_;
        orders.clear();
        found.clear();
        for (const RouteDepartures& r : deps.routes) {
            forEachDeparture(tt, deps.byRoute.data() + r.begin, deps.byRoute.data() + r.end,
                             earliest, limit, exclude,
                             [&](const StopDeparture& p, const Departure& d) {
                                 found.push_back(d);
                                 orders.push_back(p.order);
                                 return false;
                             });
        }
        std::vector<std::uint32_t>& byTime = boardingSorted_;
        byTime.resize(found.size());
        for (std::uint32_t i = 0; i < byTime.size(); ++i) {
            byTime[i] = i;
        }
        std::sort(byTime.begin(), byTime.end(), [&](std::uint32_t a, std::uint32_t b) {
            return found[a].time != found[b].time ? found[a].time < found[b].time
                                                  : orders[a] < orders[b];
        });
        for (const std::uint32_t i : byTime) {
            out.push_back(found[i]);
        }
    }
}

void Searcher::boardFrom(const Label& l, const PathNode* alight, const TransferTarget& target,
                         std::int32_t arrived, std::size_t fromTt) {
    const std::size_t tt = target.tt;
    const std::uint8_t walk = target.walk;
    const cParametryHledaniRadu& fromParams = params_.record(fromTt);
    for (std::uint32_t i = target.begin; i < target.end; ++i) {
        const Departure d = transferDepartures_[i];
        Label* n = labels_.make();
        *n = l;
        n->node = alight;
        n->flags |= kFlagWaiting;
        n->transfers = cap255(l.transfers + 1);
        n->penalty = cap255(l.penalty + fromParams.transferPenalty);
        const std::int32_t waited = d.time - arrived - walk;
        n->shortfall =
            cap255(std::max<std::int32_t>(l.shortfall, fromParams.safeTransfer - waited));
        n->walking = cap255(l.walking + walk);
        n->sinceArrival = cap255(waited);
        n->walkPending = walk;
        if ((params_.record(tt).tripFlags[d.trip] & kTripScNote) != 0) {
            n->flags |= kFlagSc;
        }
        addToEvent(n, tt, d.trip, d.position, d.tripDay, d.time);
    }
}

void Searcher::transfersFrom(const Label& l, const StopEntry& e, std::int32_t time, bool atVia) {
    PathNode* alight = nodes_.make();
    *alight =
        PathNode{l.node, time, e.tripDay, e.trip, e.position, e.stop, e.tt, PathNode::kAlight, 0};
    Label base = l;
    if (atVia) {
        base.flags |= kFlagVia;  // leaving a trip at a via stop meets the via condition
    }
    const std::size_t tt = e.tt;
    // Every label of one stop entry reaches the same departures: they are gathered once.
    const TransferKey key{e.tripDay, e.trip, time, e.stop, e.tt};
    if (!transferKeyValid_ || !(transferKey_ == key)) {
        transferKey_ = key;
        transferKeyValid_ = true;
        transferTargets_.clear();
        transferDepartures_.clear();
        auto gather = [&](std::size_t toTt, std::uint16_t stop, std::int32_t earliest,
                          std::uint8_t walk) {
            TransferTarget t{toTt, walk, static_cast<std::uint32_t>(transferDepartures_.size()), 0};
            gatherBoarding(toTt, stop, earliest, tt, e.trip, transferDepartures_);
            t.end = static_cast<std::uint32_t>(transferDepartures_.size());
            if (t.end > t.begin) {
                transferTargets_.push_back(t);
            }
        };
        const cParametryHledaniRadu& p = params_.record(tt);
        gather(tt, e.stop, time + p.minimumTransfer, 0);
        for (const cPesiPrechod& w : combination_.timetable(tt).stops.walkingLinks(e.stop)) {
            gather(tt, w.stop, time + w.minutes, w.minutes);
        }
        for (const cOdkazDoRadu& link : combination_.crossLinks(tt).linksOf(e.stop)) {
            const std::size_t other = link.timetable;
            const int safe = std::max(p.safeTransfer, params_.record(other).safeTransfer);
            const int wait = std::max<int>(safe, link.value);
            gather(other, link.stop, time + wait, link.value);
        }
    }
    for (const TransferTarget& t : transferTargets_) {
        boardFrom(base, alight, t, time, tt);
    }
}

void Searcher::processStopEntry(StopEntry* e, std::int32_t time) {
    const std::size_t tt = e->tt;
    const std::uint32_t f = stopFlagsOf(tt, e->stop);
    const bool atVia = (f & kStopVia) != 0;
    const bool viaRide = atVia && params_.record(tt).transferRequiredAtVia == 0;
    const std::size_t n = trips(tt).stopCount(e->trip);
    const bool further = static_cast<std::size_t>(e->position) + 1 < n;
    std::int32_t departTime = 0;
    if (further) {
        departTime = relative(e->tripDay, departureTau(tt, e->trip, e->position));
    }
    Label* l = e->labels;
    e->labels = nullptr;
    while (l != nullptr) {
        Label* next = l->next;
        if (viaRide) {
            l->flags |= kFlagVia;
        }
        const bool leave = mayLeave(*l, *e);
        if ((f & kStopTo) != 0 && leave) {
            offer(*l, *e, time);
        }
        if (l->transfers < work_.maxTransfers && leave) {
            transfersFrom(*l, *e, time, atVia);
        }
        if (further) {
            l->sinceArrival = cap255(l->sinceArrival + (departTime - time));
            addToEvent(l, tt, e->trip, e->position, e->tripDay, departTime);
        } else {
            labels_.release(l);
        }
        l = next;
    }
}

void Searcher::processTripEntry(TripEntry* e, std::int32_t time) {
    const std::size_t tt = e->tt;
    const std::uint32_t t = e->trip;
    const std::size_t n = trips(tt).stopCount(t);
    const bool viaRideAllowed = params_.record(tt).transferRequiredAtVia == 0;
    bool passedVia = false;
    std::size_t q2 = e->position + 1;
    for (; q2 < n && !mayAlight(tt, t, q2); ++q2) {
        if (viaRideAllowed && (stopFlagsOf(tt, stopOf(tt, t, q2)) & kStopVia) != 0) {
            passedVia = true;
        }
    }
    Label* list = e->labels;
    e->labels = nullptr;
    if (q2 >= n) {
        releaseList(list);
        return;
    }
    const std::int32_t arrival = relative(e->tripDay, arrivalTau(tt, t, q2));
    if (arrival >= endRel_ || arrival < time) {
        releaseList(list);
        return;
    }
    const std::uint16_t stop = stopOf(tt, t, q2);
    const std::int32_t safe = params_.record(tt).safeTransfer;
    Label* kept = nullptr;
    Label** tail = &kept;
    while (list != nullptr) {
        Label* l = list;
        list = list->next;
        if ((l->flags & kFlagWaiting) != 0) {
            PathNode* board = nodes_.make();
            *board = PathNode{l->node,
                              time,
                              e->tripDay,
                              t,
                              e->position,
                              stopOf(tt, t, e->position),
                              static_cast<std::uint8_t>(tt),
                              PathNode::kBoard,
                              l->walkPending};
            l->node = board;
            l->flags &= ~kFlagWaiting;
            l->walkPending = 0;
        }
        if (passedVia) {
            l->flags |= kFlagVia;
        }
        l->sinceArrival = cap255(l->sinceArrival + (arrival - time));
        const std::int32_t o = arrival - l->start;
        const std::int32_t sf = std::max<std::int32_t>(l->shortfall, safe - l->sinceArrival);
        const Journey j{l->start,
                        o,
                        l->transfers,
                        l->penalty,
                        sf,
                        l->walking,
                        rankOf(o, l->transfers, l->penalty, sf, l->walking),
                        (l->flags & kFlagSc) != 0,
                        (l->flags & kFlagBus) != 0};
        if (!accepted(j)) {
            labels_.release(l);
            continue;
        }
        l->next = nullptr;
        *tail = l;
        tail = &l->next;
    }
    if (kept == nullptr) {
        return;
    }
    StopEntry* s = stopEntries_.make();
    s->labels = kept;
    s->tripDay = e->tripDay;
    s->trip = t;
    s->stop = stop;
    s->tt = static_cast<std::uint8_t>(tt);
    s->position = static_cast<std::uint8_t>(q2);
    Bucket& b = buckets_[static_cast<std::size_t>(arrival)];
    s->next = b.stops;
    b.stops = s;
}

bool Searcher::accepted(const Journey& j) const {
    if (j.g == 0 && j.m == 0) {
        return true;
    }
    if (j.m + j.h == 0) {
        return true;
    }
    const std::int64_t r10 = 10LL * j.rank;
    for (const std::size_t i : byStart_) {
        const Candidate& c = candidates_[i];
        if (c.start + c.cls < j.start) {
            break;
        }
        if (j.o >= c.o && j.h >= c.h && ((j.l >= c.l && j.m + 4 >= c.m) || 12LL * c.rank < r10) &&
            flagConditions(j, c)) {
            return false;
        }
    }
    return true;
}

std::int32_t Searcher::collectedWithinStandard() const {
    std::int32_t n = 0;
    for (const std::size_t i : selected_) {
        if (candidates_[i].start <= standardWindow_) {
            ++n;
        }
    }
    return n;
}

void Searcher::select() {
    selected_.clear();
    bound_ = -1;
    std::int32_t latestStart = 0;
    for (const std::size_t pi : byRank_) {
        const Candidate& p = candidates_[pi];
        const Journey pj{p.start, p.o, p.g, p.h, p.l, p.m, p.rank, p.sc, p.bus};
        bool keep = true;
        int lastSame = 0, firstSame = 0;
        for (const std::size_t qi : selected_) {
            const Candidate& q = candidates_[qi];
            const bool near = std::abs(p.start - q.start) <= q.cls ||
                              std::abs(p.arrival - q.arrival) <= q.cls ||
                              (q.start >= p.start && q.arrival <= p.arrival);
            if (!near) {
                continue;
            }
            if (p.m + p.h != 0 && p.o >= q.o && p.h >= q.h &&
                ((p.l >= q.l && p.m + 4 >= q.m) || 12LL * q.rank < 10LL * p.rank) &&
                flagConditions(pj, q)) {
                keep = false;
                break;
            }
            if (!flagConditions(pj, q)) {
                continue;
            }
            const bool notBetter = p.o >= q.o && p.l >= q.l && p.h >= q.h;
            if (p.lastSlot == q.lastSlot) {
                if (lastSame >= 2 || notBetter) {
                    keep = false;
                    break;
                }
                ++lastSame;
            }
            if (p.firstSlot == q.firstSlot) {
                if (firstSame >= 2 || notBetter ||
                    (p.firstStops == q.firstStops && q.o * 10 < p.o * 11 + 40 && p.h >= q.h &&
                     q.l < p.l + 4 && p.m >= q.m / 2)) {
                    keep = false;
                    break;
                }
                ++firstSame;
            }
        }
        if (!keep) {
            continue;
        }
        if (static_cast<std::int32_t>(selected_.size()) < wanted_ ||
            (bound_ >= 0 && p.arrival + p.cls <= bound_) || p.start <= latestStart) {
            selected_.push_back(pi);
            latestStart = std::max(latestStart, p.start);
            if (p.cls < kNoClass) {
                bound_ = std::max(bound_, p.arrival + p.cls);
            }
        }
    }
}

void Searcher::offer(const Label& l, const StopEntry& e, std::int32_t time) {
    const std::size_t tt = e.tt;
    const std::uint32_t f = stopFlagsOf(tt, e.stop);
    if ((l.flags & kFlagVia) == 0 && (f & kStopVia) == 0) {
        return;
    }
    if (l.node == nullptr || l.node->kind != PathNode::kBoard) {
        return;
    }
    const std::int32_t toIndex = toIndex_[tt][e.stop];
    if (toIndex < 0) {
        return;
    }
    const cZastavkaZadani& to = work_.to[static_cast<std::size_t>(toIndex)];
    Candidate c;
    c.node = l.node;
    c.alightPosition = e.position;
    c.toIndex = toIndex;
    c.start = l.start;
    c.arrival = time + to.walkMinutes;
    c.o = c.arrival - c.start;
    c.g = l.transfers;
    c.h = l.penalty;
    c.l = l.shortfall;
    c.m = std::min(255, l.walking + to.walkMinutes);
    c.sc = (l.flags & kFlagSc) != 0;
    c.bus = (l.flags & kFlagBus) != 0;
    c.rank = rankOf(c.o, c.g, c.h, c.l, c.m);
    c.cls = classOf(c.o);
    const Journey j{c.start, c.o, c.g, c.h, c.l, c.m, c.rank, c.sc, c.bus};
    if (!accepted(j)) {
        return;
    }
    // The tidied journey must pass again with its final values.
    if (!tidy(c) || !accepted(Journey{c.start, c.o, c.g, c.h, c.l, c.m, c.rank, c.sc, c.bus})) {
        return;
    }
    // Leg signature, re-boarding and slots, last leg first.
    const PathNode* firstBoard = nullptr;
    for (const PathNode* b = c.node; b != nullptr && b->kind == PathNode::kBoard;) {
        c.trips.push_back(RiddenTrip{b->tt, b->trip, b->tripDay});
        firstBoard = b;
        const PathNode* a = b->parent;
        if (a == nullptr || a->kind != PathNode::kAlight) {
            break;
        }
        const PathNode* prev = a->parent;
        if (prev != nullptr && prev->tt == b->tt && prev->trip == b->trip &&
            prev->tripDay == b->tripDay && a->position == b->position) {
            return;  // left a trip and boarded it again where it was left
        }
        b = prev;
    }
    auto slotOf = [](const PathNode* b) {
        return (static_cast<std::uint64_t>(b->tt) << 56) ^
               (static_cast<std::uint64_t>(b->trip) << 24) ^
               (static_cast<std::uint64_t>(b->position) << 16) ^
               static_cast<std::uint64_t>(static_cast<std::uint16_t>(b->tripDay));
    };
    c.lastSlot = slotOf(c.node);
    c.firstSlot = slotOf(firstBoard);
    {
        // Stops ridden on the first leg: up to its alighting, or the end for a direct trip.
        std::int32_t alightPos = c.alightPosition;
        for (const PathNode* b = c.node; b != firstBoard;) {
            const PathNode* a = b->parent;
            alightPos = a->position;
            b = a->parent;
        }
        c.firstStops = alightPos - firstBoard->position;
    }
    // The same trips ridden by an earlier candidate: keep the better-ranked one.
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        Candidate& other = candidates_[i];
        if (!other.alive || other.g != c.g || !sameTrips(other, c)) {
            continue;
        }
        if (c.rank >= other.rank) {
            return;
        }
        other.alive = false;
        std::erase(byRank_, i);
        std::erase(byStart_, i);
    }
    const std::size_t index = candidates_.size();
    candidates_.push_back(std::move(c));
    const Candidate& added = candidates_.back();
    auto rankPos =
        std::upper_bound(byRank_.begin(), byRank_.end(), added.rank,
                         [&](std::int32_t r, std::size_t i) { return r < candidates_[i].rank; });
    byRank_.insert(rankPos, index);
    auto startPos =
        std::upper_bound(byStart_.begin(), byStart_.end(), added.start,
                         [&](std::int32_t s, std::size_t i) { return s > candidates_[i].start; });
    byStart_.insert(startPos, index);
    select();
    if (!firstFoundSent_ && collectedWithinStandard() >= 1) {
        firstFoundSent_ = true;
        platform::sendMessage(window_, platform::WM_ENGINE_FIRST_FOUND);
    }
    const std::int32_t sel = static_cast<std::int32_t>(selected_.size());
    sendProgress(std::min(sel, wanted_) * 100 / std::max(wanted_, 1));
}

void Searcher::processBucket(std::int32_t b) {
    Bucket& bucket = buckets_[static_cast<std::size_t>(b)];
    while (bucket.stops != nullptr || bucket.trips != nullptr) {
        while (bucket.stops != nullptr) {
            StopEntry* e = bucket.stops;
            bucket.stops = e->next;
            processStopEntry(e, b);
            stopEntries_.release(e);
        }
        while (bucket.trips != nullptr && bucket.stops == nullptr) {
            TripEntry* e = bucket.trips;
            bucket.trips = e->next;
            events_.erase(e->key);
            processTripEntry(e, b);
            tripEntries_.release(e);
        }
    }
}

bool Searcher::advance(std::int32_t& b) {
    ++b;
    if (b == nextProgress_) {
        const std::int32_t w = switched_ ? maximumWindow_ : standardWindow_;
        sendProgress(std::min(b, w) * 100 / std::max(w, 1));
        nextProgress_ += progressStep_;
    }
    if (b % kSlice == 0) {
        seed(b);
    }
    if (b < standardWindow_) {
        return true;
    }
    if (!selected_.empty() && b >= bound_) {
        return false;
    }
    if (selected_.empty() && !switched_) {
        switched_ = true;
        const std::int32_t percent =
            std::min(b, maximumWindow_) * 100 / std::max(maximumWindow_, 1);
        if (percent > lastPercent_) {
            lastPercent_ = percent;
            platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS,
                                  static_cast<std::uintptr_t>(percent));
        }
        progressStep_ = std::max(maximumWindow_ / 20, 1);
        nextProgress_ = ((b + progressStep_ - 1) / progressStep_) * progressStep_;
        if (nextProgress_ == b) {
            nextProgress_ += progressStep_;
        }
    }
    return b < maximumWindow_;
}

std::int32_t Searcher::mainLoop() {
    platform::sendMessage(window_, platform::WM_ENGINE_START, 999999);
    seed(0);
    std::int32_t b = 0;
    for (;;) {
        bool more = true;
        while (more && buckets_[static_cast<std::size_t>(b)].stops == nullptr &&
               buckets_[static_cast<std::size_t>(b)].trips == nullptr) {
            more = advance(b);
        }
        if (!more) {
            break;
        }
        if (searcher_.cancel_.load(std::memory_order_acquire)) {
            return kSearchCancelled;
        }
        if (searcher_.jump_.exchange(false, std::memory_order_acq_rel)) {
            const std::int32_t have = collectedWithinStandard();
            if (have > 0) {
                wanted_ = std::min(wanted_, have);
                jumped_ = true;
            }
        }
        if (static_cast<std::int32_t>(selected_.size()) >= wanted_ && bound_ >= 0 && bound_ < b) {
            break;
        }
        processBucket(b);
        if (!advance(b)) {
            break;
        }
    }
    if (searcher_.cancel_.load(std::memory_order_acquire)) {
        return kSearchCancelled;
    }
    return collectedWithinStandard() == 0 ? kSearchNothingFound : 0;
}

BuiltConnection Searcher::buildConnection(const Candidate& c) {
    struct SearchLeg {
        std::size_t tt;
        std::uint32_t trip;
        std::int32_t tripDay;
        std::size_t board, alight;  // search positions
        std::uint8_t walkBefore;
    };
    std::vector<SearchLeg> legs;
    std::size_t alight = c.alightPosition;
    const PathNode* origin = nullptr;
    for (const PathNode* b = c.node; b != nullptr;) {
        legs.push_back(SearchLeg{b->tt, b->trip, b->tripDay, b->position, alight, b->walk});
        const PathNode* a = b->parent;
        if (a->kind == PathNode::kOrigin) {
            origin = a;
            break;
        }
        alight = a->position;
        b = a->parent;
    }
    std::reverse(legs.begin(), legs.end());
    const cZastavkaZadani& searchFrom = work_.from.at(origin->position);
    const cZastavkaZadani& searchTo = work_.to.at(static_cast<std::size_t>(c.toIndex));
    const cZastavkaZadani& realFrom = mirrored_ ? searchTo : searchFrom;
    const cZastavkaZadani& realTo = mirrored_ ? searchFrom : searchTo;

    BuiltConnection out;
    const std::size_t count = legs.size();
    std::vector<cUsekSpojeni> real;
    for (std::size_t j = 0; j < count; ++j) {
        const SearchLeg& sl = mirrored_ ? legs[count - 1 - j] : legs[j];
        const cJizdniRad& jr = combination_.timetable(sl.tt);
        const cSpoje& s = jr.trips;
        const std::size_t n = s.stopCount(sl.trip);
        const std::size_t rb = mirrored_ ? n - 1 - sl.alight : sl.board;
        const std::size_t ra = mirrored_ ? n - 1 - sl.board : sl.alight;
        const std::int64_t day = mirrored_ ? kMirrorDay - sl.tripDay : sl.tripDay;
        const std::uint16_t boardStop = s.stopAt(sl.trip, rb);
        const std::uint16_t alightStop = s.stopAt(sl.trip, ra);
        const std::int64_t dep =
            day * kMinutesPerDay + s.departureTime(sl.trip, rb) + shiftOf(sl.tt, boardStop);
        const std::int64_t arr =
            day * kMinutesPerDay + s.arrivalTime(sl.trip, ra) + shiftOf(sl.tt, alightStop);
        cUsekSpojeni leg{};
        leg.trip = sl.trip;
        leg.boardPosition = static_cast<std::uint8_t>(rb);
        leg.alightPosition = static_cast<std::uint8_t>(ra);
        leg.departureMinute = static_cast<std::int16_t>(((dep % 1440) + 1440) % 1440);
        leg.departureDay = static_cast<std::int16_t>(floorDiv(dep, 1440));
        leg.arrivalMinute = static_cast<std::int16_t>(((arr % 1440) + 1440) % 1440);
        leg.arrivalDay = static_cast<std::int16_t>(floorDiv(arr, 1440));
        const std::uint32_t slot =
            jr.passages.findPassage(boardStop, sl.trip, static_cast<std::uint8_t>(rb));
        leg.departureSlot = static_cast<std::uint16_t>(
            slot == cPrujezdyZastavek::kNoPassage ? cUsekSpojeni::kWalkingSlot - 1 : slot);
        const std::int32_t d1 = s.distanceTo(sl.trip, rb);
        const std::int32_t d2 = s.distanceTo(sl.trip, ra);
        leg.distance = (d1 < 0 || d2 < 0) ? -1 : d2 - d1;
        leg.rideMinutes = static_cast<std::int32_t>(arr - dep);
        leg.timetable = static_cast<std::uint8_t>(sl.tt);
        leg.boardStop = boardStop;
        leg.alightStop = alightStop;
        leg.walkTimetable = static_cast<std::uint8_t>(sl.tt);
        leg.walkStop = alightStop;
        leg.walkMinutes = cUsekSpojeni::kNoWalkLink;
        real.push_back(leg);
        out.lineNames.push_back(s.lineNameOfTrip(sl.trip, jr.noteLinks()));
    }
    // Walks between legs: the walk from real leg j to leg j + 1 is kept on the search leg
    // boarded after it (in the mirrored search that is the leg that comes first in reality).
    for (std::size_t j = 0; j + 1 < count; ++j) {
        const std::uint8_t walk =
            mirrored_ ? legs[count - 1 - j].walkBefore : legs[j + 1].walkBefore;
        cUsekSpojeni& leg = real[j];
        const cUsekSpojeni& next = real[j + 1];
        leg.walkTimetable = next.timetable;
        leg.walkStop = next.boardStop;
        if (next.timetable != leg.timetable || next.boardStop != leg.alightStop) {
            leg.walkMinutes = walk;
        }
    }
    if (realTo.walkMinutes != 0) {
        cUsekSpojeni& last = real.back();
        last.walkMinutes = realTo.walkMinutes;
        if (realTo.sourceTimetable >= 0 && realTo.sourceStop >= 0) {
            last.walkTimetable = static_cast<std::uint8_t>(realTo.sourceTimetable);
            last.walkStop = static_cast<std::uint16_t>(realTo.sourceStop);
        }
    }
    out.finalWalkMinutes = realTo.walkMinutes;
    {
        // Elapsed time on the timetables' own clock, without the stops' shifts.
        const SearchLeg& firstLeg = mirrored_ ? legs.back() : legs.front();
        const SearchLeg& lastLeg = mirrored_ ? legs.front() : legs.back();
        const cSpoje& fs = trips(firstLeg.tt);
        const cSpoje& ls = trips(lastLeg.tt);
        const std::size_t fn = fs.stopCount(firstLeg.trip);
        const std::size_t ln = ls.stopCount(lastLeg.trip);
        const std::int64_t fday = mirrored_ ? kMirrorDay - firstLeg.tripDay : firstLeg.tripDay;
        const std::int64_t lday = mirrored_ ? kMirrorDay - lastLeg.tripDay : lastLeg.tripDay;
        const std::int64_t dep =
            fday * kMinutesPerDay +
            fs.departureTime(firstLeg.trip, mirrored_ ? fn - 1 - firstLeg.alight : firstLeg.board);
        const std::int64_t arr =
            lday * kMinutesPerDay +
            ls.arrivalTime(lastLeg.trip, mirrored_ ? ln - 1 - lastLeg.board : lastLeg.alight);
        out.elapsedMinutes =
            static_cast<std::int32_t>(arr - dep + realFrom.walkMinutes + realTo.walkMinutes);
    }
    if (realFrom.walkMinutes != 0) {
        const cUsekSpojeni& first = real.front();
        cUsekSpojeni walk{};
        const std::int64_t dep =
            static_cast<std::int64_t>(first.departureDay) * 1440 + first.departureMinute;
        const std::int64_t start = dep - realFrom.walkMinutes;
        walk.departureMinute = static_cast<std::int16_t>(((start % 1440) + 1440) % 1440);
        walk.departureDay = static_cast<std::int16_t>(floorDiv(start, 1440));
        walk.arrivalMinute = first.departureMinute;
        walk.arrivalDay = first.departureDay;
        walk.departureSlot = cUsekSpojeni::kWalkingSlot;
        walk.distance = -1;
        walk.rideMinutes = realFrom.walkMinutes;
        walk.timetable = first.timetable;
        walk.boardStop = first.boardStop;
        if (realFrom.sourceTimetable == first.timetable && realFrom.sourceStop >= 0) {
            walk.boardStop = static_cast<std::uint16_t>(realFrom.sourceStop);
        }
        walk.alightStop = first.boardStop;
        walk.walkTimetable = first.timetable;
        walk.walkStop = first.boardStop;
        walk.walkMinutes = realFrom.walkMinutes;
        real.insert(real.begin(), walk);
        out.lineNames.insert(out.lineNames.begin(), std::string());
    }
    out.legs = std::move(real);
    return out;
}

std::unique_ptr<cVysledekHledani> Searcher::buildResult(const cZadaniHledani& realRequest) {
    auto result = std::make_unique<cVysledekHledani>();
    for (const std::size_t i : selected_) {
        const Candidate& c = candidates_[i];
        if (c.start > standardWindow_) {
            continue;
        }
        result->addConnection(buildConnection(c));
    }
    result->request = realRequest;
    result->focus = 0;
    result->finish();
    return result;
}

RunOutcome Searcher::run(const cZadaniHledani& request, bool nextOrPrevious, int currentMinute,
                         int currentDay, platform::WindowHandle window) {
    window_ = window;
    nextOrPrevious_ = nextOrPrevious;
    RunOutcome out;
    out.status = setUp(request, currentMinute, currentDay);
    if (out.status != 0) {
        return out;
    }
    out.status = mainLoop();
    if (out.status == 0) {
        out.result = buildResult(request);
    }
    out.jumped = jumped_;
    platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS, 100);
    return out;
}

}  // namespace

RunOutcome runSearch(cHledani& searcher, cSestava& set, EnginePagePool& pool,
                     SearchScratch& scratch, std::uint32_t pageLimit, const cZadaniHledani& request,
                     bool nextOrPrevious, int currentMinute, int currentDay,
                     platform::WindowHandle window) {
    RunOutcome out;
    RunPages pages(pool, pageLimit);
    try {
        Searcher runner(searcher, set, pages, scratch);
        out = runner.run(request, nextOrPrevious, currentMinute, currentDay, window);
        out.pagesTaken = pages.taken();
        if (out.status < 0) {
            pool.releaseAll();
            return out;
        }
    } catch (...) {
        pool.releaseAll();
        if (currentEngineCode() == ENGINE_EXC_OUT_OF_MEMORY) {
            out = RunOutcome{};
            out.status = kSearchOutOfMemory;
            out.pagesTaken = pages.taken();
            return out;
        }
        throw;
    }
    // The pages go back to the pool, which keeps its first region's pages ready for the next
    // run instead of faulting them in again.
    pool.recycle();
    return out;
}

}  // namespace trasovnik
