#pragma once
// A connection search that the driver holds at the engine's search export until the program
// cancels it. On a small timetable a search ends long before a person could press "Storno";
// held, it is certainly running when the journey presses it, with no timing involved.
#include "app/core/EngineBinding.h"

#include <chrono>

namespace uidrive::searchhold {

// The bound entry table with the search and its cancel routed through the hold; every other
// export is the bound one. One table for the process, which owns it until the process ends.
const pelorvant::EngineApi& routeThroughHold(const pelorvant::EngineApi& bound);

// The next search waits at the search export until the program calls the search cancel, and
// then ends as a cancelled search does (no result, status ENGINE_SEARCH_CANCELLED). A cancel
// that comes before the search reaches the hold is kept for it.
void arm();

// Blocks until a search waits in the hold; false when none did within patience.
bool waitUntilHeld(std::chrono::milliseconds patience);

// Lets a held search go on as cancelled and disarms the hold (the driver ends with it, so that
// no worker is left waiting).
void release();

}  // namespace uidrive::searchhold
