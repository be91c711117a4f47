#include "platform/core/Thread.h"

#include "platform/core/ThreadQueue.h"
#include "platform/core/TickSource.h"
#include "platform/core/Waiting.h"

#include <chrono>
#include <utility>

namespace platform {

Thread::~Thread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

Thread::Thread(Thread&& other) noexcept
    : thread_(std::move(other.thread_)),
      id_(std::exchange(other.id_, 0)),
      finished_(std::move(other.finished_)) {}

Thread& Thread::operator=(Thread&& other) noexcept {
    if (this != &other) {
        if (thread_.joinable()) {
            thread_.join();
        }
        thread_ = std::move(other.thread_);
        id_ = std::exchange(other.id_, 0);
        finished_ = std::move(other.finished_);
    }
    return *this;
}

void Thread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool Thread::join(std::uint32_t timeoutMs) {
    if (!thread_.joinable()) {
        return true;
    }
    const auto finished = finished_;
    if (finished && !detail::waitUntilReady(timeoutMs, [&] { return finished->load(); })) {
        return false;
    }
    thread_.join();
    return true;
}

Thread createThread(std::function<void()> body) {
    Thread thread;
    thread.id_ = detail::allocateThreadId();
    thread.finished_ = std::make_shared<std::atomic<bool>>(false);
    thread.thread_ =
        std::thread([id = thread.id_, finished = thread.finished_, body = std::move(body)] {
            detail::adoptThreadId(id);
            body();
            *finished = true;
            detail::notifyWaiters();
        });
    return thread;
}

void sleep(std::uint32_t ms) {
    if (!detail::virtualTime()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    const std::uint64_t until = detail::tickNow() + ms;
    detail::waitUntilReady(kInfinite, [until] {
        // Over when virtual time reaches the end, or when the virtual clock is removed.
        return !detail::virtualTime() || detail::tickNow() >= until;
    });
}

}  // namespace platform
