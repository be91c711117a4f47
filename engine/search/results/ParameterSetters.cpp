#include "engine/search/results/ParameterSetters.h"

#include <algorithm>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchParameters.h"

namespace trasovnik {
namespace {

// Stores `value` clamped to lo..hi in `field` and empties the store when that changes it.
template <class Field>
void setClamped(cSestava& set, Field& field, std::int32_t value, std::int32_t lo, std::int32_t hi) {
    const auto clamped = static_cast<Field>(std::clamp(value, lo, hi));
    if (field == clamped) {
        return;
    }
    field = clamped;
    resultStoreOf(set).clear();
}

cParametryHledaniRadu& recordOf(cSestava& set, std::size_t timetable) {
    return set.parameters().record(timetable);
}

}  // namespace

void setMaxResultConnections(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).maxResultConnections, value, kMinResultConnections, kMaxResultConnections);
}

void setStandardMinutes(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).standardMinutes, value, kMinWindowMinutes,
               kMaxWindowMinutes);
}

void setMaximumMinutes(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).maximumMinutes, value, kMinWindowMinutes,
               kMaxWindowMinutes);
}

void setMinimumTransfer(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).minimumTransfer, value, 0, kMaxTransferMinutes);
}

void setSafeTransfer(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).safeTransfer, value, 0, kMaxTransferMinutes);
}

void setTransferPenalty(cSestava& set, std::size_t tt, std::int32_t value) {
    setClamped(set, recordOf(set, tt).transferPenalty, value, 0, kMaxTransferPenalty);
}

void setTransferRequiredAtVia(cSestava& set, std::size_t tt, std::uint8_t value) {
    std::uint8_t& field = recordOf(set, tt).transferRequiredAtVia;
    if (field != value) {
        field = value;
        resultStoreOf(set).clear();
    }
}

void setMayUseLineKind(cSestava& set, std::size_t tt, std::size_t lineKind, std::uint8_t value) {
    auto& kinds = recordOf(set, tt).mayUseLineKind;
    if (lineKind >= kinds.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const std::uint8_t flag = value != 0 ? 1 : 0;  // the flags are 0 or 1
    if (kinds[lineKind] != flag) {
        kinds[lineKind] = flag;
        resultStoreOf(set).clear();
    }
}

void setDefaultTransfers(cSestava& set, std::size_t tt, std::int32_t value) {
    recordOf(set, tt).defaultTransfers = std::clamp(value, 0, kMaxDefaultTransfers);
    set.parameters().prepare();
}

}  // namespace trasovnik
