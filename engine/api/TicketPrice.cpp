#include "engine/api/TicketPrice.h"

#include <cstdio>
#include <cstdlib>

namespace trasovnik::api {

std::string ticketPriceText(std::int32_t price, std::uint32_t sourceCode) {
    // Crown prices are hundredths as well: printing them as they stand would show a ticket of
    // 45,50 Kč as "4550 Kč".
    const char* currency = sourceCode == kEuroSource ? "EUR" : "K\xE8";
    // Whole units and hundredths of the magnitude, so that a negative price reads -1,05 EUR
    // rather than mixing signs.
    const long long magnitude = std::llabs(static_cast<long long>(price));
    const char* sign = price < 0 ? "-" : "";
    char text[48];
    if (magnitude % 100 == 0) {
        std::snprintf(text, sizeof text, "%s%lld %s", sign, magnitude / 100, currency);
    } else {
        std::snprintf(text, sizeof text, "%s%lld,%02lld %s", sign, magnitude / 100, magnitude % 100, currency);
    }
    return std::string(text);
}

}  // namespace trasovnik::api
