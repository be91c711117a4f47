#pragma once
// cVysledekHledani: one stored search result. It owns the connection records handed to the
// program (cSpojeni, their legs, the legs' line-name texts, the alternatives built for a leg)
// and a copy of the request that produced it. Addresses of those records stay valid as long as
// the result lives.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search/results/ResultRecords.h"
#include "engine/search/results/SearchRequest.h"

namespace trasovnik {

// A minute of day with its day number.
struct MinuteDay {
    std::int16_t minute = 0;
    std::int16_t day = 0;
    bool operator==(const MinuteDay&) const = default;
};

// One connection as the search builds it, before it is stored.
struct BuiltConnection {
    std::vector<cUsekSpojeni> legs;  // lineName pointers are ignored; names below
    std::vector<std::string> lineNames;
    std::int32_t finalWalkMinutes = 0;  // walk from the last alighting stop to the To place
    // Minutes from the first departure to the arrival at the To place as they pass (legs show
    // the local clock of their stops, which a stop's time shift may move); -1 to take them
    // from the legs.
    std::int32_t elapsedMinutes = -1;
};

class cVysledekHledani {
public:
    cVysledekHledani() = default;
    cVysledekHledani(const cVysledekHledani&) = delete;
    cVysledekHledani& operator=(const cVysledekHledani&) = delete;

    // Appends a connection (distance and total minutes computed here).
    void addConnection(BuiltConnection connection);
    // Appends copies of every connection of `other`.
    void addConnectionsOf(const cVysledekHledani& other);
    // Orders the connections by first departure, then arrival (final walk included), then
    // fewer legs, and takes the four time pairs from the first and the last connection.
    void finish();

    std::int32_t count() const { return static_cast<std::int32_t>(records_.size()); }
    // The engine-owned record of connection i; null outside the result.
    const cSpojeni* connection(std::int32_t i) const;
    cSpojeni* connection(std::int32_t i);
    // Whether `leg` is one of this result's legs or alternatives.
    bool ownsLeg(const cUsekSpojeni* leg) const;
    // Keeps an alternative built for a leg; its line name is copied. The returned record
    // lives with the result; the caller links it.
    cVysledekSpoj* keepAlternative(const cVysledekSpoj& record, std::string_view lineName);

    cZadaniHledani request;
    MinuteDay firstDeparture, lastDeparture, firstArrival, lastArrival;
    std::int32_t focus = 0;

    // The built form of connection i (for merging and tests).
    const BuiltConnection& built(std::int32_t i) const {
        return *order_[static_cast<std::size_t>(i)];
    }

private:
    void rebuildRecords();

    std::deque<BuiltConnection> owned_;       // stable addresses
    std::vector<BuiltConnection*> order_;     // connections in result order
    std::vector<cSpojeni> records_;           // point into owned_
    std::deque<cVysledekSpoj> alternatives_;  // stable addresses
    std::deque<std::string> alternativeNames_;
};

}  // namespace trasovnik
