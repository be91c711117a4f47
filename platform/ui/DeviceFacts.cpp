#include "platform/ui/DeviceFacts.h"

#include "platform/ui/Screen.h"

namespace platform::ui {
namespace {

// The system version the devices report: 5.2, the family both device kinds share, with a build
// below the one from which frames size themselves from the work area.
constexpr OsVersion kOsVersion{5, 2, 21234};

// A dialog's frame at 96 DPI; it grows with the resolution like the other metrics.
constexpr int kDialogFrameAt96Dpi = 3;

}  // namespace

DeviceFacts deviceFactsOf(const DeviceProfile& profile) {
    DeviceFacts f;
    f.platformType = profile.touch ? kPlatformTypeTouch : kPlatformTypeKeypad;
    f.osVersion = kOsVersion;
    f.screen = draw::Size{profile.width, profile.height};
    f.logicalDpi = profile.dpi;
    f.captionHeight = profile.metrics.captionHeight;
    f.borderHeight = profile.metrics.borderWidth;
    f.dialogFrameHeight = kDialogFrameAt96Dpi * profile.dpi / 96;
    f.scrollBarWidth = profile.metrics.scrollBarWidth;
    f.workArea = draw::Rect{0, 0, profile.width, profile.height - profile.metrics.captionHeight};
    f.fullScreenClientHeight = f.workArea.height();
    return f;
}

DeviceFacts deviceFacts() {
    return deviceFactsOf(deviceProfile());
}

}  // namespace platform::ui
