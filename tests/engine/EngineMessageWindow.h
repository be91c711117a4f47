#pragma once
// Test support: a window owned by a thread of its own, as the program's progress view is, that
// records the engine's messages (WM_ENGINE_START, WM_ENGINE_PROGRESS, WM_ENGINE_FIRST_FOUND)
// with the thread that handled each, and hands each to a handler on that thread. The thread
// runs a message loop; a stepped one instead handles the sends that wait only when step()
// tells it to, so that a test can hold a sender blocked.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

namespace trasovnik::testing {

struct EngineMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    platform::ThreadId thread = 0;  // the thread that handled it
    bool operator==(const EngineMessage&) const = default;
};

class EngineMessageWindow {
public:
    using Handler = std::function<void(const EngineMessage&)>;
    enum class Loop { Pumped, Stepped };

    explicit EngineMessageWindow(Handler onMessage = {}, Loop loop = Loop::Pumped)
        : onMessage_(std::move(onMessage)) {
        platform::Event ready(platform::EventReset::Manual);
        thread_ = platform::createThread([this, loop, &ready] {
            window_ = platform::createWindow(
                [this](platform::WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) {
                    if (msg == kQuit) {
                        platform::postQuitMessage(0);
                    } else if (msg == platform::WM_ENGINE_START ||
                               msg == platform::WM_ENGINE_PROGRESS ||
                               msg == platform::WM_ENGINE_FIRST_FOUND) {
                        const EngineMessage r{msg, w, platform::currentThreadId()};
                        {
                            std::lock_guard lock(mutex_);
                            received_.push_back(r);
                        }
                        if (onMessage_) {
                            onMessage_(r);
                        }
                    }
                    return platform::MsgResult{0};
                });
            ready.set();
            platform::Message m;
            if (loop == Loop::Pumped) {
                while (platform::getMessage(m)) {
                    platform::dispatchMessage(m);
                }
                return;
            }
            while (!stop_.load()) {
                step_.wait(platform::kInfinite);
                platform::peekMessage(m);  // handles the sends that wait
                stepped_.set();
            }
        });
        ready.wait(kStuckMs);
    }
    ~EngineMessageWindow() {
        stop_.store(true);
        step_.set();
        platform::postMessage(window_, kQuit);
        thread_.join();
    }
    EngineMessageWindow(const EngineMessageWindow&) = delete;
    EngineMessageWindow& operator=(const EngineMessageWindow&) = delete;

    platform::WindowHandle window() const { return window_; }
    platform::ThreadId threadId() const { return thread_.id(); }
    // A stepped window handles the sends waiting now.
    void step() {
        step_.set();
        stepped_.wait(kStuckMs);
    }
    std::vector<EngineMessage> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }
    // What was received, forgotten here.
    std::vector<EngineMessage> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(received_, {});
    }

private:
    static constexpr std::uint32_t kQuit = platform::WM_USER + 1;
    static constexpr std::uint32_t kStuckMs = 20000;

    Handler onMessage_;
    platform::Thread thread_;
    platform::WindowHandle window_ = platform::kNullWindow;
    std::atomic<bool> stop_{false};
    platform::Event step_{platform::EventReset::Auto};
    platform::Event stepped_{platform::EventReset::Auto};
    std::mutex mutex_;
    std::vector<EngineMessage> received_;
};

}  // namespace trasovnik::testing
