#pragma once
// What a screen hands to the progress view for a long operation, and what the search thread
// hands back.
#include "engine/api/trasovnik.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

// One set load. Made by the set choice, shared by the progress view and the loading thread
// from startLoading on; the thread fills the out-fields before it reports.
struct cLoadJob {
    platform::WindowHandle window = platform::kNullWindow;  // the progress view
    std::int32_t failingIndex = -1;                         // out: catalogue index that failed
    std::int32_t engineResult = 0;                          // out: status of the engine call
    std::vector<std::int32_t> indexes;                      // catalogue indexes of the set
    std::int32_t setIndex = -1;                             // the tab's set; -1: a new set
};

inline constexpr std::int32_t kSearchNew = 0;
inline constexpr std::int32_t kSearchEarlier = 1;
inline constexpr std::int32_t kSearchLater = 2;

// One connection search. Made by the search page or the results view; owned by the search
// thread from startSearch on, which frees it before it reports.
struct cSearchJob {
    platform::WindowHandle window = platform::kNullWindow;  // the progress view
    std::int32_t set = -1;
    std::vector<TrasaTriple> fromTriples, toTriples, viaTriples;
    double fromLongitude = 0.0;  // a search from the current GPS position; 0 otherwise
    double fromLatitude = 0.0;
    std::int64_t when = 0;  // seconds since the epoch, shown and searched as local time
    std::uint8_t maxTransfers = 0;
    std::uint8_t arrival = 0;
    std::int32_t mode = kSearchNew;
    std::int32_t resultId = -1;  // the stored result for the earlier and later modes
    std::int32_t returnView = 0;  // set by startSearch
    // The names shown while searching ("" for From: the current GPS position).
    std::u16string fromName, toName;
};

inline constexpr std::int32_t kSearchCancelledStatus = -999;

// What the search thread reports. Shared by the progress view and the search thread, which
// fills it before it reports.
struct cSearchOutcome {
    std::int32_t result = 0;      // result id, or a negative search status
    std::int32_t returnView = 0;  // the view to return to
    std::int32_t threadStatus = 0;  // 0; kSearchCancelledStatus; a failed call's status
};

}  // namespace pelorvant
