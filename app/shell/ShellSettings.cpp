#include "app/shell/ShellSettings.h"

#include "platform/ui/Screen.h"

namespace pelorvant {

using platform::ui::deviceProfile;

int DeviceShellSettings::fontHeight() const {
    const auto& p = deviceProfile();
    if (!p.touch) {
        return (p.width > 250 || p.height > 250) ? 18 : 14;
    }
    return p.highResolution() ? 28 : 16;
}

bool DeviceShellSettings::isNotSmartphone() const {
    return deviceProfile().touch;
}

bool DeviceShellSettings::highResolution() const {
    return deviceProfile().highResolution();
}

int DeviceShellSettings::orientation() const {
    const auto size = platform::ui::screenSize();
    if (size.width == size.height) {
        return kOrientationSquare;
    }
    return size.height < size.width ? kOrientationLandscape : kOrientationPortrait;
}

int DeviceShellSettings::scrollBarWidth() const {
    return platform::ui::systemMetrics().scrollBarWidth;
}

const platform::draw::Font& DeviceShellSettings::mainFont() const {
    const int height = fontHeight();
    const bool synthetic =
        platform::draw::textMetricMode() == platform::draw::TextMetricMode::Synthetic;
    for (const auto& f : fonts_) {
        if (f->spec().height == height && f->synthetic() == synthetic) {
            return *f;
        }
    }
    fonts_.push_back(
        std::make_unique<platform::draw::Font>(platform::draw::FontSpec{"Verdana", height}));
    return *fonts_.back();
}

namespace {

const ShellSettings* installed = nullptr;

}  // namespace

const ShellSettings& shellSettings() {
    static const DeviceShellSettings defaults;
    return installed ? *installed : defaults;
}

const ShellSettings* installShellSettings(const ShellSettings* settings) {
    const ShellSettings* previous = installed;
    installed = settings;
    return previous;
}

}  // namespace pelorvant
