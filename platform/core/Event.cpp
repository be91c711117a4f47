#include "platform/core/Event.h"

#include "platform/core/Waiting.h"

#include <mutex>

namespace platform {

struct Event::State {
    explicit State(EventReset r, bool set) : reset(r), signalled(set) {}
    const EventReset reset;
    std::mutex mutex;
    bool signalled;
};

Event::Event(EventReset reset, bool initiallySet)
    : state_(std::make_unique<State>(reset, initiallySet)) {}

Event::~Event() = default;

void Event::set() {
    {
        std::lock_guard lock(state_->mutex);
        state_->signalled = true;
    }
    // A waiter released by this set may destroy the event as soon as it runs, so nothing of it
    // is touched from here on: waiters are woken through the shared notification.
    detail::notifyWaiters();
}

void Event::reset() {
    std::lock_guard lock(state_->mutex);
    state_->signalled = false;
}

bool Event::take() {
    std::lock_guard lock(state_->mutex);
    if (!state_->signalled) {
        return false;
    }
    if (state_->reset == EventReset::Auto) {
        state_->signalled = false;
    }
    return true;
}

WaitResult Event::wait(std::uint32_t timeoutMs) {
    return detail::waitUntilReady(timeoutMs, [this] { return take(); }) ? WaitResult::Signalled
                                                                        : WaitResult::Timeout;
}

WaitResult waitForSingleObject(Event& event, std::uint32_t timeoutMs) {
    return event.wait(timeoutMs);
}

std::optional<std::size_t> waitForAny(std::span<Event* const> events, std::uint32_t timeoutMs) {
    std::optional<std::size_t> taken;
    detail::waitUntilReady(timeoutMs, [&] {
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (events[i] && events[i]->take()) {
                taken = i;
                return true;
            }
        }
        return false;
    });
    return taken;
}

}  // namespace platform
