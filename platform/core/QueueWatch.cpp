#include "platform/core/QueueWatch.h"

#include "platform/core/ThreadQueue.h"

#include <chrono>

namespace platform {

bool waitForQueuedSends(ThreadId owner, std::size_t count, std::uint32_t timeoutMs) {
    auto queue = detail::findQueue(owner);
    if (!queue) {
        return false;
    }
    std::unique_lock lock(queue->mutex);
    const auto enough = [&] { return queue->sent.size() >= count; };
    if (timeoutMs == kInfinite) {
        queue->wake.wait(lock, enough);
        return true;
    }
    return queue->wake.wait_for(lock, std::chrono::milliseconds(timeoutMs), enough);
}

}  // namespace platform
