#pragma once
// Texts and addresses that differ by country, indexed by the language setting (0 Czech,
// 1 Slovak). An index outside the tables reads as 0.
#include <cstdint>
#include <string_view>

namespace pelorvant {

// Address of "pelorakt.ini", the update information.
std::u16string_view updateInfoAddress(std::int32_t language);
// Address of the program-version file (also named "pelorakt.ini"), the same for both countries.
std::u16string_view programVersionAddress();
// The download page for updates.
std::u16string_view updatePageAddress(std::int32_t language);
// "ČR" or "SK".
std::u16string_view countryName(std::int32_t language);
// "CZ" or "SK": names the language library.
std::u16string_view countryCode(std::int32_t language);
// "Čeština" or "Slovenština".
std::u16string_view languageName(std::int32_t language);
// Position of the value in the code table {1000, 2000}; 0 when it is not there.
int indexInCodeTable(std::int32_t value);

}  // namespace pelorvant
