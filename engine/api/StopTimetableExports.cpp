// Stop timetables: the search and the getters of its result, which the caller owns until it
// gives it back.
#include <cstring>
#include <memory>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineException.h"
#include "engine/search/stoptimetables/StopTimetableSearch.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

const cStVysledek& resultArgument(const cStVysledek* result) {
    if (result == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return *result;
}

// Element i of a result table; ENGINE_EXC_INDEX outside it.
template <class T>
const T& itemAt(const std::vector<T>& table, int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= table.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return table[static_cast<std::size_t>(i)];
}

const cStDatum& groupAt(const cStVysledek* result, int32_t g) {
    return *itemAt(resultArgument(result).groups, g);
}

void copyBytes(const std::string& text, char* buffer) {
    if (buffer == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    std::memcpy(buffer, text.data(), text.size());
}

}  // namespace

extern "C" {

int32_t api_stSearch(int32_t setIndex, int32_t timetable, const char* lineText,
                     int32_t lineTextLength, int32_t lineIndex, int32_t fromValue,
                     int32_t fromOccurrence, int32_t toValue, int32_t toOccurrence,
                     int16_t dayNumber, uint8_t week, cStVysledek** result, int32_t* engineStatus,
                     int32_t* reserved, int32_t* stStatus, int32_t* groupCount,
                     int32_t* routeStopCount, int32_t* queryItemCount, int32_t* directionListCount,
                     int32_t* lineCandidateCount) {
    return guarded([&] {
        auto& outResult = out(result);
        int32_t* counts[] = {engineStatus,       reserved,          stStatus,
                             groupCount,         routeStopCount,    queryItemCount,
                             directionListCount, lineCandidateCount};
        outResult = nullptr;
        for (int32_t* c : counts) {
            out(c) = 0;
        }
        StQuery query;
        query.lineText = textArgument(lineText, lineTextLength);
        query.lineIndex = lineIndex;
        query.fromValue = fromValue;
        query.fromOccurrence = fromOccurrence;
        query.toValue = toValue;
        query.toOccurrence = toOccurrence;
        query.day = dayNumber;
        query.week = week != 0;
        std::unique_ptr<cStVysledek> found = stSearch(timetableOf(setIndex, timetable), query);
        *stStatus = found->status;
        *groupCount = static_cast<int32_t>(found->groups.size());
        *routeStopCount = static_cast<int32_t>(found->routeStops.size());
        *queryItemCount = static_cast<int32_t>(found->queryItems.size());
        *directionListCount = static_cast<int32_t>(found->directionLists.size());
        *lineCandidateCount = static_cast<int32_t>(found->lineCandidates.size());
        outResult = found.release();
    });
}

int32_t api_stGetZadani(const cStVysledek* result, int32_t item, int32_t* value) {
    return guarded([&] { out(value) = itemAt(resultArgument(result).queryItems, item); });
}

int32_t api_stGetZadaniSmerLength(const cStVysledek* result, int32_t item, int32_t* count) {
    return guarded([&] {
        out(count) =
            static_cast<int32_t>(itemAt(resultArgument(result).queryDirections, item).size());
    });
}

int32_t api_stGetZadaniSmer(const cStVysledek* result, int32_t item, int32_t* directions) {
    return guarded([&] {
        const std::vector<std::int32_t>& dirs =
            itemAt(resultArgument(result).queryDirections, item);
        if (!dirs.empty()) {
            std::memcpy(&out(directions), dirs.data(), dirs.size() * sizeof(std::int32_t));
        }
    });
}

int32_t api_stGetZadaniLinkaIndex(const cStVysledek* result, int32_t candidate,
                                  int32_t* lineIndex) {
    return guarded(
        [&] { out(lineIndex) = itemAt(resultArgument(result).lineCandidates, candidate); });
}

int32_t api_stGetTrasaZastavka(const cStVysledek* result, int32_t routeStop, int32_t* stop,
                               int32_t* occurrence, int32_t* minutes, int32_t* distance) {
    return guarded([&] {
        const cStZastavkaTrasy& s = itemAt(resultArgument(result).routeStops, routeStop);
        out(stop) = s.stop;
        out(occurrence) = s.occurrence;
        out(minutes) = s.minutes;
        out(distance) = static_cast<int32_t>(s.distance);
    });
}

int32_t api_stGetDatumLength(const cStVysledek* result, int32_t group, int32_t* hourCounts,
                             int32_t* textLength, int32_t* noteCount) {
    return guarded([&] {
        const cStDatum& g = groupAt(result, group);
        if (hourCounts == nullptr) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        for (std::size_t h = 0; h < g.hours.size(); ++h) {
            hourCounts[h] = static_cast<int32_t>(g.hours[h].size());
        }
        out(textLength) = static_cast<int32_t>(g.text.size());
        out(noteCount) = static_cast<int32_t>(g.notes.size());
    });
}

int32_t api_stGetDatumPoznamkaLength(const cStVysledek* result, int32_t group, int32_t note,
                                     int32_t* length) {
    return guarded([&] {
        out(length) = static_cast<int32_t>(itemAt(groupAt(result, group).notes, note).text.size());
    });
}

int32_t api_stGetDatumPoznamkaText(const cStVysledek* result, int32_t group, int32_t note,
                                   char* buffer) {
    return guarded([&] { copyBytes(itemAt(groupAt(result, group).notes, note).text, buffer); });
}

int32_t api_stGetDatumPopisText(const cStVysledek* result, int32_t group, char* buffer) {
    return guarded([&] { copyBytes(groupAt(result, group).text, buffer); });
}

int32_t api_stGetDatumMinuta(const cStVysledek* result, int32_t group, int32_t hour, int32_t index,
                             int32_t* minute, int32_t* trip, int32_t* position, int32_t* note) {
    return guarded([&] {
        const cStDatum& g = groupAt(result, group);
        if (hour < 0 || hour >= 24) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        const cStOdjezd& d = itemAt(g.hours[static_cast<std::size_t>(hour)], index);
        out(minute) = d.minute;
        out(trip) = d.trip;
        out(position) = d.position;
        out(note) = d.note;
    });
}

int32_t api_stSearch_ReleaseMemory(cStVysledek* result) {
    return guarded([&] { delete result; });
}

}  // extern "C"
