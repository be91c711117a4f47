#pragma once
// The backend with a real window (SDL2): the device screen scaled by a whole-number zoom, the
// mouse as the finger, keys mapped to the device's (arrows, Enter, Esc as Back, F1 and F2 as
// the two soft keys, digits and letters), text input as characters, and F4 turning the screen.

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

    // False when SDL or its window could not start; error() says why.
    bool ok() const;
    const std::string& error() const { return error_; }

    // Handles device events and the interface's messages and shows the screen whenever it
    // changed, until WM_QUIT or the window is closed, or until `maxMs` of real time passed
    // (0: no limit). Returns the exit code of WM_QUIT, 0 otherwise.
    int run(std::uint64_t maxMs = 0);
    // One round of run(): events, messages, and the screen when it changed. False once the
    // window was closed or WM_QUIT came.
    bool step();
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
