#include "platform/core/VirtualClock.h"

#include "platform/core/LocalClock.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/TickSource.h"
#include "platform/core/TimerSchedule.h"

#include <optional>

namespace platform {

VirtualClock::VirtualClock(std::uint64_t startMs) {
    detail::anchorVirtualLocalTime(detail::systemLocalMs(), startMs);
    detail::installVirtualTime(startMs);
}

void VirtualClock::setLocalTime(const SystemTime& time) {
    detail::anchorVirtualLocalTime(detail::localMsOf(time), now());
}

VirtualClock::~VirtualClock() {
    detail::removeVirtualTime();
}

std::uint64_t VirtualClock::now() const {
    return detail::tickNow();
}

void VirtualClock::advance(std::uint64_t ms) {
    const std::uint64_t target = now() + ms;
    for (;;) {
        const auto queues = detail::allQueues();
        std::optional<std::uint64_t> instant;
        for (const auto& queue : queues) {
            std::lock_guard lock(queue->mutex);
            for (const auto& timer : queue->timers) {
                if (timer.due <= target && (!instant || timer.due < *instant)) {
                    instant = timer.due;
                }
            }
        }
        if (!instant) {
            break;
        }
        detail::setVirtualNow(*instant);
        for (const auto& queue : queues) {
            bool queued;
            {
                std::lock_guard lock(queue->mutex);
                const auto before = queue->ticks.size();
                detail::queueDueTimers(*queue, *instant, true);
                queued = queue->ticks.size() != before;
            }
            if (queued) {
                queue->wake.notify_all();
            }
        }
    }
    detail::setVirtualNow(target);
}

}  // namespace platform
