#pragma once
// A search from the current GPS position waiting for its first fix: the first fix takes the
// job (with the fix's position filled in), exactly once, however many fixes are queued.
#include "app/screens/progress/Jobs.h"

#include <memory>
#include <mutex>

namespace pelorvant {

class GpsSearchWait {
public:
    // The job waits from now on (a job waiting before is dropped).
    void arm(std::unique_ptr<cSearchJob> job);
    // The waiting job with the position, to the first caller after arm(); null to every other.
    std::unique_ptr<cSearchJob> take(double latitude, double longitude);
    bool waiting() const;

private:
    mutable std::mutex lock_;
    std::unique_ptr<cSearchJob> job_;
    bool taken_ = false;  // the once-flag
};

}  // namespace pelorvant
