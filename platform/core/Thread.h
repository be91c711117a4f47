#pragma once
// Threads of this layer: each has a ThreadId known to its creator from the start.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace platform {

// A joinable thread. Destroying or assigning over a thread that still runs waits for it.
class PLATFORM_API Thread {
public:
    Thread() noexcept = default;
    ~Thread();
    Thread(Thread&& other) noexcept;
    Thread& operator=(Thread&& other) noexcept;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    bool joinable() const noexcept { return thread_.joinable(); }
    void join();
    // Waits at most timeoutMs milliseconds (on the tick clock: virtual ones while a
    // VirtualClock is installed) for the thread to end; true when it ended and was joined,
    // false when it still runs (the object keeps it). True for an object that holds no thread.
    bool join(std::uint32_t timeoutMs);
    // The thread's id; 0 for a thread object that holds no thread.
    ThreadId id() const noexcept { return id_; }

private:
    friend PLATFORM_API Thread createThread(std::function<void()> body);
    std::thread thread_;
    ThreadId id_ = 0;
    // Set when the thread's body has returned; shared with the thread.
    std::shared_ptr<std::atomic<bool>> finished_;
};

// Starts body on a new thread. When the thread ends, its windows are freed without further
// messages and senders still waiting for them are released with 0.
PLATFORM_API Thread createThread(std::function<void()> body);

PLATFORM_API ThreadId currentThreadId();

// Blocks the calling thread for ms milliseconds on the tick clock (real time, or virtual time
// while a VirtualClock is installed); no messages are handled meanwhile.
PLATFORM_API void sleep(std::uint32_t ms);

}  // namespace platform
