#pragma once
// Internal: how a control tells its parent what happened.

#include "platform/core/Types.h"
#include "platform/ui/UiMessages.h"

#include <cstdint>

namespace platform::controls::detail {

// WM_COMMAND to the control's parent: the control's id with the code, and the control.
void notifyParent(WindowHandle control, std::uint32_t code);

// WM_NOTIFY to the control's parent; the header's sender, id and the given code are filled in.
// Returns the parent's answer.
MsgResult notifyParent(WindowHandle control, ui::NotifyHeader& header, std::uint32_t code);

}  // namespace platform::controls::detail
