#pragma once
// The real program's display: an SDL window showing the device profile's screen at a
// whole-number zoom.
#include "app/program/life/ProgramDisplay.h"

#include "platform/backends/SdlBackend.h"
#include "platform/ui/DeviceProfile.h"

#include <memory>

namespace pelorvant {

class SdlDisplay final : public ProgramDisplay {
public:
    SdlDisplay(platform::ui::DeviceProfile profile, int zoom)
        : profile_(std::move(profile)), zoom_(zoom) {}

    bool open() override;
    void raise() override;

private:
    platform::ui::DeviceProfile profile_;
    int zoom_;
    std::unique_ptr<platform::backends::SdlBackend> backend_;
};

}  // namespace pelorvant
