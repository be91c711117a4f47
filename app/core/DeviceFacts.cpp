#include "app/core/DeviceFacts.h"

namespace pelorvant {

DeviceFacts deviceFactsOf(const platform::ui::DeviceProfile& profile) {
    DeviceFacts facts;
    facts.dpi = profile.dpi;
    facts.screenWidth = profile.width;
    facts.screenHeight = profile.height;
    facts.platformType = profile.touch ? "PocketPC" : "SmartPhone";
    facts.scrollBarWidth = profile.metrics.scrollBarWidth;
    return facts;
}

}  // namespace pelorvant
