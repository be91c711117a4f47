// The search parameters of a set's timetables. A setter that changes a value empties the
// set's result store, so that no stored result (and no engine-owned record of one) outlives
// the parameters it was searched with.
#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/ParameterSetters.h"
#include "engine/search/results/SearchParameters.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {

cParametryHledaniRadu& recordOf(int32_t setIndex, int32_t timetable) {
    return setOf(setIndex).parameters().record(indexArgument(timetable));
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
        setMayUseLineKind(setOf(setIndex), indexArgument(timetable), indexArgument(lineKind),
                          value);
    });
}

int32_t api_SetMaxPocetVyslednychSpojeni(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded(
        [&] { setMaxResultConnections(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetVychoziPocetPrestupu(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setDefaultTransfers(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetStandardniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setStandardMinutes(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetMaximalniPocetMinutHledani(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setMaximumMinutes(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetMinimalniPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setMinimumTransfer(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetBezpecnyPocetMinutNaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setSafeTransfer(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetPenalizaceZaPrestup(int32_t setIndex, int32_t timetable, int32_t value) {
    return guarded([&] { setTransferPenalty(setOf(setIndex), indexArgument(timetable), value); });
}

int32_t api_SetNutnostPrestupuVzastavcePres(int32_t setIndex, int32_t timetable, uint8_t value) {
    return guarded(
        [&] { setTransferRequiredAtVia(setOf(setIndex), indexArgument(timetable), value); });
}

}  // extern "C"
