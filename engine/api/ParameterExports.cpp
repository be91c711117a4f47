// The search parameters of a set's timetables. A setter that changes a value empties the
// set's result store, so that no stored result (and no engine-owned record of one) outlives
// the parameters it was searched with.
#include <algorithm>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/ResultStore.h"
#include "engine/search/SearchParameters.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

cParametryHledaniRadu& recordOf(int32_t setIndex, int32_t timetable) {
    return setOf(setIndex).parameters().record(indexArgument(timetable));
}

// Stores the value clamped to [low, high]; a value that the clamping makes equal to the stored
// one changes nothing and keeps the results.
template <class Field>
void setClamped(int32_t setIndex, int32_t timetable, Field cParametryHledaniRadu::*field,
                int32_t value, int32_t low, int32_t high) {
    cSestava& set = setOf(setIndex);
    cParametryHledaniRadu& record = set.parameters().record(indexArgument(timetable));
    const Field clamped = static_cast<Field>(std::clamp(value, low, high));
    if (record.*field == clamped) {
        return;
    }
    record.*field = clamped;
    resultStoreOf(set).clear();
}

template <class Field>
int32_t getField(int32_t setIndex, int32_t timetable, Field cParametryHledaniRadu::*field,
                 int32_t* value) {
    return guarded([&] {
        auto& result = out(value);
        result = static_cast<int32_t>(recordOf(setIndex, timetable).*field);
    });
}

}  // namespace

extern "C" {

int32_t api_getVychoziPocetPrestupuSestavy(int32_t setIndex, int32_t* value) {
    return guarded([&] {
        auto& result = out(value);
        result = setOf(setIndex).parameters().setDefaultTransfers();
    });
}

int32_t api_GetMaxPocetVyslednychSpojeni(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::maxResultConnections, value);
}
int32_t api_GetVychoziPocetPrestupu(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::defaultTransfers, value);
}
int32_t api_GetStandardniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::standardMinutes, value);
}
int32_t api_GetMaximalniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::maximumMinutes, value);
}
int32_t api_GetMinimalniPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::minimumTransfer, value);
}
int32_t api_GetBezpecnyPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::safeTransfer, value);
}
int32_t api_GetPenalizaceZaPrestup(int32_t setIndex, int32_t timetable, int32_t* value) {
    return getField(setIndex, timetable, &cParametryHledaniRadu::transferPenalty, value);
}

int32_t api_GetNutnostPrestupuVzastavcePres(int32_t setIndex, int32_t timetable, uint8_t* value) {
    return guarded([&] {
        auto& result = out(value);
        result = recordOf(setIndex, timetable).transferRequiredAtVia;
    });
}

int32_t api_SetLzePouzitDruhLinky(int32_t setIndex, int32_t timetable, int32_t lineKind,
                                  uint8_t value) {
    return guarded([&] {
        cSestava& set = setOf(setIndex);
        auto& flags = set.parameters().record(indexArgument(timetable)).mayUseLineKind;
        const std::size_t k = indexArgument(lineKind);
        if (k >= flags.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        const std::uint8_t flag = value != 0 ? 1 : 0;
        if (flags[k] == flag) {
            return;
        }
        flags[k] = flag;
        resultStoreOf(set).clear();
    });
}

int32_t api_SetMaxPocetVyslednychSpojeni(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::maxResultConnections, value, 1, 50);
    });
}

int32_t api_SetVychoziPocetPrestupu(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        cSestava& set = setOf(setIndex);
        set.parameters().record(indexArgument(timetable)).defaultTransfers =
            std::clamp(value, 0, 20);
        // The set-wide default follows at once; the stored results stay.
        set.parameters().prepare();
    });
}

int32_t api_SetStandardniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::standardMinutes, value, 60, 7200);
    });
}

int32_t api_SetMaximalniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::maximumMinutes, value, 60, 7200);
    });
}

int32_t api_SetMinimalniPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::minimumTransfer, value, 0, 240);
    });
}

int32_t api_SetBezpecnyPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::safeTransfer, value, 0, 240);
    });
}

int32_t api_SetPenalizaceZaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::transferPenalty, value, 0, 60);
    });
}

int32_t api_SetNutnostPrestupuVzastavcePres(int32_t setIndex, int32_t timetable, uint8_t value) {
    return guarded([&] {
        setClamped(setIndex, timetable, &cParametryHledaniRadu::transferRequiredAtVia, value, 0,
                   255);
    });
}

}  // extern "C"
