#pragma once
// Phone-keypad codes of Windows-1250 texts, by which typed input is matched against place
// names: a letter has the key of its plain base letter (2 to 9), every other byte key 1, and a
// text is coded by the keys of its first nine bytes, first byte least significant.

#include <cstdint>
#include <string_view>

namespace trasovnik {

// Added to the code of a text that has a separator after its first byte.
inline constexpr std::int32_t kT9MultiWordFlag = 1000000000;
// Bytes a code covers.
inline constexpr std::size_t kT9CodedChars = 9;

// Space, comma, hyphen, full stop and slash divide names and typed texts into words.
bool isT9Separator(std::uint8_t b);
// 2 to 9 for a letter (diacritics stripped, then lowercased), 1 for every other byte.
int t9KeyOfChar(std::uint8_t b);
// The code of a text: the keys of its first nine bytes as decimal digits, plus
// kT9MultiWordFlag when any byte from the second on is a separator.
std::int32_t t9CodeOfWord(std::string_view text);
// 10^n for n from 0 to 9.
std::int32_t t9PowerOfTen(std::size_t n);

}  // namespace trasovnik
