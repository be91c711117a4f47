#pragma once
// An engine failure while a stop timetable is searched (not a status of the query: the engine
// itself failed) cannot be gone round: the user is told in a box and the program ends in order.
#include <cstdint>

namespace pelorvant {

// engineStatus not ENGINE_OK: the box ("out of memory" or the engine's failure) on the main
// frame, then the shut-down; returns true. ENGINE_OK: nothing, false.
bool endOnEngineFailure(std::int32_t engineStatus);

}  // namespace pelorvant
