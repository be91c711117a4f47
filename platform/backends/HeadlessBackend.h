#pragma once
// The backend without a display: the screen is an image in memory, composed from the windows
// whenever something changed. Tests and runs without a display use it, normally together with
// the core's virtual clock.

#include "platform/draw/Bitmap.h"
#include "platform/ui/DeviceProfile.h"

namespace platform::backends {

class HeadlessBackend {
public:
    explicit HeadlessBackend(const ui::DeviceProfile& profile);

    // Composes the screen when something changed since the last call, and returns it.
    const draw::Bitmap& present();
    const draw::Bitmap& frame() const { return frame_; }

private:
    draw::Bitmap frame_;
};

}  // namespace platform::backends
