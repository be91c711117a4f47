// The minute loop of a search run: processing the buckets minute by minute, seeding, progress
// messages, the switch to the maximum window, cancel and jump, and the run from start to end.

#include "engine/search/connections/RunSearcher.h"

#include <algorithm>

#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace trasovnik::searchrun {

void Searcher::sendProgress(std::int32_t percent) {
    // 100 is kept for the end of the run, so that it is sent once and last.
    percent = std::min(percent, kLastRunningPercent);
    if (percent > lastPercent_) {
        lastPercent_ = percent;
        platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS,
                              static_cast<std::uintptr_t>(percent));
    }
}

void Searcher::processBucket(std::int32_t b) {
    Bucket& bucket = buckets_[static_cast<std::size_t>(b)];
    while (bucket.stops != nullptr || bucket.trips != nullptr) {
        while (bucket.stops != nullptr) {
            StopEntry* e = bucket.stops;
            bucket.stops = e->next;
            processStopEntry(e, b);
            stopEntries_.release(e);
        }
        while (bucket.trips != nullptr && bucket.stops == nullptr) {
            TripEntry* e = bucket.trips;
            bucket.trips = e->next;
            events_.erase(e->key);
            processTripEntry(e, b);
            tripEntries_.release(e);
        }
    }
}

bool Searcher::advance(std::int32_t& b) {
    ++b;
    if (b == nextProgress_) {
        const std::int32_t w = switched_ ? maximumWindow_ : standardWindow_;
        sendProgress(std::min(b, w) * 100 / std::max(w, 1));
        nextProgress_ += progressStep_;
    }
    if (b % kSlice == 0) {
        seed(b);
    }
    if (b < standardWindow_) {
        return true;
    }
    if (!found_.selected.empty() && b >= found_.bound) {
        return false;
    }
    if (found_.selected.empty() && !switched_) {
        switched_ = true;
        const std::int32_t percent =
            std::min(b, maximumWindow_) * 100 / std::max(maximumWindow_, 1);
        if (percent > lastPercent_) {
            lastPercent_ = percent;
            platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS,
                                  static_cast<std::uintptr_t>(percent));
        }
        progressStep_ = std::max(maximumWindow_ / 20, 1);
        nextProgress_ = ((b + progressStep_ - 1) / progressStep_) * progressStep_;
        if (nextProgress_ == b) {
            nextProgress_ += progressStep_;
        }
    }
    return b < maximumWindow_;
}

std::int32_t Searcher::mainLoop() {
    platform::sendMessage(window_, platform::WM_ENGINE_START, 999999);
    // Browsing later or earlier keeps the walk of the first search; it is not offered again.
    if (!nextOrPrevious_ && !hasVia_) {
        offerWalk();
    }
    // When no ride reaches the To place (in time), the minute loop could only end with what
    // the walk gave.
    if (!toReachable() || !toReachableInTime()) {
        if (searcher_.cancel_.load(std::memory_order_acquire)) {
            return kSearchCancelled;
        }
        return collectedWithinStandard() == 0 ? kSearchNothingFound : 0;
    }
    seed(0);
    std::int32_t b = 0;
    for (;;) {
        bool more = true;
        while (more && buckets_[static_cast<std::size_t>(b)].stops == nullptr &&
               buckets_[static_cast<std::size_t>(b)].trips == nullptr) {
            more = advance(b);
        }
        if (!more) {
            break;
        }
        if (searcher_.cancel_.load(std::memory_order_acquire)) {
            return kSearchCancelled;
        }
        if (searcher_.jump_.exchange(false, std::memory_order_acq_rel)) {
            const std::int32_t have = collectedWithinStandard();
            if (have > 0) {
                wanted_ = std::min(wanted_, have);
                jumped_ = true;
            }
        }
        if (static_cast<std::int32_t>(found_.selected.size()) >= wanted_ && found_.bound >= 0 &&
            found_.bound < b) {
            break;
        }
        ++counters_.minutes;
        processBucket(b);
        if (!advance(b)) {
            break;
        }
    }
    if (searcher_.cancel_.load(std::memory_order_acquire)) {
        return kSearchCancelled;
    }
    return collectedWithinStandard() == 0 ? kSearchNothingFound : 0;
}

RunOutcome Searcher::run(const cZadaniHledani& request, bool nextOrPrevious, int currentMinute,
                         int currentDay, platform::WindowHandle window) {
    window_ = window;
    nextOrPrevious_ = nextOrPrevious;
    RunOutcome out;
    out.status = setUp(request, currentMinute, currentDay);
    if (out.status != 0) {
        return out;
    }
    out.status = mainLoop();
    if (out.status == 0) {
        out.result = buildResult(request);
    }
    out.jumped = jumped_;
    platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS, 100);
    return out;
}

}  // namespace trasovnik::searchrun
