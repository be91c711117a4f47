#include "engine/data/TimetableSet.h"

#include "engine/data/TimetableCombination.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchRequest.h"

namespace trasovnik {

cSestava::cSestava(cJizdniRadySestavy& combination)
    : combination_(combination), parameters_(combination.timetables()) {}

cSestava::~cSestava() = default;

}  // namespace trasovnik
