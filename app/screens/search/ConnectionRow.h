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
};

// Reads a stored result's rows. Any engine call's failing status is kept in `status`
// (ENGINE_OK otherwise) and ends the reading.
class ConnectionRowBuilder {
public:
    // api outlives the builder; searchDay is the day number of the date searched for.
    ConnectionRowBuilder(const EngineApi& api, std::int32_t set, std::int16_t searchDay);

    std::vector<cConnectionRow> readResult(std::int32_t resultId);
    cConnectionRow buildRow(const cSpojeni& connection);
    // Puts another trip in place of a leg of the row and recomputes its items.
    void replaceLeg(cConnectionRow& row, cUsekSpojeni* oldLeg, cUsekSpojeni* newLeg);

    std::int32_t status = ENGINE_OK;

private:
    void fillItems(cConnectionRow& row);
    platform::draw::Color lineColour(const cUsekSpojeni& leg);

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
