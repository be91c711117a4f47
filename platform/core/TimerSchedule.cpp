#include "platform/core/TimerSchedule.h"

#include <algorithm>

namespace platform::detail {

void queueDueTimers(ThreadQueue& queue, std::uint64_t now, bool everyInstant) {
    std::vector<TimerEntry*> due;
    for (TimerEntry& timer : queue.timers) {
        if (timer.due <= now && (everyInstant || !timer.queued)) {
            due.push_back(&timer);
        }
    }
    std::sort(due.begin(), due.end(), [](const TimerEntry* a, const TimerEntry* b) {
        return a->due != b->due ? a->due < b->due : a->order < b->order;
    });
    for (TimerEntry* timer : due) {
        queue.ticks.push_back(TimerTick{timer->window, timer->id, timer->due});
        timer->queued = true;
        timer->due = everyInstant ? timer->due + timer->interval : now + timer->interval;
    }
}

std::optional<std::uint64_t> nextTimerDue(const ThreadQueue& queue) {
    std::optional<std::uint64_t> next;
    for (const TimerEntry& timer : queue.timers) {
        if (!timer.queued && (!next || timer.due < *next)) {
            next = timer.due;
        }
    }
    return next;
}

bool dropTimer(ThreadQueue& queue, WindowHandle window, std::uintptr_t id) {
    std::erase_if(queue.ticks,
                  [&](const TimerTick& tick) { return tick.window == window && tick.id == id; });
    return std::erase_if(queue.timers, [&](const TimerEntry& timer) {
               return timer.window == window && timer.id == id;
           }) != 0;
}

void dropAllTimers(ThreadQueue& queue, WindowHandle window) {
    std::erase_if(queue.ticks, [&](const TimerTick& tick) { return tick.window == window; });
    std::erase_if(queue.timers, [&](const TimerEntry& timer) { return timer.window == window; });
}

void popTick(ThreadQueue& queue) {
    const TimerTick tick = queue.ticks.front();
    queue.ticks.pop_front();
    const bool another = std::any_of(queue.ticks.begin(), queue.ticks.end(), [&](const auto& t) {
        return t.window == tick.window && t.id == tick.id;
    });
    if (another) {
        return;
    }
    for (TimerEntry& timer : queue.timers) {
        if (timer.window == tick.window && timer.id == tick.id) {
            timer.queued = false;
        }
    }
}

void restartTimers(ThreadQueue& queue, std::uint64_t now) {
    for (TimerEntry& timer : queue.timers) {
        timer.due = now + timer.interval;
    }
}

}  // namespace platform::detail
