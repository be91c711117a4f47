#pragma once
// The price text of an SMS ticket. Timetables store ticket prices in hundredths of their currency:
// euros for timetables of source 1 ("1,05 EUR", "2 EUR"), crowns for the others ("45,50 Kč",
// "24 Kč"; Windows-1250). Whole amounts drop the hundredths.

#include <cstdint>
#include <string>

namespace trasovnik::api {

inline constexpr std::uint32_t kEuroSource = 1;

std::string ticketPriceText(std::int32_t price, std::uint32_t sourceCode);

}  // namespace trasovnik::api
