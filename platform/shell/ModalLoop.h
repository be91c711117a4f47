#pragma once
// The nested message loops of the shell (tap-and-hold recognition, popup menus at a point)
// take their messages through fetchModalMessage. When an idle hook is set, a loop that finds
// no message calls it instead of waiting: tests move virtual time and give input there.

#include "platform/core/MessageLoop.h"

#include <functional>

namespace platform::shell {

using ModalIdle = std::function<void()>;
void setModalIdle(ModalIdle idle);

enum class Fetched { Message, Nothing, Quit };
// The next message of the calling thread (paints included). Without a hook it waits. On
// WM_QUIT the quit is posted again, so the outer loop ends too.
Fetched fetchModalMessage(Message& out);

}  // namespace platform::shell
