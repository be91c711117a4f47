#pragma once
// The keyboard focus: one window at a time receives the keys. Moving it sends WM_KILLFOCUS to
// the window that loses it (wParam: the window that gets it) and then WM_SETFOCUS to the new
// one (wParam: the window that lost it). Hidden and disabled windows cannot take it.

#include "platform/core/Types.h"

namespace platform::ui {

// Returns the window that had the focus before; kNullWindow, and nothing changes, when the
// window cannot take it. A null window removes the focus.
WindowHandle setFocus(WindowHandle window);
WindowHandle getFocus();

}  // namespace platform::ui
