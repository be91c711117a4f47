#include "platform/core/Waiting.h"

#include "platform/core/TickSource.h"
#include "platform/core/Types.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform::detail {
namespace {

// One change counter for the whole process: a waiter notes it, checks its condition, and
// sleeps only while the counter stays the same, so no notification is lost between the check
// and the sleep. Waits are few and short-lived, so waking all of them on a change is cheap.
struct Changes {
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t count = 0;
};

Changes& changes() {
    static Changes c;
    return c;
}

std::uint64_t currentCount() {
    std::lock_guard lock(changes().mutex);
    return changes().count;
}

}  // namespace

void notifyWaiters() {
    Changes& c = changes();
    {
        std::lock_guard lock(c.mutex);
        ++c.count;
    }
    c.changed.notify_all();
}

bool waitUntilReady(std::uint32_t timeoutMs, const std::function<bool()>& ready) {
    Changes& c = changes();
    const bool onVirtualTime = virtualTime();
    const std::uint64_t startTick = tickNow();
    const auto realDeadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::uint64_t seen = currentCount();
        if (ready()) {
            return true;
        }
        if (timeoutMs == 0) {
            return false;
        }
        std::unique_lock lock(c.mutex);
        const auto moved = [&] { return c.count != seen; };
        if (onVirtualTime) {
            if (!virtualTime()) {
                lock.unlock();
                return ready();  // the virtual clock went away: the wait is over
            }
            if (timeoutMs != kInfinite && tickNow() - startTick >= timeoutMs) {
                lock.unlock();
                return ready();
            }
            c.changed.wait(lock, moved);
        } else if (timeoutMs == kInfinite) {
            c.changed.wait(lock, moved);
        } else if (!c.changed.wait_until(lock, realDeadline, moved)) {
            lock.unlock();
            return ready();
        }
    }
}

}  // namespace platform::detail
