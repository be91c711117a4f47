#pragma once
// How the description's trips become the trips section: route records over shared runs of
// stop items, shared time patterns, validity entries, the distance overflow table, and the
// passages of every stop. The compiler lays the trips out once and writes the stops, trips and
// passages sections from that one layout, so that the sections agree.

#include <compare>
#include <cstdint>
#include <utility>
#include <vector>

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContentWriter.h"

namespace jz {

struct LaidStopItem {
    std::uint16_t stop = 0;
    std::uint16_t packed = 0;  // bit 15 boarding, bit 14 alighting, 14-bit distance step
    std::uint8_t note = 0;     // 0, or 1 + index in the passage-note table
    std::int64_t step = -1;    // the distance step it stands for; -1 when missing
};

struct LaidRoute {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint16_t line = 0;
    std::uint16_t lineNameIndex = 0;
    bool inThousands = false;
};

struct LaidTrip {
    int start = 0;  // start minute, 0-1439
    bool reversed = false;
    bool noRideWithinGroup = false;
    std::uint32_t route = 0;
    std::uint16_t arrivalPattern = 0;
    std::uint16_t departurePattern = 0;
    std::uint16_t validity = 0;
    std::uint8_t firstOffset = 0;
    std::uint8_t stopCount = 0;
    // Per position: stop, and arrival and departure in minutes from midnight of the start day.
    std::vector<std::uint16_t> stops;
    std::vector<int> arrivals;
    std::vector<int> departures;
};

struct ValidityEntry {
    std::uint16_t notes = 0;
    std::uint16_t value = 0;
    std::uint16_t calendar = 0;
    auto operator<=>(const ValidityEntry&) const = default;
};

struct TripLayout {
    std::vector<LaidRoute> routes;
    std::vector<LaidStopItem> items;
    bool itemNotes = false;
    std::vector<std::uint32_t> passageNoteTable;  // attachment indexes
    std::vector<std::pair<std::uint32_t, std::uint32_t>> overflow;
    std::vector<std::vector<std::uint16_t>> packedPatterns;
    std::vector<std::vector<std::int16_t>> plainPatterns;
    std::vector<ValidityEntry> validity;
    std::vector<LaidTrip> trips;
    std::vector<std::uint32_t> passageCountOfStop;
};

// Lays out the description's trips; a CompileError names the trip and field at fault.
TripLayout layoutTrips(CompileContext& ctx);

// Trips held compactly in memory by a front end that has millions of stop times (the feed
// importer): indexes into the description's stops, lines and calendars instead of ids, no
// notes. The description's "trips" are then ignored.
struct CompactTripStop {
    std::uint16_t stop = 0;
    bool board = true;
    bool alight = true;
    int arr = 0;  // minutes after midnight of the calendar's day
    int dep = 0;
    std::int64_t step = -1;  // distance from the previous stop; -1 when unknown
};
struct CompactTrip {
    std::uint16_t line = 0;
    std::uint16_t calendar = 0;
    bool inThousands = false;
    bool noRideWithinGroup = false;
    std::uint32_t first = 0;  // its first stop in CompactTripTable::stops
    std::uint32_t count = 0;
};
struct CompactTripTable {
    std::vector<CompactTrip> trips;
    std::vector<CompactTripStop> stops;
};
TripLayout layoutTrips(CompileContext& ctx, const CompactTripTable& table);

// One passage of a stop: a trip at a position (for the mirrored rows, a mirrored position).
struct LaidPassage {
    std::uint32_t trip = 0;
    std::uint8_t position = 0;
    int minute = 0;
};

// The rows of the passages section: per stop its passages ordered by departure minute, and
// per stop its mirrored passages ordered by mirrored arrival minute (1439 - arrival).
struct PassageRows {
    std::vector<std::vector<LaidPassage>> byStop;
    std::vector<std::vector<LaidPassage>> mirrored;
};
PassageRows layoutPassages(const TripLayout& layout, std::size_t stopCount);

// The passages section as written: the rows, the slot of every trip position in its stop's
// row, and the section's totals (position and extension bytes, passages, row count).
struct PassageSection {
    PassageRows rows;
    std::vector<std::vector<std::uint16_t>> slots;
    std::uint32_t bytes = 0;
    std::uint32_t passages = 0;
    std::uint32_t rowCount = 0;
};
PassageSection layoutPassageSection(const TripLayout& layout);

// Serialise the sections (tests use them to write layouts they have altered).
void writeTripsSection(CompileContext& ctx, const TripLayout& layout, ContentWriter& out);
void writePassageSection(const PassageSection& section, ContentWriter& out);

}  // namespace jz
