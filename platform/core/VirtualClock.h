#pragma once
// A clock for tests: while an object of this class lives, the tick count, every timer, the local
// time and the time-outs of waits and sleeps run on virtual time, which moves only when
// advance() is called.

#include "platform/core/LocalTime.h"
#include "platform/core/PlatformApi.h"

#include <cstdint>

namespace platform {

class PLATFORM_API VirtualClock {
public:
    // Installs the clock at startMs. Timers that run already are restarted on virtual time.
    // Only one virtual clock may be installed at a time (std::logic_error otherwise).
    explicit VirtualClock(std::uint64_t startMs = 0);
    // Returns to the system clock; running timers are restarted on it.
    ~VirtualClock();
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    // Moves time forward by ms. Time stops at every instant at which a timer comes due, in
    // order, and each timer due then is queued as one WM_TIMER for its owner thread, so a timer
    // that comes due three times during one advance is delivered three times, in due order with
    // the others. The owner thread receives them through its loop as usual. Advancing far past a
    // short timer therefore queues one WM_TIMER per interval.
    void advance(std::uint64_t ms);

    std::uint64_t now() const;

    // Makes the local time `time` now (its day of the week is worked out, not read); it then
    // moves with the clock. Until this is called the local time starts from the system's local
    // time at installation.
    void setLocalTime(const SystemTime& time);
};

}  // namespace platform
