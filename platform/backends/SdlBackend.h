#pragma once
// The backend with a real window (SDL2): the device screen scaled by a whole-number zoom, the
// mouse as the finger, keys mapped to the device's (arrows, Enter, Esc as Back, F1 and F2 as
// the two soft keys, digits and letters), text input as characters, and F4 turning the screen.
//
// The backend has no loop of its own: while it lives it is the idle wait of the thread that
// made it, so the program's message loops (ui::runMessageLoop, every modal loop) show the
// screen when it changed and wait for device input whenever they have nothing to do. Closing
// the window posts WM_QUIT with exit code 0. The process's signals are left alone: what a
// termination signal does is the program's own choice.

#include "platform/draw/Bitmap.h"
#include "platform/ui/DeviceProfile.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform::backends {

class SdlBackend {
public:
    SdlBackend(const ui::DeviceProfile& profile, int zoom);
    ~SdlBackend();
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // False when SDL or its window could not start; error() says why. The window shows from
    // its first frame on (the first present, which the idle wait makes once there is
    // something to show).
    bool ok() const;
    const std::string& error() const { return error_; }

    // Ends the thread's message loop (WM_QUIT with exit code 0) once ms milliseconds of real
    // time have passed from now; for demonstrations and screenshots that run for a while.
    void quitAfter(std::uint64_t ms);
    // Composes the screen and shows it now (the idle wait does so whenever it changed).
    void present();
    // Shows the window (restored when minimised) above the other windows of the display and
    // asks for the input focus.
    void raise();
    // What the window shows, scaled back to device pixels.
    draw::Bitmap readBack();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string error_;
};

// The device key for an SDL key code, or 0 for keys the device does not have.
std::uint32_t deviceKeyOf(int sdlKey);

}  // namespace platform::backends
