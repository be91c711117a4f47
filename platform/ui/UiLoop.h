#pragma once
// The user-interface thread's loops. Every loop takes its messages through the core's
// getMessage and peekMessage (platform/core/MessageLoop.h); the window layer adds to them the
// WM_PAINT of invalid windows (when no sent or posted message waits, before due timers) and
// the WM_CHAR that translateMessage made of a key (right after that key). While the thread has
// nothing to do, its idle wait runs (a display backend's, or a test kit's).

#include "platform/core/MessageLoop.h"

#include <functional>

namespace platform::ui {

// Makes a WM_CHAR of a WM_KEYDOWN for a key that gives a character; true when it did.
bool translateMessage(const Message& message);

// The thread's main loop: getMessage, the pre-translate filters (see MessageFilters.h),
// translateMessage and dispatchMessage until WM_QUIT; returns its exit code.
int runMessageLoop();

// Handles every message that is there now, paints included, without waiting, filtered as
// runMessageLoop does. False when WM_QUIT came (its exit code goes to *exitCode when given).
bool pumpMessages(int* exitCode = nullptr);

// The one nested loop of everything modal (message boxes, popup menus, tap-and-hold): it runs
// until done() is true (asked before each message) and handles each message as
// runMessageLoop does, after offering it to `filter` (true: the loop's owner took it). On
// WM_QUIT the quit is posted again, so the outer loops end too, and the loop returns Quit.
using ModalFilter = std::function<bool(const Message&)>;
enum class ModalEnd { Done, Quit };
ModalEnd runModalLoop(const std::function<bool()>& done, const ModalFilter& filter = {});

}  // namespace platform::ui
