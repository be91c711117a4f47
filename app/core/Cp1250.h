#pragma once
// The engine's text: Windows-1250 bytes with an explicit length. The program converts every
// text that crosses to or from the engine here, and sorts names in Czech order the way the
// engine does (letters ranked base letter first, then its variants; case ignored).
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// The UTF-16 character of a byte; the five bytes the code page leaves undefined give 0.
char16_t cp1250ToWideChar(std::uint8_t byte);
// The byte of a UTF-16 character; ASCII unchanged, a character the code page lacks gives 0.
std::uint8_t wideCharToCp1250(char16_t c);
// The lower-case letter of an upper-case letter's byte; every other byte unchanged.
std::uint8_t cp1250Lower(std::uint8_t byte);
// The base letter of a byte with a diacritic mark (á to a, Ř to R); every other byte unchanged.
std::uint8_t cp1250Strip(std::uint8_t byte);
// Czech collation rank of a byte (equal for both cases of a letter).
std::uint8_t cp1250Rank(std::uint8_t byte);
// -1, 0 or 1: ranks decide over the shorter length, then the shorter text is smaller.
int collateCompare(std::string_view a, std::string_view b);

// The text with every letter of the code page lower-cased (other characters unchanged).
std::u16string lowerText(std::u16string_view text);

}  // namespace pelorvant
