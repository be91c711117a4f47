#pragma once
// Windows as message targets. A window here is only what messages are delivered to: a
// procedure, a user-data slot and the thread that owns it. The windowing layer above adds
// parents, children and painting on top of these.

#include "platform/core/PlatformApi.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>

namespace platform {

// A window procedure: receives every message delivered to a window, always on the thread that
// created the window.
using WindowProc = std::function<MsgResult(WindowHandle window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam)>;

// Creates a window owned by the calling thread. Returns kNullWindow when proc is empty.
PLATFORM_API WindowHandle createWindow(WindowProc proc, std::uintptr_t userData = 0);

// Destroys a window; only its owner thread may do so (false otherwise, and for a stale
// handle). The handle is stale from the moment of the call: sends and posts to it do nothing,
// waiting senders are released with 0, its queued messages and timers are dropped. The
// procedure then receives WM_DESTROY and WM_NCDESTROY, directly. When called from inside the
// window's own procedure, the procedure itself is released only after the outermost call of
// it has returned, so the running handler may go on using what it captured.
PLATFORM_API bool destroyWindow(WindowHandle window);

// True while the handle names a window that has not been destroyed.
PLATFORM_API bool isWindow(WindowHandle window);

// The owner thread of a window; 0 for a stale handle.
PLATFORM_API ThreadId windowThreadId(WindowHandle window);

// Replaces the procedure of a live window and returns the previous one, so that a replacement
// can pass on what it does not handle. Returns an empty function (and changes nothing) for a
// stale handle or an empty proc. A procedure replaced while it runs finishes its call safely.
PLATFORM_API WindowProc setWindowProc(WindowHandle window, WindowProc proc);

// The user-data slot of a window: any pointer-sized value its owner keeps with it. It stays
// readable during WM_DESTROY and WM_NCDESTROY. Reading a stale handle gives 0; setting
// returns the previous value (0 and nothing stored for a stale handle).
PLATFORM_API std::uintptr_t getUserData(WindowHandle window);
PLATFORM_API std::uintptr_t setUserData(WindowHandle window, std::uintptr_t value);

}  // namespace platform
