#pragma once
// The settings the shell's building blocks read: font height, finger control, resolution,
// orientation, scroll-bar width, the tab setting and the keyboard, with the font made from the
// height.
// The program's settings object provides them; until one is installed, the defaults below are
// worked out from the device, as the settings object does for a fresh installation.

#include "platform/draw/Font.h"

#include <memory>
#include <vector>

namespace pelorvant {

// The screen's orientation as the settings keep it.
inline constexpr int kOrientationPortrait = 0;
inline constexpr int kOrientationLandscape = 1;
inline constexpr int kOrientationSquare = 2;

class ShellSettings {
public:
    virtual ~ShellSettings() = default;
    // The unscaled font height in pixels.
    virtual int fontHeight() const = 0;
    // A touch-screen device (false: a keypad Smartphone).
    virtual bool isNotSmartphone() const = 0;
    virtual bool touchFriendly() const = 0;
    virtual bool highResolution() const = 0;
    // kOrientationPortrait, kOrientationLandscape or kOrientationSquare.
    virtual int orientation() const = 0;
    // Width of a vertical scroll bar in pixels.
    virtual int scrollBarWidth() const = 0;
    virtual bool showTabs() const = 0;
    // Object entry types names with T9 on the keypad ("useT9").
    virtual bool useT9() const { return true; }
    // The keyboard is a full QWERTY keyboard ("isStandardQwerty"), or one that slides out in
    // landscape ("isLandscapeQwerty").
    virtual bool standardQwerty() const { return false; }
    virtual bool landscapeQwerty() const { return false; }
    // Verdana at the font height; owned by the settings, valid while they live.
    virtual const platform::draw::Font& mainFont() const = 0;
};

// Settings taken from the current device profile: the default font height of the platform
// (18 or 14 on a Smartphone by screen size, else 28 at high resolution or 16), no finger
// control, the tab strip shown, the orientation and scroll-bar width of the screen.
class DeviceShellSettings : public ShellSettings {
public:
    int fontHeight() const override;
    bool isNotSmartphone() const override;
    bool touchFriendly() const override { return false; }
    bool highResolution() const override;
    int orientation() const override;
    int scrollBarWidth() const override;
    bool showTabs() const override { return true; }
    const platform::draw::Font& mainFont() const override;

private:
    // Every font made so far stays alive: controls keep the pointer they were given.
    mutable std::vector<std::unique_ptr<platform::draw::Font>> fonts_;
};

// The settings in force: the installed ones, else device defaults (owned by this module).
const ShellSettings& shellSettings();
// Installs settings (not owned; they must outlive their use); null returns to the defaults.
// Returns the previously installed settings (null when none).
const ShellSettings* installShellSettings(const ShellSettings* settings);

}  // namespace pelorvant
