#pragma once
// Turns a window's scroll bars on or off through its style.

#include "platform/core/Types.h"

namespace pelorvant {

inline constexpr int kScrollBarHorizontal = 0;
inline constexpr int kScrollBarVertical = 1;
inline constexpr int kScrollBarBoth = 3;
// The system error code of an invalid parameter.
inline constexpr unsigned kErrorInvalidParameter = 87;

// Sets (or clears) WS_HSCROLL for kind 0, WS_VSCROLL for 1, both for 3. Any other kind
// changes nothing, records kErrorInvalidParameter (see lastShellError) and returns false.
bool setScrollBarStyle(platform::WindowHandle window, int kind, bool set);

// The error code recorded by the last failing call of this thread; 0 when none.
unsigned lastShellError();

}  // namespace pelorvant
