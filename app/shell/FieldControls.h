#pragma once
// Small pieces the entry fields share: which variant of a control to build (touch screen or
// keypad), the top-level window a popup opens over, and the push buttons beside a field.

#include "platform/core/Types.h"
#include "platform/draw/Geometry.h"

#include <cstdint>
#include <string_view>

namespace pelorvant {

// The touch-screen variant of the controls (false: the keypad Smartphone's).
bool touchScreen();
// The window's top-level ancestor (the window itself when it has no parent).
platform::WindowHandle topLevelWindow(platform::WindowHandle window);
// A visible push button child of `parent` with the text and id (placed later by a layout).
platform::WindowHandle createPushButton(platform::WindowHandle parent, std::u16string_view text,
                                        std::uintptr_t id);
// Asks the menu bar of the window's top-level window to hand the Back key to the program
// instead of acting on it: the main frame then passes each press on to the focused window as
// one WM_HOTKEY (wParam and lParam 0).
void takeOverBackKey(platform::WindowHandle window);

}  // namespace pelorvant
