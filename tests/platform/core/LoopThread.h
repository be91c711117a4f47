#pragma once
// Test support: a thread that runs a message loop, and bounded waits that fail a test instead
// of hanging it.

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace platform::test {

// Generous bound for anything that must happen "soon"; reaching it means a deadlock.
inline constexpr std::uint32_t kDeadlockMs = 20000;

// Waits for an event; a time-out ends the test binary, since threads may be stuck.
inline void awaitOrDie(Event& event, const char* what) {
    if (event.wait(kDeadlockMs) != WaitResult::Signalled) {
        std::fprintf(stderr, "stuck waiting for: %s\n", what);
        std::fflush(stderr);
        std::_Exit(3);
    }
}

// A thread with a message loop and a control window through which code can be run on it.
class LoopThread {
public:
    LoopThread() {
        Event ready(EventReset::Manual);
        thread_ = createThread([this, &ready] {
            control_ = createWindow(
                [](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
                    if (msg == kRun) {
                        (*reinterpret_cast<std::function<void()>*>(w))();
                    } else if (msg == kStop) {
                        postQuitMessage(0);
                    }
                    return 0;
                });
            ready.set();
            Message m;
            while (getMessage(m)) {
                dispatchMessage(m);
            }
        });
        awaitOrDie(ready, "loop thread start");
    }
    ~LoopThread() { stop(); }
    LoopThread(const LoopThread&) = delete;
    LoopThread& operator=(const LoopThread&) = delete;

    // Runs fn on the loop thread and returns when it has run.
    void run(std::function<void()> fn) {
        sendMessage(control_, kRun, reinterpret_cast<std::uintptr_t>(&fn));
    }

    void stop() {
        if (thread_.joinable()) {
            postMessage(control_, kStop);
            thread_.join();
        }
    }

    ThreadId id() const { return thread_.id(); }

private:
    static constexpr std::uint32_t kRun = WM_USER + 1000;
    static constexpr std::uint32_t kStop = WM_USER + 1001;
    Thread thread_;
    WindowHandle control_ = kNullWindow;
};

}  // namespace platform::test
