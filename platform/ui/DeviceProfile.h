#pragma once
// The device the interface runs on: screen size, resolution, orientation, touch screen or
// keypad, and the system metrics that depend on them. Chosen on the command line
// (--profile=NAME) or by the environment variable TRASA_PROFILE.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

enum class Orientation { Portrait, Landscape, Square };

struct SystemMetrics {
    int scrollBarWidth = 13;    // vertical scroll bar width, horizontal scroll bar height
    int captionHeight = 26;     // title bar and menu bar height
    int borderWidth = 1;        // a WS_BORDER window's frame
    int doubleTapDistance = 4;  // how far apart the two taps of a double tap may lie
};

struct DeviceProfile {
    std::string name;
    int width = 240;
    int height = 320;
    int dpi = 96;
    bool touch = true;  // false: a keypad phone (Smartphone) without a touch screen
    SystemMetrics metrics;

    // Resolutions above 191 DPI count as high resolution.
    bool highResolution() const { return dpi > 191; }
    Orientation orientation() const;
    // The same device turned by a quarter: width and height swapped.
    DeviceProfile rotated() const;
};

// The known profiles: "240x320", "480x640", "240x320-keypad" and the landscape variants
// "320x240", "640x480", "320x240-keypad".
const std::vector<DeviceProfile>& deviceProfiles();
std::optional<DeviceProfile> findDeviceProfile(std::string_view name);

// The profile named by --profile=NAME among the arguments, else by TRASA_PROFILE, else
// "240x320". An unknown name gives nothing (the caller reports it).
std::optional<DeviceProfile> chooseDeviceProfile(int argc, const char* const* argv);

}  // namespace platform::ui
