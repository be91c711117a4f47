#include "app/core/TextConversion.h"

#include "app/core/Cp1250.h"

namespace pelorvant {

std::string toNarrowString(std::u16string_view text) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(wideCharToCp1250(text[i]));
    return out;
}

std::u16string fromNarrowString(const char* bytes, std::int32_t length) {
    if (bytes == nullptr || length < 1) return {};
    std::u16string out(static_cast<std::size_t>(length), u'\0');
    for (std::int32_t i = 0; i < length; ++i) out[i] = cp1250ToWideChar(static_cast<std::uint8_t>(bytes[i]));
    return out;
}

}  // namespace pelorvant
