// The search request exports: a new request from three places, or the connections after or
// before a stored result. They only record what api_HledejCestu will search.
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/api/SearchState.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/SearchRequest.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_NastavZadaniHledani(int32_t setIndex, const TrasaTriple* from, int32_t fromCount,
                                double fromLatitude, double fromLongitude, const TrasaTriple* to,
                                int32_t toCount, double toLatitude, double toLongitude,
                                const TrasaTriple* via, int32_t viaCount, int16_t minuteOfDay,
                                int16_t dayNumber, uint8_t maxTransfers, uint8_t arrival,
                                uint8_t* done) {
    return guarded([&] {
        auto& outDone = out(done);
        cSestava& set = setOf(setIndex);
        const auto fromTriples = arrayArgument(from, fromCount);
        const auto toTriples = arrayArgument(to, toCount);
        const auto viaTriples = arrayArgument(via, viaCount);
        const cJizdniRadySestavy& combination = set.combination();
        const cParametryHledani& parameters = set.parameters();
        // The whole request is built before the pending one is replaced.
        cZadaniHledani request;
        request.from =
            resolvePlace(combination, parameters, fromTriples, fromLatitude, fromLongitude, true);
        request.to =
            resolvePlace(combination, parameters, toTriples, toLatitude, toLongitude, true);
        request.via = resolvePlace(combination, parameters, viaTriples, 0, 0, false);
        request.minute = minuteOfDay;
        request.day = dayNumber;
        request.arrival = arrival;
        request.maxTransfers = maxTransfers;
        setNewRequest(set, std::move(request));
        setCurrentSet(setIndex);
        outDone = 0;
    });
}

int32_t api_NastavZadaniHledaniDalsi(int32_t setIndex, int32_t resultId, uint8_t* done) {
    return guarded([&] {
        auto& outDone = out(done);
        setLaterRequest(setOf(setIndex), resultId);
        setCurrentSet(setIndex);
        outDone = 0;
    });
}

int32_t api_NastavZadaniHledaniPredchozi(int32_t setIndex, int32_t resultId, uint8_t* done) {
    return guarded([&] {
        auto& outDone = out(done);
        setEarlierRequest(setOf(setIndex), resultId);
        setCurrentSet(setIndex);
        outDone = 0;
    });
}

}  // extern "C"
