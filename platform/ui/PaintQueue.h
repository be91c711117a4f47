#pragma once
// Internal: the windows of the calling thread that wait for WM_PAINT.

#include "platform/core/MessageLoop.h"

namespace platform::ui::detail {

// Takes the next visible window with an invalid part, moves that part to the window's paint
// rectangle and fills `out` with its WM_PAINT. False when none waits.
bool takePaint(Message& out);

// While the thread blocks in the core's wait, an invalidation (made by a message sent from
// another thread) posts a WM_NULL to wake it, so the paint is not held back.
void setBlockingWait(bool blocking);

}  // namespace platform::ui::detail
