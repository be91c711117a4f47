#pragma once
// Internal: the timers of one queue. Every function expects the queue's mutex to be held.

#include "platform/core/ThreadQueue.h"

#include <cstdint>
#include <optional>

namespace platform::detail {

// Queues a WM_TIMER for each timer due at `now`, in due order. In real time a timer that is
// already queued is not queued again and its next due time counts from now (a busy thread
// gets one WM_TIMER, not a burst). With everyInstant (virtual time, called at each instant)
// every due instant gives its own WM_TIMER and the schedule stays exact.
void queueDueTimers(ThreadQueue& queue, std::uint64_t now, bool everyInstant);

// When the next timer not queued already comes due.
std::optional<std::uint64_t> nextTimerDue(const ThreadQueue& queue);

// Removes one timer of a window, or all of them, with their queued WM_TIMERs. dropTimer is true
// when there was such a timer.
bool dropTimer(ThreadQueue& queue, WindowHandle window, std::uintptr_t id);
void dropAllTimers(ThreadQueue& queue, WindowHandle window);

// Takes the first queued WM_TIMER off the queue.
void popTick(ThreadQueue& queue);

// Restarts every timer from `now`: the clock behind them has been replaced.
void restartTimers(ThreadQueue& queue, std::uint64_t now);

}  // namespace platform::detail
