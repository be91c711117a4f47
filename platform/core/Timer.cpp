#include "platform/core/Timer.h"

#include "platform/core/HandleTable.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/TickSource.h"
#include "platform/core/TimerSchedule.h"

#include <algorithm>

namespace platform {

bool setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs) {
    auto record = detail::HandleTable::instance().findLive(window);
    if (!record) {
        return false;
    }
    detail::ThreadQueue& queue = *record->owner;
    {
        std::lock_guard lock(queue.mutex);
        if (queue.ended || record->dying) {
            return false;
        }
        const std::uint64_t interval = std::max(intervalMs, kMinimumTimerInterval);
        detail::dropTimer(queue, window, id);
        queue.timers.push_back(detail::TimerEntry{
            window, id, interval, detail::tickNow() + interval, queue.nextTimerOrder++, false});
    }
    // A waiting loop has to recompute when it must wake.
    queue.wake.notify_all();
    return true;
}

bool killTimer(WindowHandle window, std::uintptr_t id) {
    auto record = detail::HandleTable::instance().find(window);
    if (!record) {
        return false;
    }
    detail::ThreadQueue& queue = *record->owner;
    std::lock_guard lock(queue.mutex);
    return detail::dropTimer(queue, window, id);
}

std::uint64_t getTickCount() {
    return detail::tickNow();
}

}  // namespace platform
