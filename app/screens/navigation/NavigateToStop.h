#pragma once
// "Navigovat na zastávku" of the results view: the stop of the connection's active item, when
// its timetable knows where its stops are, is shown in the navigation view, returning to the
// results; otherwise the user is told why not.
#include "app/core/ProgramContext.h"

#include <cstdint>

namespace pelorvant {

class cGPSNavigFormView;

// stop and timetable: what the results list gives for its active item (0xFFFF or a timetable of
// -1: nothing to navigate to). set: the tab's set.
void navigateToStop(ProgramContext& context, cGPSNavigFormView& view, std::int32_t set, std::uint16_t stop,
                    std::int32_t timetable);

}  // namespace pelorvant
