#pragma once
// Window timers and the tick count. Both read the same clock: the system's monotonic clock, or
// a VirtualClock while one is installed.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstdint>

namespace platform {

// Intervals shorter than this are raised to it.
inline constexpr std::uint32_t kMinimumTimerInterval = 10;

// Starts timer `id` of a window: WM_TIMER (wParam = id) is delivered to the window through its
// owner thread's loop every intervalMs, after sent and posted messages. Setting an id that
// runs already restarts it with the new interval and drops a WM_TIMER of it not yet
// retrieved. Any thread may set or kill a timer. False for a stale handle.
PLATFORM_API bool setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs);

// Stops timer `id` of a window, with any WM_TIMER of it not yet retrieved. False when there
// was no such timer.
PLATFORM_API bool killTimer(WindowHandle window, std::uintptr_t id);

// Milliseconds on the timers' clock.
PLATFORM_API std::uint64_t getTickCount();

}  // namespace platform
