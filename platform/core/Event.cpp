#include "platform/core/Event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

struct Event::State {
    explicit State(EventReset r, bool set) : reset(r), signalled(set) {}
    const EventReset reset;
    std::mutex mutex;
    std::condition_variable changed;
    bool signalled;
};

Event::Event(EventReset reset, bool initiallySet)
    : state_(std::make_unique<State>(reset, initiallySet)) {}

Event::~Event() = default;

void Event::set() {
    // Notified under the lock: a waiter released by this set may destroy the event as soon as
    // it runs, so nothing of it may be touched after the unlock.
    std::lock_guard lock(state_->mutex);
    state_->signalled = true;
    if (state_->reset == EventReset::Auto) {
        state_->changed.notify_one();
    } else {
        state_->changed.notify_all();
    }
}

void Event::reset() {
    std::lock_guard lock(state_->mutex);
    state_->signalled = false;
}

WaitResult Event::wait(std::uint32_t timeoutMs) {
    std::unique_lock lock(state_->mutex);
    const auto isSet = [this] { return state_->signalled; };
    if (timeoutMs == kInfinite) {
        state_->changed.wait(lock, isSet);
    } else if (!state_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSet)) {
        return WaitResult::Timeout;
    }
    if (state_->reset == EventReset::Auto) {
        state_->signalled = false;
    }
    return WaitResult::Signalled;
}

WaitResult waitForSingleObject(Event& event, std::uint32_t timeoutMs) {
    return event.wait(timeoutMs);
}

}  // namespace platform
