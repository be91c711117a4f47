#include "engine/data/TimetableSet.h"

#include "engine/data/TimetableCombination.h"

namespace trasovnik {

cSestava::cSestava(cJizdniRadySestavy& combination)
    : combination_(combination), parameters_(combination.timetables()) {}

}  // namespace trasovnik
