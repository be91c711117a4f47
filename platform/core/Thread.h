#pragma once
// Threads of this layer: each has a ThreadId known to its creator from the start.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
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
    // The thread's id; 0 for a thread object that holds no thread.
    ThreadId id() const noexcept { return id_; }

private:
    friend PLATFORM_API Thread createThread(std::function<void()> body);
    std::thread thread_;
    ThreadId id_ = 0;
};

// Starts body on a new thread. When the thread ends, its windows are freed without further
// messages and senders still waiting for them are released with 0.
PLATFORM_API Thread createThread(std::function<void()> body);

PLATFORM_API ThreadId currentThreadId();

// Blocks the calling thread for ms milliseconds of real time (no messages are handled).
PLATFORM_API void sleep(std::uint32_t ms);

}  // namespace platform
