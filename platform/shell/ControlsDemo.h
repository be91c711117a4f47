#pragma once
// A demonstration screen with every system control and the menu bar, laid out for the
// screen's resolution: the golden-image tests show it on the headless backend, and a demo
// program can show it in the SDL backend.

#include "platform/core/Types.h"

namespace platform::shell {

// Creates the screen as a full-screen top-level window (above the menu bar) with its bar.
WindowHandle createControlsDemo();
// A window holding only a month calendar showing 10 December 2026.
WindowHandle createCalendarDemo();

}  // namespace platform::shell
