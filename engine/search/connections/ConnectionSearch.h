#pragma once
// cHledani: the engine's connection searcher. hledejCestu runs the pending request of a set:
// a new request equal to a stored one is answered from the store, a next or previous request
// continues from a stored result, anything else is searched minute by minute and stored.
// Progress goes to the caller's window with synchronous sends: WM_ENGINE_START (999999) first,
// WM_ENGINE_PROGRESS with percents that never repeat or fall, WM_ENGINE_FIRST_FOUND when the
// first connection is collected, and WM_ENGINE_PROGRESS 100 last.
//
// One search runs at a time; cancel() and jump() may be called from any other thread while it
// runs.

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/search/connections/SearchCounters.h"
#include "platform/core/Types.h"

namespace trasovnik {

class cSestava;
class EnginePagePool;
struct SearchScratch;

// Statuses of a search (a result id is 0 or more).
inline constexpr std::int32_t kSearchCancelled = -2;
inline constexpr std::int32_t kSearchOutOfMemory = -3;
inline constexpr std::int32_t kSearchResultGone = -4;
inline constexpr std::int32_t kSearchNoValidTimetable = -5;
inline constexpr std::int32_t kSearchOverlap = -7;
inline constexpr std::int32_t kSearchNothingFound = -8;
inline constexpr std::int32_t kSearchNoCandidates = -10;

class cHledani {
public:
    cHledani();
    ~cHledani();
    cHledani(const cHledani&) = delete;
    cHledani& operator=(const cHledani&) = delete;

    // Runs the set's pending search (see the top of this file) and returns the stored result
    // id or a negative status. `currentMinute` and `currentDay` are the device's clock; they
    // only keep an arrival search from reaching back before now. Out of memory during the run
    // is the status -3; out of memory while merging or storing raises
    // ENGINE_EXC_OUT_OF_MEMORY with the store unchanged. A set without a pending request
    // raises ENGINE_EXC_BAD_ARGUMENT.
    std::int32_t hledejCestu(cSestava& set, int currentMinute, int currentDay,
                             platform::WindowHandle window);

    // The running search ends with -2 at its next minute.
    void cancel() { cancel_.store(true, std::memory_order_release); }
    // With at least one connection collected, the running search stops wanting more than it
    // has and ends once its bound has passed; otherwise nothing happens.
    void jump() { jump_.store(true, std::memory_order_release); }

    // Of the last run: elapsed milliseconds and the change of free memory in kilobytes.
    std::uint32_t lastTicks() const { return lastTicks_; }
    std::int32_t lastMemoryKb() const { return lastMemoryKb_; }
    // Bytes of page memory the last run took for labels, bucket entries and path nodes.
    std::uint64_t lastPageBytes() const { return lastPageBytes_; }
    // What the last run did, step by step (all 0 for an answer from the store).
    const SearchCounters& lastCounters() const;

    // Limits the pages one run may take (tests reach the out-of-memory status with it);
    // 0xFFFFFFFF for no limit beyond the page pool's own.
    void setPageLimit(std::uint32_t pages) { pageLimit_ = pages; }

    // Read by the running search.
    std::atomic<bool> cancel_{false};
    std::atomic<bool> jump_{false};

private:
    std::unique_ptr<EnginePagePool> pages_;
    std::unique_ptr<SearchScratch> scratch_;
    std::uint32_t pageLimit_ = 0xFFFFFFFFu;
    std::uint32_t lastTicks_ = 0;
    std::int32_t lastMemoryKb_ = 0;
    std::uint64_t lastPageBytes_ = 0;
};

}  // namespace trasovnik
