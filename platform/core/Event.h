#pragma once
// Events for synchronising threads: auto-reset (a wait that succeeds clears it, and one set
// releases one waiter) or manual-reset (stays set until reset, releasing every waiter).

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <memory>

namespace platform {

enum class EventReset { Auto, Manual };
enum class WaitResult { Signalled, Timeout };

class PLATFORM_API Event {
public:
    explicit Event(EventReset reset, bool initiallySet = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    // Waits until the event is set, at most timeoutMs milliseconds of real time (kInfinite:
    // no limit, 0: only looks).
    WaitResult wait(std::uint32_t timeoutMs);

private:
    struct State;
    std::unique_ptr<State> state_;
};

PLATFORM_API WaitResult waitForSingleObject(Event& event, std::uint32_t timeoutMs);

}  // namespace platform
