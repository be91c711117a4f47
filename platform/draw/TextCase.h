#pragma once
// Upper and lower case of the letters the program meets: ASCII, Latin-1 and Latin Extended-A,
// which hold every Czech and Slovak letter (á, č, ď, é, ě, í, ĺ, ľ, ň, ó, ô, ŕ, ř, š, ť, ú,
// ů, ý, ž, ä). The one case folding of the whole platform layer: comparisons that ignore case
// fold both sides with foldCase.

#include <string>
#include <string_view>

namespace platform::draw {

char16_t toLowerCase(char16_t c);
char16_t toUpperCase(char16_t c);

// The text with every letter in lower case; the caller owns the result.
std::u16string foldCase(std::u16string_view text);

// True when `text` begins with `prefix`, letters compared without regard to case.
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);
// True when both texts are the same, letters compared without regard to case.
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace platform::draw
