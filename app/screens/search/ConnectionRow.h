#pragma once
// The rows of the results list as data (cConnectionRow): one row per connection of a stored
// result, its items (first stop, every transfer stop, a walk's target, the final stop) with
// times, names, line and its colour, notes and the "another day" flags, and the summary of
// duration and distance.
// Built from the engine's leg records, which stay valid while the result is stored.
#include "app/core/EngineBinding.h"
#include "app/core/EngineTexts.h"

#include "platform/draw/Color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uint16_t kNoStop = 0xFFFF;
inline constexpr std::uint16_t kWalkingLegSlot = 0xFFFF;
inline constexpr std::uint8_t kNoWalk = 255;

struct ConnectionRowItem {
    std::u16string stop;           // name with note marks
    std::u16string departureTime;  // "7:05"; empty on the last item
    std::u16string arrivalTime;    // empty on the first item
    std::u16string lineName;
    std::u16string notes;  // the leg's note texts joined by ", "
    std::u16string walkText;
    int walkMinutes = 0;
    std::uint16_t stopIndex = kNoStop;
    std::int32_t timetable = 0;
    bool walking = false;
    bool departureDiffers = false;
    bool arrivalDiffers = false;
    platform::draw::Color lineColour = 0;
    cUsekSpojeni* leg = nullptr;  // the leg that departs here (engine-owned); null on the last item
    std::int16_t departureDay = 0;
    std::int16_t arrivalDay = 0;
};

struct cConnectionRow {
    std::vector<cUsekSpojeni*> legs;  // engine-owned
    std::vector<ConnectionRowItem> items;
    std::u16string summary;
    int activeItem = -1;  // -1: none
    // The duration and distance of the connection as the row shows them now (the engine's when
    // it was read, kept true when a leg is stepped to another trip).
    std::int32_t totalMinutes = 0;
    std::int32_t distance = -1;
    // The engine's duration with the journey's start and end it belongs to (absolute minutes).
    std::int32_t readMinutes = 0;
    std::int64_t readStart = 0;
    std::int64_t readEnd = 0;
};

// Absolute minutes of a leg's departure and arrival (day number × 1440 + minute).
std::int64_t departureOf(const cUsekSpojeni& leg);
std::int64_t arrivalOf(const cUsekSpojeni& leg);
// When the journey of the legs starts: the first trip's departure less the walks before it
// (the first leg's departure when no leg is a trip).
std::int64_t journeyStart(const std::vector<cUsekSpojeni*>& legs);
// When it ends: the last leg's arrival.
std::int64_t journeyEnd(const std::vector<cUsekSpojeni*>& legs);

// Reads a stored result's rows. Any engine call's failing status is kept in `status`
// (ENGINE_OK otherwise) and ends the reading.
class ConnectionRowBuilder {
public:
    // api outlives the builder; searchDay is the day number of the date searched for.
    ConnectionRowBuilder(const EngineApi& api, std::int32_t set, std::int16_t searchDay);

    std::vector<cConnectionRow> readResult(std::int32_t resultId);
    cConnectionRow buildRow(const cSpojeni& connection);
    // Puts another trip in place of a leg of the row and recomputes its items and summary;
    // refused (false, the row as it was) when the connection could then not be ridden.
    bool replaceLeg(cConnectionRow& row, cUsekSpojeni* oldLeg, cUsekSpojeni* newLeg);
    // Whether every transfer between the legs can be made: the next trip leaves no earlier than
    // the arrival plus the walk to its stop, or at the same stop plus the timetable's minimum
    // minutes for a transfer (as the search keeps them).
    bool connects(const std::vector<cUsekSpojeni*>& legs);

    std::int32_t status = ENGINE_OK;

private:
    void fillItems(cConnectionRow& row);
    void fillSummary(cConnectionRow& row) const;
    platform::draw::Color lineColour(const cUsekSpojeni& leg);
    std::int32_t minimumTransfer(std::int32_t timetable);

    const EngineApi& api_;
    EngineTexts texts_;
    std::int32_t set_;
    std::int16_t searchDay_;
};

// The trip leg of item `item` of a row: the trip that departs there, or on the last item the
// trip that arrives there; null on a walk, on a walk's target at the end, or out of range.
cUsekSpojeni* tripLegOfItem(const cConnectionRow& row, int item);
// The note texts of a leg's trip joined by ", " ("" when it has none or the engine refuses).
std::u16string legNotesText(const EngineApi& api, std::int32_t set, const cUsekSpojeni& leg);
// The line name of a leg (engine text, not terminated).
std::u16string legLineName(const cUsekSpojeni& leg);
// ", 12 km": distance / 1000, one more when the remainder exceeds 500 m; "" when negative.
std::u16string distanceText(std::int32_t metres);

}  // namespace pelorvant
