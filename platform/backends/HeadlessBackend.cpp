#include "platform/backends/HeadlessBackend.h"

#include "platform/ui/Screen.h"

namespace platform::backends {

HeadlessBackend::HeadlessBackend(const ui::DeviceProfile& profile) {
    ui::setDeviceProfile(profile);
    ui::composeScreen(frame_);
}

const draw::Bitmap& HeadlessBackend::present() {
    const draw::Size size = ui::screenSize();
    if (ui::screenDirty() || frame_.width() != size.width || frame_.height() != size.height) {
        ui::composeScreen(frame_);
    }
    return frame_;
}

}  // namespace platform::backends
