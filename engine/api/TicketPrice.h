#pragma once
// The price text of an SMS ticket: euro hundredths for timetables of source 1 ("1,05 EUR",
// "2 EUR"), crowns for the others ("35 Kč", Windows-1250).

#include <cstdint>
#include <string>

namespace trasovnik::api {

inline constexpr std::uint32_t kEuroSource = 1;

std::string ticketPriceText(std::int32_t price, std::uint32_t sourceCode);

}  // namespace trasovnik::api
