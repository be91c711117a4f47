#pragma once
// The icons of message boxes, drawn to any size: information (a blue disc with "i"), warning
// (a yellow triangle with "!"), question (a blue disc with "?") and error (a red disc with a
// white cross).

#include "platform/draw/DeviceContext.h"
#include "platform/draw/Geometry.h"

namespace platform::shell {

enum class MessageBoxIcon { None, Information, Warning, Question, Error };

// The icon a message box type (MB_ICON*) asks for.
MessageBoxIcon messageBoxIconOf(unsigned type);

// Draws the icon in the square of side min(width, height) centred in `box`.
void drawMessageBoxIcon(draw::DeviceContext& dc, const draw::Rect& box, MessageBoxIcon icon);

}  // namespace platform::shell
