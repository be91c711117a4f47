#pragma once
// Finding an installed timetable by its name in a list of headers.
#include "app/core/TimetableHeaderInfo.h"

#include <string_view>
#include <vector>

namespace pelorvant {

// Index of the first header whose title equals the name ignoring letter case; -1 when none.
int findHeaderByName(const std::vector<TimetableHeaderInfo>& headers, std::u16string_view name);

}  // namespace pelorvant
