#pragma once
// Holding back one message on its way from one thread to another, for tests and diagnostic
// tools that must see what a thread does before it has retrieved what a worker told it: as when
// a worker reports its end just after the thread took its last message, and the user's next
// input is handled first.

#include "platform/core/PlatformApi.h"

#include <cstdint>

namespace platform {

// The next message with this id that a thread sends or posts to a window of another thread is
// kept out of the owner's queue until releaseHeldDelivery: a post returns at once, as it does
// when the message is queued; a sender waits for the reply, as it does while the owner is busy.
// Until the release nothing the owner does delivers it, not even looking at its queue: the hold
// stands for an owner thread that has not looked at its messages since the message came.
// A message a thread sends to its own windows is a direct call and never held. Arming again
// replaces the id that waits to be held.
PLATFORM_API void holdNextDelivery(std::uint32_t message);

// Waits until a message is held; false when none was within timeoutMs.
PLATFORM_API bool waitForHeldDelivery(std::uint32_t timeoutMs);

// Disarms the hold and hands the held message, if any, to its owner thread as if it arrived
// now: a posted one goes to the head of the posted messages (it was posted before everything
// queued behind it), a sent one joins the sent messages. When the owner thread has ended, a
// posted message is dropped and a sender is released with 0.
PLATFORM_API void releaseHeldDelivery();

}  // namespace platform
