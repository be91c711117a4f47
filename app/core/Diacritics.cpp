#include "app/core/Diacritics.h"

#include "app/core/Cp1250.h"

namespace pelorvant {

std::u16string stripDiacritics(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += c;
            continue;
        }
        const std::uint8_t base = cp1250Strip(wideCharToCp1250(c));
        out += base < 0x80 ? static_cast<char16_t>(base) : c;
    }
    return out;
}

}  // namespace pelorvant
