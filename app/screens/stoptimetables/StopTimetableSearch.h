#pragma once
// One stop-timetable search through the engine: the query, the engine's answer with its
// counts, and the result, released when the answer is destroyed, on every path.
#include "app/core/EngineBinding.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pelorvant {

struct StopTimetableQuery {
    std::int32_t set = -1;
    std::int32_t fileIndex = 0;
    std::string lineText;  // CP1250
    std::int32_t lineIndex = -1;
    std::int32_t from = -1;
    std::int32_t fromOccurrence = -1;
    std::int32_t to = -1;
    std::int32_t toOccurrence = -1;
    std::int16_t day = 0;
    bool week = false;
};

// Hands the result back to the engine (api_stSearch_ReleaseMemory).
struct StResultRelease {
    const EngineApi* api = nullptr;
    void operator()(cStVysledek* result) const;
};
using StResultPtr = std::unique_ptr<cStVysledek, StResultRelease>;

struct StopTimetableAnswer {
    std::int32_t engineStatus = ENGINE_OK;  // not ENGINE_OK: the call failed, no result
    std::int32_t status = 0;                // 0 or -201 to -206
    std::int32_t groupCount = 0;
    std::int32_t routeStopCount = 0;
    std::int32_t queryItemCount = 0;
    std::int32_t directionListCount = 0;
    std::int32_t lineCandidateCount = 0;
    StResultPtr result;  // owned; released with the answer
};

StopTimetableAnswer runStopTimetableSearch(const EngineApi& api, const StopTimetableQuery& query);

// The string-table text of a stop-timetable status (376 to 381); 0 for status 0 and for
// statuses the program does not know.
std::uint32_t stopTimetableStatusText(std::int32_t status);

}  // namespace pelorvant
