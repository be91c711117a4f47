#include "platform/core/Window.h"

#include "platform/core/HandleTable.h"
#include "platform/core/MessageIds.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/TimerSchedule.h"
#include "platform/core/WindowCalls.h"

#include <utility>

namespace platform {

using detail::HandleTable;
using detail::WindowRecord;

WindowHandle createWindow(WindowProc proc, std::uintptr_t userData) {
    if (!proc) {
        return kNullWindow;
    }
    auto self = detail::currentQueue();
    auto window = std::make_shared<WindowRecord>();
    window->owner = self;
    window->proc = std::make_shared<const WindowProc>(std::move(proc));
    window->userData = userData;
    const WindowHandle handle = HandleTable::instance().add(std::move(window));
    if (handle != kNullWindow) {
        std::lock_guard lock(self->mutex);
        self->windows.push_back(handle);
    }
    return handle;
}

namespace {

// Frees the window after its destruction notices, also when a notice handler throws: at once,
// or after the outermost running call of its procedure.
class FinishDestroy {
public:
    FinishDestroy(WindowRecord& window, WindowHandle handle) : window_(window), handle_(handle) {}
    ~FinishDestroy() {
        if (window_.depth == 0) {
            detail::freeWindow(handle_, window_);
        } else {
            window_.freeWhenIdle = true;
        }
    }
    FinishDestroy(const FinishDestroy&) = delete;
    FinishDestroy& operator=(const FinishDestroy&) = delete;

private:
    WindowRecord& window_;
    WindowHandle handle_;
};

}  // namespace

bool destroyWindow(WindowHandle handle) {
    std::shared_ptr<WindowRecord> window = HandleTable::instance().find(handle);
    if (!window || window->dying) {
        return false;
    }
    auto self = detail::currentQueue();
    if (window->owner != self) {
        return false;
    }
    std::vector<std::shared_ptr<detail::SentMessage>> waiting;
    {
        std::lock_guard lock(self->mutex);
        window->dying = true;
        for (auto it = self->sent.begin(); it != self->sent.end();) {
            if ((*it)->window == handle) {
                waiting.push_back(std::move(*it));
                it = self->sent.erase(it);
            } else {
                ++it;
            }
        }
        std::erase_if(self->posted, [handle](const Message& m) { return m.window == handle; });
        detail::dropAllTimers(*self, handle);
    }
    for (auto& sent : waiting) {
        detail::completeSent(*sent, 0);
    }
    FinishDestroy finish(*window, handle);
    detail::callProcedure(window, handle, WM_DESTROY, 0, 0);
    detail::callProcedure(window, handle, WM_NCDESTROY, 0, 0);
    return true;
}

bool isWindow(WindowHandle handle) {
    return HandleTable::instance().findLive(handle) != nullptr;
}

ThreadId windowThreadId(WindowHandle handle) {
    auto window = HandleTable::instance().findLive(handle);
    return window ? window->owner->threadId : 0;
}

WindowProc setWindowProc(WindowHandle handle, WindowProc proc) {
    if (!proc) {
        return {};
    }
    auto window = HandleTable::instance().findLive(handle);
    if (!window) {
        return {};
    }
    auto replacement = std::make_shared<const WindowProc>(std::move(proc));
    std::shared_ptr<const WindowProc> previous;
    {
        std::lock_guard lock(window->procMutex);
        previous = std::exchange(window->proc, std::move(replacement));
    }
    return previous ? *previous : WindowProc{};
}

std::uintptr_t getUserData(WindowHandle handle) {
    auto window = HandleTable::instance().find(handle);
    return window ? window->userData.load() : 0;
}

std::uintptr_t setUserData(WindowHandle handle, std::uintptr_t value) {
    auto window = HandleTable::instance().find(handle);
    return window ? window->userData.exchange(value) : 0;
}

}  // namespace platform
