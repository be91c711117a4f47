#include "engine/data/TimetableSet.h"

#include "engine/data/TimetableCombination.h"
#include "engine/search/ResultStore.h"
#include "engine/search/SearchRequest.h"

namespace trasovnik {

cSestava::cSestava(cJizdniRadySestavy& combination)
    : combination_(combination), parameters_(combination.timetables()) {}

cSestava::~cSestava() = default;

}  // namespace trasovnik
