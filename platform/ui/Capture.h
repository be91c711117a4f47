#pragma once
// Mouse capture: while a window holds it, every finger event goes to that window, wherever it
// lies. Between finger down and finger up the window that received the down holds it anyway.
// A window that loses the capture receives WM_CAPTURECHANGED (lParam: the new holder).

#include "platform/core/Types.h"

namespace platform::ui {

// Returns the previous holder; nothing changes for a window that cannot take input.
WindowHandle setCapture(WindowHandle window);
bool releaseCapture();
WindowHandle getCapture();

}  // namespace platform::ui
