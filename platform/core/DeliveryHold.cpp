#include "platform/core/DeliveryHold.h"

#include "platform/core/DeliveryGate.h"
#include "platform/core/Types.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

namespace platform {

namespace {

struct Hold {
    std::mutex mutex;
    std::condition_variable changed;
    // Looked at without the lock by every cross-thread send and post: most never find it set.
    std::atomic<bool> armed{false};
    std::uint32_t message = 0;  // the id the hold waits for while armed
    std::shared_ptr<detail::ThreadQueue> target;
    std::optional<Message> posted;
    std::shared_ptr<detail::SentMessage> sent;
};

Hold& hold() {
    static Hold instance;
    return instance;
}

// Takes a message with id `message` into the hold when the hold waits for that id; `keep`
// stores it in the hold under the hold's lock. True when taken.
template <class Keep>
bool takeIntoHold(const std::shared_ptr<detail::ThreadQueue>& target, std::uint32_t message,
                  Keep keep) {
    Hold& h = hold();
    if (!h.armed.load()) {
        return false;
    }
    {
        std::lock_guard lock(h.mutex);
        if (!h.armed.load() || h.message != message) {
            return false;
        }
        h.armed = false;
        h.target = target;
        keep(h);
    }
    h.changed.notify_all();
    return true;
}

}  // namespace

namespace detail {

bool holdPosted(const std::shared_ptr<ThreadQueue>& target, const Message& message) {
    return takeIntoHold(target, message.message, [&](Hold& h) { h.posted = message; });
}

bool holdSent(const std::shared_ptr<ThreadQueue>& target, const std::shared_ptr<SentMessage>& sent) {
    return takeIntoHold(target, sent->message, [&](Hold& h) { h.sent = sent; });
}

}  // namespace detail

void holdNextDelivery(std::uint32_t message) {
    Hold& h = hold();
    std::lock_guard lock(h.mutex);
    h.message = message;
    h.armed = true;
}

bool waitForHeldDelivery(std::uint32_t timeoutMs) {
    Hold& h = hold();
    std::unique_lock lock(h.mutex);
    const auto held = [&h] { return h.posted.has_value() || h.sent != nullptr; };
    if (timeoutMs == kInfinite) {
        h.changed.wait(lock, held);
        return true;
    }
    return h.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), held);
}

void releaseHeldDelivery() {
    Hold& h = hold();
    std::shared_ptr<detail::ThreadQueue> target;
    std::optional<Message> posted;
    std::shared_ptr<detail::SentMessage> sent;
    {
        std::lock_guard lock(h.mutex);
        h.armed = false;
        target = std::move(h.target);
        posted = std::exchange(h.posted, std::nullopt);
        sent = std::move(h.sent);
    }
    if (!target) {
        return;
    }
    bool delivered = false;
    {
        std::lock_guard lock(target->mutex);
        if (!target->ended) {
            if (posted) {
                target->posted.push_front(*posted);
            }
            if (sent) {
                target->sent.push_back(sent);
            }
            delivered = true;
        }
    }
    if (delivered) {
        target->wake.notify_all();
    } else if (sent) {
        detail::completeSent(*sent, 0);
    }
}

}  // namespace platform
