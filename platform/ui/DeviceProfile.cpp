#include "platform/ui/DeviceProfile.h"

#include <cstdlib>
#include <utility>

namespace platform::ui {
namespace {

DeviceProfile make(std::string name, int w, int h, int dpi, bool touch) {
    DeviceProfile p;
    p.name = std::move(name);
    p.width = w;
    p.height = h;
    p.dpi = dpi;
    p.touch = touch;
    // Metrics grow with the resolution from their values at 96 DPI.
    auto scaled = [dpi](int v) { return v * dpi / 96; };
    p.metrics.scrollBarWidth = scaled(13);
    p.metrics.captionHeight = scaled(26);
    p.metrics.borderWidth = 1;
    p.metrics.doubleTapDistance = scaled(4);
    return p;
}

}  // namespace

Orientation DeviceProfile::orientation() const {
    if (width == height) {
        return Orientation::Square;
    }
    return height < width ? Orientation::Landscape : Orientation::Portrait;
}

DeviceProfile DeviceProfile::rotated() const {
    DeviceProfile p = *this;
    std::swap(p.width, p.height);
    return p;
}

const std::vector<DeviceProfile>& deviceProfiles() {
    static const std::vector<DeviceProfile> profiles = {
        make("240x320", 240, 320, 96, true),          make("480x640", 480, 640, 192, true),
        make("240x320-keypad", 240, 320, 131, false), make("320x240", 320, 240, 96, true),
        make("640x480", 640, 480, 192, true),         make("320x240-keypad", 320, 240, 131, false),
    };
    return profiles;
}

std::optional<DeviceProfile> findDeviceProfile(std::string_view name) {
    for (const DeviceProfile& p : deviceProfiles()) {
        if (p.name == name) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<DeviceProfile> chooseDeviceProfile(int argc, const char* const* argv) {
    constexpr std::string_view kOption = "--profile=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (arg.substr(0, kOption.size()) == kOption) {
            return findDeviceProfile(arg.substr(kOption.size()));
        }
    }
    if (const char* env = std::getenv("TRASA_PROFILE"); env && *env) {
        return findDeviceProfile(env);
    }
    return findDeviceProfile("240x320");
}

}  // namespace platform::ui
