#pragma once
// A demonstration screen with every system control and the menu bar, laid out from its
// window's size and the screen's resolution (in landscape the list and the tabs stand side by
// side): the golden-image tests show it on the headless backend, the demo program in SDL.

#include "platform/core/Types.h"

namespace platform::demo {

// Creates the screen as a full-screen top-level window (above the menu bar) with its bar; it
// lays its controls out again whenever it is resized.
WindowHandle createControlsDemo();
// A window holding only a month calendar showing 10 December 2026.
WindowHandle createCalendarDemo();

}  // namespace platform::demo
