#include "engine/api/TicketPrice.h"

#include <cstdio>
#include <cstdlib>

namespace trasovnik::api {

std::string ticketPriceText(std::int32_t price, std::uint32_t sourceCode) {
    char text[48];
    if (sourceCode == kEuroSource) {
        // Whole euros and cents of the magnitude, so that a negative price reads -1,05 EUR
        // rather than mixing signs.
        const long long magnitude = std::llabs(static_cast<long long>(price));
        const char* sign = price < 0 ? "-" : "";
        if (magnitude % 100 == 0) {
            std::snprintf(text, sizeof text, "%s%lld EUR", sign, magnitude / 100);
        } else {
            std::snprintf(text, sizeof text, "%s%lld,%02lld EUR", sign, magnitude / 100,
                          magnitude % 100);
        }
    } else {
        std::snprintf(text, sizeof text, "%d K\xE8", static_cast<int>(price));
    }
    return std::string(text);
}

}  // namespace trasovnik::api
