#pragma once
// Internal: where cross-thread sends and posts pass the hold of DeliveryHold.h.

#include "platform/core/MessageLoop.h"
#include "platform/core/ThreadQueue.h"

#include <memory>

namespace platform::detail {

// Takes a post to a window of `target` into the hold when the hold waits for its id; true when
// taken (the caller then queues nothing).
bool holdPosted(const std::shared_ptr<ThreadQueue>& target, const Message& message);

// The same for a message sent from another thread; the sender then waits as usual.
bool holdSent(const std::shared_ptr<ThreadQueue>& target, const std::shared_ptr<SentMessage>& sent);

}  // namespace platform::detail
