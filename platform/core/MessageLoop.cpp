#include "platform/core/MessageLoop.h"

#include "platform/core/DeliveryGate.h"
#include "platform/core/HandleTable.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageSources.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/TickSource.h"
#include "platform/core/TimerSchedule.h"
#include "platform/core/WindowCalls.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <utility>

namespace platform {

using detail::HandleTable;
using detail::SentMessage;
using detail::ThreadQueue;

MsgResult sendMessage(WindowHandle handle, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) {
    auto window = HandleTable::instance().findLive(handle);
    if (!window) {
        return 0;
    }
    auto self = detail::currentQueue();
    if (window->owner == self) {
        return detail::callProcedure(window, handle, message, wParam, lParam);
    }
    auto sent = std::make_shared<SentMessage>();
    sent->window = handle;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = self;
    if (!detail::holdSent(window->owner, sent)) {
        std::shared_ptr<ThreadQueue> target = window->owner;
        {
            std::lock_guard lock(target->mutex);
            if (target->ended || window->dying) {
                return 0;
            }
            target->sent.push_back(sent);
        }
        target->wake.notify_all();
    }
    window.reset();
    // Wait for the reply, handling what other threads send to this thread's windows meanwhile.
    std::unique_lock lock(self->mutex);
    while (!sent->done) {
        if (!self->sent.empty()) {
            auto incoming = std::move(self->sent.front());
            self->sent.pop_front();
            lock.unlock();
            detail::deliverSent(incoming);
            lock.lock();
            continue;
        }
        self->wake.wait(lock);
    }
    return sent->result;
}

bool postMessage(WindowHandle handle, std::uint32_t messageId, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    auto window = HandleTable::instance().findLive(handle);
    if (!window) {
        return false;
    }
    const Message message{handle, messageId, wParam, lParam, detail::tickNow()};
    if (detail::holdPosted(window->owner, message)) {
        return true;
    }
    ThreadQueue& target = *window->owner;
    {
        std::lock_guard lock(target.mutex);
        if (target.ended || window->dying) {
            return false;
        }
        target.posted.push_back(message);
    }
    target.wake.notify_all();
    return true;
}

namespace {

std::atomic<bool (*)(Message&, bool)> gFirstSource{nullptr};
std::atomic<bool (*)(Message&, bool)> gBeforeTimersSource{nullptr};
std::atomic<void (*)(const Message&)> gRetrieved{nullptr};

IdleWait& idleWait() {
    thread_local IdleWait wait;
    return wait;
}

// Runs the thread's idle wait taken out of its place, so that it is not entered again from
// inside itself, and puts it back afterwards, also when it throws (unless it was replaced).
void runIdleWait(std::uint32_t maxWaitMs) {
    struct PutBack {
        IdleWait hook = std::exchange(idleWait(), IdleWait{});
        ~PutBack() {
            if (!idleWait()) {
                idleWait() = std::move(hook);
            }
        }
    } running;
    running.hook(maxWaitMs);
}

bool fromSource(const std::atomic<bool (*)(Message&, bool)>& source, Message& out, bool remove) {
    const auto take = source.load();
    return take && take(out, remove);
}

bool handOut(Message& out, const Message& found, bool remove) {
    out = found;
    if (remove) {
        if (const auto seen = gRetrieved.load()) {
            seen(out);
        }
    }
    return true;
}

// Retrieves the calling thread's next message; sent messages are handled on the way.
bool retrieve(Message& out, bool wait, bool remove) {
    auto self = detail::currentQueue();
    std::unique_lock lock(self->mutex);
    for (;;) {
        if (!self->sent.empty()) {
            auto incoming = std::move(self->sent.front());
            self->sent.pop_front();
            lock.unlock();
            detail::deliverSent(incoming);
            lock.lock();
            continue;
        }
        // The sources belong to this thread alone and change only through what it does, so
        // looking at them unlocked loses nothing.
        lock.unlock();
        Message made;
        if (fromSource(gFirstSource, made, remove)) {
            return handOut(out, made, remove);
        }
        lock.lock();
        if (!self->sent.empty()) {
            continue;
        }
        if (!self->posted.empty()) {
            const Message found = self->posted.front();
            if (remove) {
                self->posted.pop_front();
            }
            lock.unlock();
            return handOut(out, found, remove);
        }
        const std::uint64_t now = detail::tickNow();
        if (self->quitPending) {
            out =
                Message{kNullWindow, WM_QUIT, static_cast<std::uintptr_t>(self->quitCode), 0, now};
            if (remove) {
                self->quitPending = false;
            }
            return true;
        }
        lock.unlock();
        if (fromSource(gBeforeTimersSource, made, remove)) {
            return handOut(out, made, remove);
        }
        lock.lock();
        if (!self->sent.empty() || !self->posted.empty() || self->quitPending) {
            continue;
        }
        detail::queueDueTimers(*self, now, false);
        if (!self->ticks.empty()) {
            const detail::TimerTick& tick = self->ticks.front();
            const Message found{tick.window, WM_TIMER, tick.id, 0, tick.due};
            if (remove) {
                detail::popTick(*self);
            }
            lock.unlock();
            return handOut(out, found, remove);
        }
        if (!wait) {
            return false;
        }
        const auto next = detail::nextTimerDue(*self);
        if (idleWait()) {
            // The idle wait runs as a plain wait would: with nothing locked and not again from
            // inside itself.
            lock.unlock();
            const std::uint32_t maxWait = next ? static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                                     *next > now ? *next - now : 0, kInfinite - 1))
                                               : kInfinite;
            runIdleWait(maxWait);
            lock.lock();
            continue;
        }
        if (next && !detail::virtualTime()) {
            self->wake.wait_for(lock, std::chrono::milliseconds(*next - now));
        } else {
            self->wake.wait(lock);
        }
    }
}

}  // namespace

void setMessageSources(const MessageSources& sources) {
    gFirstSource = sources.first;
    gBeforeTimersSource = sources.beforeTimers;
    gRetrieved = sources.retrieved;
}

IdleWait setIdleWait(IdleWait wait) {
    return std::exchange(idleWait(), std::move(wait));
}

bool getMessage(Message& out) {
    retrieve(out, true, true);
    return out.message != WM_QUIT;
}

bool peekMessage(Message& out, PeekMode mode) {
    return retrieve(out, false, mode == PeekMode::Remove);
}

MsgResult dispatchMessage(const Message& message) {
    auto window = HandleTable::instance().findLive(message.window);
    if (!window || window->owner != detail::currentQueue()) {
        return 0;
    }
    return detail::callProcedure(window, message.window, message.message, message.wParam,
                                 message.lParam);
}

void postQuitMessage(int exitCode) {
    auto self = detail::currentQueue();
    std::lock_guard lock(self->mutex);
    self->quitPending = true;
    self->quitCode = exitCode;
}

}  // namespace platform
