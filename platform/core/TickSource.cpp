#include "platform/core/TickSource.h"

#include "platform/core/ThreadQueue.h"
#include "platform/core/TimerSchedule.h"
#include "platform/core/Waiting.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>

namespace platform::detail {
namespace {

std::atomic<bool> gVirtual{false};
std::atomic<std::uint64_t> gVirtualNow{0};
std::mutex gInstallMutex;

std::uint64_t systemNow() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

// Timers count from the clock that was current when they were set; after a change of clock
// they start again from the new one's present, and waiting loops recompute their wake-up.
void restartAllTimers() {
    for (auto& queue : allQueues()) {
        {
            std::lock_guard lock(queue->mutex);
            restartTimers(*queue, tickNow());
        }
        queue->wake.notify_all();
    }
    notifyWaiters();
}

}  // namespace

std::uint64_t tickNow() {
    return gVirtual.load() ? gVirtualNow.load() : systemNow();
}

bool virtualTime() {
    return gVirtual.load();
}

void installVirtualTime(std::uint64_t startMs) {
    {
        std::lock_guard lock(gInstallMutex);
        if (gVirtual.load()) {
            throw std::logic_error("a virtual clock is installed already");
        }
        gVirtualNow = startMs;
        gVirtual = true;
    }
    restartAllTimers();
}

void removeVirtualTime() {
    {
        std::lock_guard lock(gInstallMutex);
        gVirtual = false;
    }
    restartAllTimers();
}

void setVirtualNow(std::uint64_t ms) {
    std::uint64_t current = gVirtualNow.load();
    // Virtual time never runs backwards.
    while (ms > current && !gVirtualNow.compare_exchange_weak(current, ms)) {
    }
    notifyWaiters();
}

}  // namespace platform::detail
