#pragma once
// What a system control holds, in words, for the test kit's tree dump: a combo box's selection,
// an edit's selection, a check box's check, a list view's rows. Read through the controls'
// own messages, so a test sees what the user sees without sending them itself.

#include "platform/core/Types.h"

#include <string>

namespace platform::testkit {

// Text to put after the window's line (starting with a space), empty for windows that hold
// nothing more than their text.
std::string controlSummary(WindowHandle window);

// Lines below the window's line for controls with rows (a list view): one per row, each
// indented by `indent` spaces and ended with a newline.
std::string controlRows(WindowHandle window, int indent);

}  // namespace platform::testkit
