#pragma once
// Internal: the clock behind the tick count and the timers.

#include <cstdint>

namespace platform::detail {

std::uint64_t tickNow();
// True while a virtual clock is installed: time then moves only by advancing it.
bool virtualTime();

// Installing and moving virtual time (VirtualClock).
void installVirtualTime(std::uint64_t startMs);
void removeVirtualTime();
void setVirtualNow(std::uint64_t ms);

}  // namespace platform::detail
