#pragma once
// Events for synchronising threads: auto-reset (a wait that succeeds clears it, and one set
// releases one waiter) or manual-reset (stays set until reset, releasing every waiter).
//
// Time-outs count on the tick clock: real milliseconds, or virtual ones while a VirtualClock is
// installed (a test then ends a wait by advancing the clock).

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

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
    // Waits until the event is set, at most timeoutMs milliseconds (kInfinite: no limit, 0:
    // only looks).
    WaitResult wait(std::uint32_t timeoutMs);

private:
    friend PLATFORM_API std::optional<std::size_t> waitForAny(std::span<Event* const> events,
                                                              std::uint32_t timeoutMs);
    // Takes the event when it is set (clearing an auto-reset one); true when it was set.
    bool take();

    struct State;
    std::unique_ptr<State> state_;
};

PLATFORM_API WaitResult waitForSingleObject(Event& event, std::uint32_t timeoutMs);

// Waits until any of the events is set, at most timeoutMs milliseconds. Returns the index of
// the set event (the lowest when several are; only that one is taken), nothing on time-out or
// for an empty list.
PLATFORM_API std::optional<std::size_t> waitForAny(std::span<Event* const> events,
                                                   std::uint32_t timeoutMs);

}  // namespace platform
