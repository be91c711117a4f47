#include "platform/core/WindowCalls.h"

#include <algorithm>

namespace platform::detail {
namespace {

// Counts one running call of a window's procedure; the outermost call frees a window that was
// destroyed meanwhile.
class CallScope {
public:
    CallScope(WindowRecord& window, WindowHandle handle) : window_(window), handle_(handle) {
        ++window_.depth;
    }
    ~CallScope() {
        if (--window_.depth == 0 && window_.freeWhenIdle) {
            freeWindow(handle_, window_);
        }
    }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    WindowRecord& window_;
    WindowHandle handle_;
};

// Releases a sender when it goes out of scope, whatever happened meanwhile.
class Reply {
public:
    explicit Reply(SentMessage& sent) : sent_(sent) {}
    ~Reply() { completeSent(sent_, result); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
    MsgResult result = 0;

private:
    SentMessage& sent_;
};

}  // namespace

MsgResult callProcedure(const std::shared_ptr<WindowRecord>& window, WindowHandle handle,
                        std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // The call keeps its own reference: the procedure may be replaced, or the window freed,
    // while it runs.
    std::shared_ptr<const WindowProc> proc;
    {
        std::lock_guard lock(window->procMutex);
        proc = window->proc;
    }
    if (!proc) {
        return 0;
    }
    CallScope scope(*window, handle);
    return (*proc)(handle, message, wParam, lParam);
}

void deliverSent(const std::shared_ptr<SentMessage>& sent) {
    Reply reply(*sent);
    std::shared_ptr<WindowRecord> window = HandleTable::instance().findLive(sent->window);
    if (window && window->owner == currentQueue()) {
        reply.result =
            callProcedure(window, sent->window, sent->message, sent->wParam, sent->lParam);
    }
}

void freeWindow(WindowHandle handle, WindowRecord& window) {
    window.freeWhenIdle = false;
    HandleTable::instance().remove(handle);
    {
        std::lock_guard lock(window.owner->mutex);
        std::erase(window.owner->windows, handle);
    }
    std::shared_ptr<const WindowProc> proc;
    {
        std::lock_guard lock(window.procMutex);
        proc.swap(window.proc);
    }
}

}  // namespace platform::detail
