#pragma once
// Texts and addresses that differ by country, indexed by the language setting (0 Czech,
// 1 Slovak). An index outside the tables reads as 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// Address of "pelorakt.ini", the update information.
std::u16string_view updateInfoAddress(std::int32_t language);
// Address of the program-version file (also named "pelorakt.ini"), the same for both countries.
std::u16string_view programVersionAddress();
// The download page for updates.
std::u16string_view updatePageAddress(std::int32_t language);
// The country's short name in the running language's words ("ČR" or "SK" in Czech; string-table
// texts 12339 and 12340).
std::u16string countryName(std::int32_t language);
// "CZ" or "SK": names the language library.
std::u16string_view countryCode(std::int32_t language);
// The language's name in the running language's words (string-table texts 12313 and 12314).
std::u16string languageName(std::int32_t language);
// Position of the value in the code table {1000, 2000}; 0 when it is not there.
int indexInCodeTable(std::int32_t value);

}  // namespace pelorvant
