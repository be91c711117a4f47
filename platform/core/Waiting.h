#pragma once
// Internal: how every blocking wait of the layer (events, sleeps, thread joins) counts its
// time-out. On the system clock a time-out is real milliseconds; while a virtual clock is
// installed it is virtual milliseconds, so the wait ends when a test has advanced the clock far
// enough, and a wait started on virtual time ends as timed out when the clock is removed.

#include <cstdint>
#include <functional>

namespace platform::detail {

// Something a waiter may be waiting for has happened: an event was set, a thread ended,
// virtual time moved or the clock was replaced.
void notifyWaiters();

// Waits until ready() is true (checked at once and after each notifyWaiters) or timeoutMs pass
// on the tick clock (kInfinite: no limit, 0: only looks). ready is called with no lock of this
// module held. Returns whether ready() was true.
bool waitUntilReady(std::uint32_t timeoutMs, const std::function<bool()>& ready);

}  // namespace platform::detail
