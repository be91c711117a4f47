#include "app/program/life/SdlDisplay.h"

#include "platform/ui/Screen.h"

#include <cstdio>

namespace pelorvant {

bool SdlDisplay::open() {
    platform::ui::setDeviceProfile(profile_);
    backend_ = std::make_unique<platform::backends::SdlBackend>(profile_, zoom_);
    if (!backend_->ok()) {
        std::fprintf(stderr, "pelorvant: %s\n", backend_->error().c_str());
        backend_.reset();
        return false;
    }
    return true;
}

void SdlDisplay::raise() {
    if (backend_)
        backend_->raise();
}

}  // namespace pelorvant
