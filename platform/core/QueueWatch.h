#pragma once
// Looking into a thread's queue without handling anything: for tests and diagnostic tools that
// must know that senders are waiting before they go on.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>

namespace platform {

// Waits until at least `count` messages sent from other threads wait, not yet handled, in the
// queue of thread `owner`. False on time-out or when that thread has no queue.
PLATFORM_API bool waitForQueuedSends(ThreadId owner, std::size_t count, std::uint32_t timeoutMs);

}  // namespace platform
