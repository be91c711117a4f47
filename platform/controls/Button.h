#pragma once
// Push buttons, check boxes and radio buttons (BS_* in the low style bits). A tap that starts
// and ends on the button, Space, Enter or BM_CLICK clicks it: an automatic check box toggles,
// an automatic radio button checks itself and unchecks the automatic radio buttons among its
// siblings, then the parent receives BN_CLICKED. The button takes the focus when tapped.

#include "platform/core/Window.h"

namespace platform::controls {

WindowProc buttonProc();

}  // namespace platform::controls
