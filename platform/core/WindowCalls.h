#pragma once
// Internal: calling window procedures and freeing windows, shared by sends, dispatch and
// destruction.

#include "platform/core/HandleTable.h"
#include "platform/core/ThreadQueue.h"

#include <memory>

namespace platform::detail {

// Calls the window's procedure on the owner thread (the caller's). When the window was
// destroyed during the call and this was the outermost call, the window is freed afterwards.
MsgResult callProcedure(const std::shared_ptr<WindowRecord>& window, WindowHandle handle,
                        std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// Handles a message sent from another thread and releases its sender, also when the window is
// gone (with 0) or the procedure throws.
void deliverSent(const std::shared_ptr<SentMessage>& sent);

// Drops the window's slot and releases its procedure.
void freeWindow(WindowHandle handle, WindowRecord& window);

}  // namespace platform::detail
