#include "platform/draw/TextCase.h"

namespace platform::draw {
namespace {

// Latin Extended-A pairs letters as (upper, lower) on even, odd code points, except for the
// stretches 0x139–0x148 and 0x179–0x17E, where the upper case is the odd one.
bool upperFirstOnOdd(char16_t c) {
    return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

bool pairedInExtendedA(char16_t c) {
    return c >= 0x100 && c <= 0x17E && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
           c != 0x178;
}

}  // namespace

char16_t toLowerCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x178) {
        return 0xFF;  // Ÿ
    }
    if (pairedInExtendedA(c)) {
        const bool upper = upperFirstOnOdd(c) ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? static_cast<char16_t>(c + 1) : c;
    }
    return c;
}

char16_t toUpperCase(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (pairedInExtendedA(c)) {
        const bool lower = upperFirstOnOdd(c) ? (c % 2 == 0) : (c % 2 == 1);
        return lower ? static_cast<char16_t>(c - 1) : c;
    }
    return c;
}

std::u16string foldCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = toLowerCase(c);
    }
    return out;
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (toLowerCase(text[i]) != toLowerCase(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

}  // namespace platform::draw
