#pragma once
// One row of a trip listing as the program reads it: a stop of the trip with its notes, its
// times and its distance from the trip's first stop. The rows and their note arrays are made
// with the C heap and belong to the caller, who frees them.

#include <cstddef>
#include <cstdint>

namespace trasovnik {

struct cRadekVypisuSpoje {
    std::uint16_t stop;
    std::int32_t* stopNotes;  // note indexes of the stop
    std::uint8_t stopNoteCount;
    std::int32_t* passageNotes;  // notes of the trip at this stop
    std::uint8_t passageNoteCount;
    std::int16_t arrivalMinute;  // 0..1439
    std::int16_t arrivalDay;
    std::int16_t departureMinute;
    std::int16_t departureDay;
    std::int32_t distance;  // from the trip's first stop; -1 when unknown
};

static_assert(offsetof(cRadekVypisuSpoje, stop) == 0);
static_assert(offsetof(cRadekVypisuSpoje, stopNotes) == sizeof(void*));
static_assert(offsetof(cRadekVypisuSpoje, stopNoteCount) == 2 * sizeof(void*));
static_assert(offsetof(cRadekVypisuSpoje, passageNotes) == 3 * sizeof(void*));
static_assert(offsetof(cRadekVypisuSpoje, passageNoteCount) == 4 * sizeof(void*));
static_assert(offsetof(cRadekVypisuSpoje, arrivalMinute) == 4 * sizeof(void*) + 2);
static_assert(offsetof(cRadekVypisuSpoje, arrivalDay) == 4 * sizeof(void*) + 4);
static_assert(offsetof(cRadekVypisuSpoje, departureMinute) == 4 * sizeof(void*) + 6);
static_assert(offsetof(cRadekVypisuSpoje, departureDay) == 4 * sizeof(void*) + 8);
static_assert(offsetof(cRadekVypisuSpoje, distance) == 4 * sizeof(void*) + 12);
static_assert(sizeof(cRadekVypisuSpoje) == 4 * sizeof(void*) + 16);

}  // namespace trasovnik
