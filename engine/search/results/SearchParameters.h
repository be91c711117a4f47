#pragma once
// The search parameters of a loaded timetable set: one record per timetable file with the
// limits and penalties of the connection search, the line kinds it may use and a flag word per
// trip and per stop, plus the set-wide values derived from those records before each search.
// The records start from each file's own search defaults.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {

class cJizdniRad;

// Bits of a trip's flag word.
inline constexpr std::uint32_t kTripUsable = 1u << 0;  // the search may use the trip
inline constexpr std::uint32_t kTripScNote = 1u << 1;  // the trip carries the "SC" note
// Bits of a stop's flag word, set by the search for its current request.
inline constexpr std::uint32_t kStopFrom = 1u << 0;
inline constexpr std::uint32_t kStopFromOnFoot = 1u << 1;
inline constexpr std::uint32_t kStopVia = 1u << 2;
inline constexpr std::uint32_t kStopTo = 1u << 3;
inline constexpr std::uint32_t kStopToOnFoot = 1u << 4;
inline constexpr std::uint32_t kStopRequestBits =
    kStopFrom | kStopFromOnFoot | kStopVia | kStopTo | kStopToOnFoot;

// The ranges that the parameter setters keep, and that a timetable file's own defaults are
// held to as well: a file is not trusted to size the search (a window of two billion minutes
// would size its minute table accordingly).
inline constexpr std::int32_t kMinResultConnections = 1;
inline constexpr std::int32_t kMaxResultConnections = 50;
inline constexpr std::int32_t kMinWindowMinutes = 60;
inline constexpr std::int32_t kMaxWindowMinutes = 7200;
inline constexpr std::int32_t kMaxTransferMinutes = 240;
inline constexpr std::int32_t kMaxTransferPenalty = 60;
inline constexpr std::int32_t kMaxDefaultTransfers = 20;
// No export changes the walking values. A walk's minutes are kept in a byte, so a pace or a
// limit above 255 minutes cannot be honoured; a pace below 1 minute per kilometre would make
// every stop of the file a stop at hand.
inline constexpr std::int32_t kMinWalkingPace = 1;
inline constexpr std::int32_t kMaxWalkingPace = 255;
inline constexpr std::int32_t kMaxWalkingLimit = 255;

// The parameters of one timetable file of a set.
struct cParametryHledaniRadu {
    std::int32_t maxResultConnections = 0;
    std::int32_t standardMinutes = 0;  // the window searched first
    std::int32_t maximumMinutes = 0;   // the window searched when the first found nothing
    std::uint8_t minimumTransfer = 0;  // minutes
    std::uint8_t safeTransfer = 0;     // minutes
    std::uint8_t transferPenalty = 0;
    std::uint8_t transferRequiredAtVia = 0;
    std::uint8_t useScMarking = 0;
    std::int32_t defaultTransfers = 0;
    std::int32_t walkingLimit = 0;             // minutes from a point
    std::int32_t walkingPace = 0;              // minutes per kilometre
    std::vector<std::uint8_t> mayUseLineKind;  // one per line kind of the file, 0 or 1
    std::vector<std::uint32_t> tripFlags;      // one per trip of the file
    std::vector<std::uint32_t> stopFlags;      // one per stop of the file
};

// The parameters of a whole set.
class cParametryHledani {
public:
    static constexpr std::int32_t kNoWantedLimit = 100000;
    static constexpr std::int32_t kLongestWindow = kMaxWindowMinutes;

    // Records for the timetables of a set, in set order, refreshed from their defaults. The
    // timetables are not owned and must outlive the parameters.
    explicit cParametryHledani(std::vector<const cJizdniRad*> timetables);

    // Every record filled again from its timetable's defaults, then prepare().
    void refresh();
    // Derives the set-wide values and the trips' flag bits from the records; runs before
    // every search. The trips' bits are derived again only when the record's line kinds or
    // "SC" marking changed since the last preparation; whoever changes `tripFlags` by hand
    // must call refresh().
    void prepare();

    std::size_t count() const { return records_.size(); }
    // ENGINE_EXC_INDEX for a timetable index outside the set.
    cParametryHledaniRadu& record(std::size_t timetable) {
        if (timetable >= records_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        return records_[timetable];
    }
    const cParametryHledaniRadu& record(std::size_t timetable) const {
        if (timetable >= records_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        return records_[timetable];
    }

    std::int32_t wantedConnections() const { return wantedConnections_; }
    std::int32_t standardWindow() const { return standardWindow_; }
    std::int32_t maximumWindow() const { return maximumWindow_; }
    std::int32_t setDefaultTransfers() const { return setDefaultTransfers_; }

private:
    void markScTrips(const cJizdniRad& timetable, cParametryHledaniRadu& record) const;

    std::vector<const cJizdniRad*> timetables_;
    std::vector<cParametryHledaniRadu> records_;
    // Per record, what its trips' bits were last derived from.
    struct PreparedTrips {
        bool valid = false;
        bool sc = false;
        std::vector<std::uint8_t> kinds;
        std::size_t tripCount = 0;
    };
    std::vector<PreparedTrips> prepared_;
    std::int32_t wantedConnections_ = kNoWantedLimit;
    std::int32_t standardWindow_ = 0;
    std::int32_t maximumWindow_ = 0;
    std::int32_t setDefaultTransfers_ = 0;
};

}  // namespace trasovnik
