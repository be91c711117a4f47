#pragma once
// Texts for services that take plain letters only (text messages).
#include <string>
#include <string_view>

namespace pelorvant {

// The text with the accented letters of Windows-1250 replaced by their base letters; other
// characters stay.
std::u16string stripDiacritics(std::u16string_view text);

}  // namespace pelorvant
