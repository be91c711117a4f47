#pragma once
// The facts of the device that the settings depend on, taken from the platform's device
// profile.
#include "platform/ui/DeviceProfile.h"

#include <string>

namespace pelorvant {

struct DeviceFacts {
    int dpi = 96;
    int screenWidth = 240;
    int screenHeight = 320;
    std::string platformType = "PocketPC";  // "SmartPhone" on a keypad phone
    int scrollBarWidth = 13;
};

// A keypad profile is a "SmartPhone"; a touch profile a "PocketPC".
DeviceFacts deviceFactsOf(const platform::ui::DeviceProfile& profile);

}  // namespace pelorvant
