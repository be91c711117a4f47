#pragma once
// Static text: the window text on one line, left, centred or right (SS_*), on white.

#include "platform/core/Window.h"

namespace platform::controls {

WindowProc staticTextProc();

}  // namespace platform::controls
