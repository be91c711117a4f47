#include "platform/core/Thread.h"

#include "platform/core/ThreadQueue.h"

#include <chrono>
#include <utility>

namespace platform {

Thread::~Thread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

Thread::Thread(Thread&& other) noexcept
    : thread_(std::move(other.thread_)), id_(std::exchange(other.id_, 0)) {}

Thread& Thread::operator=(Thread&& other) noexcept {
    if (this != &other) {
        if (thread_.joinable()) {
            thread_.join();
        }
        thread_ = std::move(other.thread_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void Thread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

Thread createThread(std::function<void()> body) {
    Thread thread;
    thread.id_ = detail::allocateThreadId();
    thread.thread_ = std::thread([id = thread.id_, body = std::move(body)] {
        detail::adoptThreadId(id);
        body();
    });
    return thread;
}

void sleep(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
