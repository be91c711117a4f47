#pragma once
// Internal: the windows of the calling thread that wait for WM_PAINT.

#include "platform/core/MessageLoop.h"

namespace platform::ui::detail {

// The next visible window with an invalid part as a WM_PAINT in `out`. With take, that part
// moves to the window's paint rectangle and the window leaves the list. False when none waits.
bool nextPaint(Message& out, bool take);

}  // namespace platform::ui::detail
