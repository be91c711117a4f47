#pragma once
// What the layers above the core add to a thread's message retrieval, so that every loop of the
// program retrieves through the one getMessage and peekMessage of MessageLoop.h.
//
// Sources make messages that are not queued: the window layer's WM_CHAR made of a translated
// key (retrieved before anything else) and its WM_PAINT for invalid windows (after posted
// messages and a quit request, before due timers). The idle wait is what a thread does instead
// of blocking when nothing is there: a display backend waits for device input, a test moves
// its virtual time and plays the user's part.

#include "platform/core/MessageLoop.h"
#include "platform/core/PlatformApi.h"

#include <cstdint>
#include <functional>

namespace platform {

struct MessageSources {
    // Each fills `out` and returns true when it has a message for the calling thread; with
    // remove false it only shows it. Called with no lock held, on the retrieving thread.
    bool (*first)(Message& out, bool remove) = nullptr;
    bool (*beforeTimers)(Message& out, bool remove) = nullptr;
    // Sees every message taken off the queue (removed), in retrieval order.
    void (*retrieved)(const Message& message) = nullptr;
};

// Installs the sources for every thread; installing the same ones again changes nothing.
PLATFORM_API void setMessageSources(const MessageSources& sources);

// Called by getMessage on the calling thread when it finds nothing, instead of blocking; it
// should return within about maxWaitMs (kInfinite: no timer is due) or as soon as it has given
// input. It must not retrieve messages itself. An empty function blocks again.
using IdleWait = std::function<void(std::uint32_t maxWaitMs)>;
// Returns the idle wait it replaces, so a caller can put it back.
PLATFORM_API IdleWait setIdleWait(IdleWait wait);

}  // namespace platform
