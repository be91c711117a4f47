#pragma once
// The user-interface thread's message loop. Besides what the core's loop delivers, it makes
// WM_PAINT for invalid windows when no sent or posted message waits (before due timers), and
// delivers the WM_CHAR that translateMessage made of a key right after that key.

#include "platform/core/MessageLoop.h"

namespace platform::ui {

// Waits for the next message; false for WM_QUIT.
bool getMessage(Message& out);
// Like getMessage, without waiting: false when nothing is there (quit is set then when the
// message was WM_QUIT, which is taken off the queue).
bool peekMessage(Message& out, bool* quit = nullptr);
// Makes a WM_CHAR of a WM_KEYDOWN for a key that gives a character; true when it did.
bool translateMessage(const Message& message);
// getMessage, the pre-translate filters (see MessageFilters.h), translateMessage and
// dispatchMessage until WM_QUIT; returns its exit code.
int runMessageLoop();
// Handles every message that is there now, paints included, without waiting, filtered as
// runMessageLoop does. False when
// WM_QUIT came (its exit code goes to *exitCode when given).
bool pumpMessages(int* exitCode = nullptr);

}  // namespace platform::ui
