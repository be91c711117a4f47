#include "platform/services/gps/GpsSource.h"

#include <cstdlib>
#include <string_view>

namespace platform::services {

GpsdAddress gpsdAddressFromEnvironment() {
    GpsdAddress address{"localhost", "2947"};
    const char* value = std::getenv("PELORVANT_GPSD");
    if (value == nullptr || *value == '\0') {
        return address;
    }
    const std::string_view text(value);
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        address.host = std::string(text);
    } else {
        if (colon > 0)
            address.host = std::string(text.substr(0, colon));
        if (colon + 1 < text.size())
            address.port = std::string(text.substr(colon + 1));
    }
    return address;
}

}  // namespace platform::services
