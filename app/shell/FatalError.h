#pragma once
// The fatal-error box and the orderly end of the program, usable from any thread.
#include "platform/core/Types.h"

#include <string_view>

namespace pelorvant {

// The main frame, once start-up has made it (kNullWindow before and after). Set on the
// user-interface thread; read from any thread.
platform::WindowHandle mainFrameWindow();
void setMainFrameWindow(platform::WindowHandle frame);

// Asks the main frame for the orderly shut-down (WM_APP_TERMINATE): sent on the frame's own
// thread; from another thread posted, so the asking thread never waits on a shut-down that
// may itself wait for that thread to end. Nothing happens without a main frame.
void terminateProgram();

// Shows a box owned by `owner` with the text message + "\r\rProgram bude nyní ukončen." and
// the caption "Chyba v programu", button OK; then, when endProgram is set, terminateProgram().
// From a worker thread the box is shown by the user-interface thread and the worker waits
// for it to be closed.
void ShowFatalError(std::u16string_view message, platform::WindowHandle owner, bool endProgram);

}  // namespace pelorvant
