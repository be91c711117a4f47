#pragma once
// Delivering messages: synchronous sends, posts, and a thread's get-and-dispatch loop.
//
// Every thread has one message queue, made when it first needs one. A thread retrieves in this
// order: messages sent to its windows from other threads (handled inside the retrieving call,
// never returned), then posted messages in order, then a quit request, then due timers. The
// window layer adds its own messages to the same retrieval (see MessageSources.h): the
// character of a translated key first, paints before timers. These two functions are the only
// way any loop of the program takes messages.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstdint>

namespace platform {

struct Message {
    WindowHandle window = kNullWindow;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint64_t time = 0;  // tick count when posted; for WM_TIMER when the timer came due
};

// Calls the window's procedure and returns its result. On the owner thread this is a direct
// call. From another thread the message is queued for the owner thread and the caller blocks
// until it has been handled; while it waits, messages sent to the caller's own windows are
// handled, so two threads sending to each other do not deadlock. Returns 0 without calling
// anything for a null or stale handle, and releases the caller with 0 when the window is
// destroyed or its thread ends before the message was handled.
PLATFORM_API MsgResult sendMessage(WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

// Queues a message for the window's owner thread and returns at once; any thread may post.
// False for a null or stale handle or when the owner thread has ended.
PLATFORM_API bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam = 0,
                              std::intptr_t lParam = 0);

// Waits for the calling thread's next message and stores it in out (the thread's idle wait
// runs instead of waiting, when it has one). Returns false when that message is WM_QUIT
// (out.wParam then holds the exit code), true otherwise.
PLATFORM_API bool getMessage(Message& out);

enum class PeekMode { Remove, Keep };

// Like getMessage but does not wait: false when no message is there. A WM_QUIT is returned as
// a message (true). Keep leaves the message where it is.
PLATFORM_API bool peekMessage(Message& out, PeekMode mode = PeekMode::Remove);

// Passes a retrieved message to its window's procedure and returns the result; 0 without a
// call when the window is gone or belongs to another thread, and for WM_QUIT.
PLATFORM_API MsgResult dispatchMessage(const Message& message);

// Asks the calling thread's loop to end: getMessage returns false with exitCode once the
// posted messages queued before have been retrieved.
PLATFORM_API void postQuitMessage(int exitCode);

}  // namespace platform
