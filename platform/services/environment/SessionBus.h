#pragma once
// The session bus when the desktop has none (a headless or bare X session): the D-Bus
// libraries (SDL's, GLib's) would then start one of their own through dbus-launch, and that
// bus daemon outlives the program, one per display. The program uses the session's bus when
// there is one and none at all otherwise.
#include <string>

namespace platform::services {

// Leaves $DBUS_SESSION_BUS_ADDRESS as it is when set; otherwise names the user's bus socket
// $XDG_RUNTIME_DIR/bus when that is a socket of this user, else an address that no library
// can connect to and none launches a bus for. Call before any thread starts: it changes the
// environment. Returns the address the process uses from now on.
std::string settleSessionBus();

// The address that means "no session bus".
inline constexpr const char* kNoSessionBus = "disabled:";

}  // namespace platform::services
