#include "app/screens/stoptimetables/StopTimetableSearch.h"

namespace pelorvant {

void StResultRelease::operator()(cStVysledek* result) const {
    if (api != nullptr && result != nullptr) api->api_stSearch_ReleaseMemory(result);
}

StopTimetableAnswer runStopTimetableSearch(const EngineApi& api, const StopTimetableQuery& query) {
    StopTimetableAnswer answer;
    cStVysledek* result = nullptr;
    std::int32_t engineStatus = 0;
    std::int32_t reserved = 0;
    const std::int32_t status = api.api_stSearch(
        query.set, query.fileIndex, query.lineText.data(), static_cast<std::int32_t>(query.lineText.size()),
        query.lineIndex, query.from, query.fromOccurrence, query.to, query.toOccurrence, query.day,
        query.week ? 1 : 0, &result, &engineStatus, &reserved, &answer.status, &answer.groupCount,
        &answer.routeStopCount, &answer.queryItemCount, &answer.directionListCount, &answer.lineCandidateCount);
    // The result is taken over before anything is looked at, so that no path leaks it.
    answer.result = StResultPtr(result, StResultRelease{&api});
    answer.engineStatus = status;
    if (status != ENGINE_OK) answer.result.reset();
    return answer;
}

std::uint32_t stopTimetableStatusText(std::int32_t status) {
    switch (status) {
        case -201: return 376;
        case -202: return 377;
        case -203: return 378;
        case -204: return 379;
        case -205: return 380;
        case -206: return 381;
        default: return 0;
    }
}

}  // namespace pelorvant
