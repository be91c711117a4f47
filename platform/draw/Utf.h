#pragma once
// Conversions between the UTF-16 texts of the user interface and the UTF-8 that the font
// machinery takes.

#include <string>
#include <string_view>

namespace platform::draw {

// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);

}  // namespace platform::draw
