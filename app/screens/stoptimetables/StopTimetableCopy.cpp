#include "app/screens/stoptimetables/StopTimetableCopy.h"

#include "app/core/TextConversion.h"

#include <algorithm>

namespace pelorvant {

namespace {

std::int32_t boundedCount(std::int32_t count, std::int32_t most) { return std::clamp(count, 0, most); }

std::u16string readText(std::int32_t length, const auto& copyInto) {
    const std::int32_t n = boundedCount(length, kStMaxTextLength);
    if (n == 0) return {};
    std::string bytes(static_cast<std::size_t>(n), '\0');
    if (copyInto(bytes.data()) != ENGINE_OK) return {};
    return fromNarrowString(bytes);
}

// The note's position in the list of all notes, appended when new.
std::int32_t notePosition(std::vector<std::u16string>& notes, const std::u16string& text) {
    const auto at = std::find(notes.begin(), notes.end(), text);
    if (at != notes.end()) return static_cast<std::int32_t>(at - notes.begin());
    notes.push_back(text);
    return static_cast<std::int32_t>(notes.size() - 1);
}

StDayGroup copyGroup(const EngineApi& api, const cStVysledek* result, std::int32_t g,
                     std::vector<std::u16string>& notes) {
    StDayGroup group;
    std::int32_t counts[24] = {};
    std::int32_t textLength = 0;
    std::int32_t noteCount = 0;
    if (api.api_stGetDatumLength(result, g, counts, &textLength, &noteCount) != ENGINE_OK) return group;
    group.validity = readText(textLength, [&](char* buffer) { return api.api_stGetDatumPopisText(result, g, buffer); });

    // The group's own note numbers mapped to positions in the list of all notes.
    std::vector<std::int32_t> groupNotes;
    const std::int32_t notesHere = boundedCount(noteCount, kStMaxDeparturesPerHour);
    for (std::int32_t j = 0; j < notesHere; ++j) {
        std::int32_t length = 0;
        if (api.api_stGetDatumPoznamkaLength(result, g, j, &length) != ENGINE_OK) length = 0;
        const std::u16string text =
            readText(length, [&](char* buffer) { return api.api_stGetDatumPoznamkaText(result, g, j, buffer); });
        groupNotes.push_back(notePosition(notes, text));
    }

    for (std::int32_t h = 0; h < 24; ++h) {
        const std::int32_t n = boundedCount(counts[h], kStMaxDeparturesPerHour);
        auto& row = group.hours[static_cast<std::size_t>(h)];
        row.reserve(static_cast<std::size_t>(n));
        for (std::int32_t k = 0; k < n; ++k) {
            StDeparture d;
            std::int32_t note = -1;
            if (api.api_stGetDatumMinuta(result, g, h, k, &d.minute, &d.trip, &d.position, &note) != ENGINE_OK) continue;
            d.minute = std::clamp(d.minute, 0, 59);
            d.note = note >= 0 && note < static_cast<std::int32_t>(groupNotes.size())
                         ? groupNotes[static_cast<std::size_t>(note)]
                         : -1;
            row.push_back(d);
        }
    }
    return group;
}

}  // namespace

int StopTimetableCopy::fromRow() const {
    for (std::size_t i = 0; i < routeStops.size(); ++i) {
        if (routeStops[i].minutes == 0) return static_cast<int>(i);
    }
    return -1;
}

StopTimetableCopy copyStopTimetable(const EngineApi& api, const cStVysledek* result, std::int32_t groupCount,
                                    std::int32_t routeStopCount) {
    StopTimetableCopy copy;
    if (result == nullptr) return copy;
    const std::int32_t stops = boundedCount(routeStopCount, kStMaxRouteStops);
    for (std::int32_t i = 0; i < stops; ++i) {
        StRouteStop s;
        if (api.api_stGetTrasaZastavka(result, i, &s.stop, &s.occurrence, &s.minutes, &s.distance) == ENGINE_OK) {
            copy.routeStops.push_back(s);
        }
    }
    const std::int32_t groups = boundedCount(groupCount, kStMaxGroups);
    for (std::int32_t g = 0; g < groups; ++g) copy.groups.push_back(copyGroup(api, result, g, copy.notes));
    return copy;
}

}  // namespace pelorvant
