#pragma once
// The main frame until the shell supplies the tabbed one: a full-screen top-level window
// titled with the program's title that does what the program's life asks of the main frame.
// WM_APP_TERMINATE runs the orderly shut-down, WM_UPDATE_HANDOVER the update check of a
// handed-over request, WM_CLOSE destroys the frame and its destruction ends the message loop.
#include "app/program/life/ProgramSteps.h"
#include "platform/core/Types.h"

namespace pelorvant {

// Made on the user-interface thread; `steps` must outlive the window. The caller owns the
// window (destroyed through WM_CLOSE).
platform::WindowHandle createStandInFrame(ProgramSteps& steps);

}  // namespace pelorvant
