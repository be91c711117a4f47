#include "app/core/Cp1250.h"

#include <array>

namespace pelorvant {
namespace {

constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The letters in Czech order, each base letter followed by its variants.
constexpr std::u16string_view kLetterOrder =
    u"a\u0105\u00E1\u00E2\u0103\u00E4b\u00DFc\u0107\u00E7\u010Dd\u010F\u0111e\u00E9\u0119\u00EB"
    u"\u011Bfghi\u00ED\u00EEjkl\u013A\u013E\u0142mn\u0144\u0148o\u00F3\u00F4\u0151\u00F6pqr\u0155"
    u"\u0159s\u0161\u015B\u015Ft\u0165\u0163u\u016F\u00FA\u0171\u00FCvwxy\u00FDz\u017E\u017A\u017C";

// Lower case of the characters the code page holds (Basic Latin, Latin-1, Latin Extended-A).
char16_t lowerWide(char16_t c) {
    if (c >= u'A' && c <= u'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    const bool evenUpper = (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177);
    const bool oddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return c + 1;
    return c;
}

struct Tables {
    std::array<std::uint8_t, 256> lower{};
    std::array<std::uint8_t, 256> rank{};
};

Tables buildTables() {
    Tables t;
    for (int b = 0; b < 256; ++b) {
        const char16_t lower = lowerWide(cp1250ToWideChar(static_cast<std::uint8_t>(b)));
        const std::uint8_t back = wideCharToCp1250(lower);
        t.lower[b] = lower != 0 && back != 0 ? back : static_cast<std::uint8_t>(b);
    }
    // Bytes 0 to 57 rank as themselves; the other non-letters below 0xC0 follow in code order;
    // the three non-letters above take the ranks just below the letters.
    int nextOther = 58;
    for (int b = 0; b < 256; ++b) {
        const char16_t lower = cp1250ToWideChar(t.lower[b]);
        const auto letter = kLetterOrder.find(lower);
        if (letter != std::u16string_view::npos && lower != 0) {
            // Two ranks stay free between the a-variants and b.
            t.rank[b] = static_cast<std::uint8_t>(124 + letter + (letter >= 6 ? 2 : 0));
        } else if (b < 58) {
            t.rank[b] = static_cast<std::uint8_t>(b);
        } else if (b == 0xD7 || b == 0xF7 || b == 0xFF) {
            t.rank[b] = b == 0xD7 ? 121 : b == 0xF7 ? 122 : 123;
        } else {
            t.rank[b] = static_cast<std::uint8_t>(nextOther++);
        }
    }
    return t;
}

const Tables& tables() {
    static const Tables t = buildTables();
    return t;
}

}  // namespace

char16_t cp1250ToWideChar(std::uint8_t byte) {
    return byte < 0x80 ? static_cast<char16_t>(byte) : kUpperHalf[byte - 0x80];
}

std::uint8_t wideCharToCp1250(char16_t c) {
    if (c < 0x80) return static_cast<std::uint8_t>(c);
    for (int i = 0; i < 128; ++i) {
        if (kUpperHalf[i] == c) return static_cast<std::uint8_t>(0x80 + i);
    }
    return 0;
}

std::uint8_t cp1250Lower(std::uint8_t byte) {
    return tables().lower[byte];
}

std::uint8_t cp1250Rank(std::uint8_t byte) {
    return tables().rank[byte];
}

int collateCompare(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int ra = cp1250Rank(static_cast<std::uint8_t>(a[i]));
        const int rb = cp1250Rank(static_cast<std::uint8_t>(b[i]));
        if (ra != rb) return ra > rb ? 1 : -1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::u16string lowerText(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        const std::uint8_t b = wideCharToCp1250(c);
        if (b != 0) c = cp1250ToWideChar(cp1250Lower(b));
    }
    return out;
}

std::uint8_t cp1250Strip(std::uint8_t byte) {
    static constexpr std::u16string_view kMarked =
        u"ŠŚŤŽŹšśťžźŁĄŞŻłąşżĽľŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖŘŮÚŰÜÝŢŕáâăäĺćçčéęëěíîďđńňóôőöřůúűüýţ";
    static constexpr std::u16string_view kBase =
        u"SSTZZsstzzLASZlaszLlRAAAALCCCEEEEIIDDNNOOOORUUUUYTraaaalccceeeeiiddnnooooruuuuyt";
    const auto at = kMarked.find(cp1250ToWideChar(byte));
    return at == std::u16string_view::npos || byte < 0x80 ? byte : static_cast<std::uint8_t>(kBase[at]);
}

}  // namespace pelorvant
