#include "tools/gtfs2jz/SearchDefaults.h"

namespace gtfs2jz {

nlohmann::json searchDefaultsFor(bool cityFile) {
    if (cityFile) {
        // Frequent service: a short first window, quick transfers, more of them.
        return {{"standardWindow", 120},       {"maxWindow", 720},     {"minTransfer", 1},
                {"safeTransfer", 3},           {"transferPenalty", 5}, {"transfers", 4},
                {"walkingPace", kWalkingPace}, {"walkingLimit", 10}};
    }
    return {{"standardWindow", 240},       {"maxWindow", 1440},     {"minTransfer", 2},
            {"safeTransfer", 5},           {"transferPenalty", 10}, {"transfers", 3},
            {"walkingPace", kWalkingPace}, {"walkingLimit", 20}};
}

}  // namespace gtfs2jz
