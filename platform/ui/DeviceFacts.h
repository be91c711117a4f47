#pragma once
// What the program asks the system about the device it runs on: the platform type, the
// operating system's version and the sizes the main frame lays itself out by. All of it follows
// from the device profile, so a program sees the same facts on the headless backend, under SDL
// and on every profile it is tested with.

#include "platform/draw/Geometry.h"
#include "platform/ui/DeviceProfile.h"

#include <string>

namespace platform::ui {

// The platform-type texts.
inline constexpr const char16_t* kPlatformTypeKeypad = u"SmartPhone";
inline constexpr const char16_t* kPlatformTypeTouch = u"PocketPC";

struct OsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};

struct DeviceFacts {
    std::u16string platformType;  // kPlatformTypeKeypad or kPlatformTypeTouch
    OsVersion osVersion;
    draw::Size screen;
    int logicalDpi = 96;
    // The part of the screen programs lay out in: the screen less the menu bar at its foot.
    draw::Rect workArea;
    // The client height of a full-screen frame: the height of the work area.
    int fullScreenClientHeight = 0;
    int captionHeight = 0;      // title and menu bar height
    int borderHeight = 0;       // a bordered window's frame
    int dialogFrameHeight = 0;  // a dialog's frame, inside its border
    int scrollBarWidth = 0;
};

// The facts of a profile (owned by the caller, a value).
DeviceFacts deviceFactsOf(const DeviceProfile& profile);
// The facts of the device now in use (after setDeviceProfile and rotateScreen).
DeviceFacts deviceFacts();

}  // namespace platform::ui
