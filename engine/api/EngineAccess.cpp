#include "engine/api/EngineAccess.h"

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineObject.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableSet.h"

namespace trasovnik::api {

cSestava& setOf(std::int32_t setIndex) {
    return engine().getSestava(setIndex);
}

cJizdniRadySestavy& combinationOf(std::int32_t setIndex) {
    return setOf(setIndex).combination();
}

const cJizdniRad& timetableOf(std::int32_t setIndex, std::int32_t timetable) {
    return combinationOf(setIndex).timetable(indexArgument(timetable));
}

}  // namespace trasovnik::api
