#include "engine/data/Cp1250Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

// Windows-1250 bytes of a few letters, spelled out so the tests read as text.
constexpr char kAacute = '\xE1';       // á
constexpr char kCcaronUpper = '\xC8';  // Č
constexpr char kCcaron = '\xE8';       // č

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) {
        s.push_back(static_cast<char>(c));
    }
    return s;
}

EngineCode codeOf(void (*f)()) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

const std::vector<std::uint8_t> kUndefined = {0x81, 0x83, 0x88, 0x90, 0x98};

bool isUndefined(int b) {
    for (auto u : kUndefined) {
        if (u == b) {
            return true;
        }
    }
    return false;
}

TEST(Cp1250Text, KnownCodesConvert) {
    struct Case {
        std::uint8_t byte;
        char16_t wide;
    };
    const Case cases[] = {
        {0x41, u'A'},      {0x8A, u'\u0160'}, {0x9A, u'\u0161'}, {0xC8, u'\u010C'},
        {0xE8, u'\u010D'}, {0xF8, u'\u0159'}, {0xD9, u'\u016E'}, {0xF9, u'\u016F'},
        {0xBC, u'\u013D'}, {0xBE, u'\u013E'}, {0xA3, u'\u0141'}, {0xDF, u'\u00DF'},
        {0x80, u'\u20AC'}, {0x96, u'\u2013'}, {0xA0, u'\u00A0'}, {0xFF, u'\u02D9'},
        {0xA1, u'\u02C7'}, {0xD7, u'\u00D7'}, {0x00, u'\0'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1250CharToWide(c.byte), c.wide) << std::hex << int(c.byte);
        EXPECT_EQ(wideCharToCp1250(c.wide), c.byte) << std::hex << int(c.byte);
    }
}

TEST(Cp1250Text, UndefinedBytesAndUnknownCharactersGiveZero) {
    for (auto b : kUndefined) {
        EXPECT_EQ(cp1250CharToWide(b), u'\0') << std::hex << int(b);
    }
    // Not in the code page: Ã, the C1 control U+0081, a CJK character.
    for (char16_t c : {u'\u00C3', u'\u0081', u'\u4E2D', u'\u00E0'}) {
        EXPECT_EQ(wideCharToCp1250(c), 0) << std::hex << int(c);
    }
    EXPECT_EQ(wideToCp1250(u"A\u00C3B"), bytes({'A', 0, 'B'}));
}

TEST(Cp1250Text, Utf8TakesOneToThreeBytesPerCharacter) {
    const struct {
        std::string cp1250;
        std::string utf8;
    } cases[] = {
        {"Brno 1", "Brno 1"},
        {bytes({'P', 0xF8, 0xED}), "P\xC5\x99\xC3\xAD"},          // ř í: two bytes each
        {bytes({0x80, ' ', 0x84}), "\xE2\x82\xAC \xE2\x80\x9E"},  // € „: three bytes each
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp1250ToUtf8(c.cp1250), c.utf8);
    }
}

TEST(Cp1250Text, EveryDefinedByteRoundTripsThroughWide) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (!isUndefined(b)) {
            all.push_back(static_cast<char>(b));
        }
    }
    ASSERT_EQ(all.size(), 251u);
    const std::u16string wide = cp1250ToWide(all);
    ASSERT_EQ(wide.size(), all.size());
    // Distinct bytes give distinct characters, so the table is invertible.
    for (std::size_t i = 1; i < wide.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            ASSERT_NE(wide[i], wide[j]) << i << " " << j;
        }
    }
    EXPECT_EQ(wideToCp1250(wide), all);
}

TEST(Cp1250Text, LowercaseMapsCodePagePairs) {
    // Upper-case letter of the code page and its lower-case letter.
    const std::pair<int, int> pairs[] = {
        {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
        {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
    };
    std::vector<bool> upper(256, false);
    for (auto [u, l] : pairs) {
        upper[u] = true;
        EXPECT_EQ(lowerByte(u), l) << std::hex << u;
    }
    for (int u = 'A'; u <= 'Z'; ++u) {
        upper[u] = true;
        EXPECT_EQ(lowerByte(u), u + 0x20);
    }
    for (int u = 0xC0; u <= 0xDE; ++u) {
        if (u != 0xD7) {
            upper[u] = true;
            EXPECT_EQ(lowerByte(u), u + 0x20) << std::hex << u;
        }
    }
    // The pairs agree with the code page's characters; nothing else changes.
    for (int b = 0; b < 256; ++b) {
        if (upper[b]) {
            EXPECT_NE(cp1250CharToWide(lowerByte(b)), cp1250CharToWide(b));
        } else {
            EXPECT_EQ(lowerByte(b), b) << std::hex << b;
        }
    }
    std::string s = bytes({'P', 0xD8, 0xCD, 'B', 0xD2, 'O', 0xBC, 0x8A, '1', '-'});
    lowercaseInPlace(s);
    EXPECT_EQ(s, bytes({'p', 0xF8, 0xED, 'b', 0xF2, 'o', 0xBE, 0x9A, '1', '-'}));
}

TEST(Cp1250Text, StripGivesBaseLetterOfSameCase) {
    struct Case {
        const char* variants;  // Windows-1250 bytes
        char base;
    };
    const Case cases[] = {
        {"\xE1\xE4\xE2\xE3\xB9", 'a'},
        {"\xC1\xC4\xC2\xC3\xA5", 'A'},
        {"\xE8\xE6\xE7", 'c'},
        {"\xC8\xC6\xC7", 'C'},
        {"\xEF\xF0", 'd'},
        {"\xCF\xD0", 'D'},
        {"\xE9\xEC\xEB\xEA", 'e'},
        {"\xC9\xCC\xCB\xCA", 'E'},
        {"\xED\xEE", 'i'},
        {"\xCD\xCE", 'I'},
        {"\xE5\xBE\xB3", 'l'},
        {"\xC5\xBC\xA3", 'L'},
        {"\xF2\xF1", 'n'},
        {"\xD2\xD1", 'N'},
        {"\xF3\xF4\xF6\xF5", 'o'},
        {"\xD3\xD4\xD6\xD5", 'O'},
        {"\xF8\xE0", 'r'},
        {"\xD8\xC0", 'R'},
        {"\x9A\x9C\xBA", 's'},
        {"\x8A\x8C\xAA", 'S'},
        {"\x9D\xFE", 't'},
        {"\x8D\xDE", 'T'},
        {"\xFA\xF9\xFC\xFB", 'u'},
        {"\xDA\xD9\xDC\xDB", 'U'},
        {"\xFD", 'y'},
        {"\xDD", 'Y'},
        {"\x9E\x9F\xBF", 'z'},
        {"\x8E\x8F\xAF", 'Z'},
        {"\xDF", 'B'},
    };
    std::vector<bool> changed(256, false);
    for (const auto& c : cases) {
        for (const char* p = c.variants; *p; ++p) {
            const auto b = static_cast<std::uint8_t>(*p);
            changed[b] = true;
            EXPECT_EQ(stripByte(b), c.base) << std::hex << int(b);
        }
    }
    for (int b = 0; b < 256; ++b) {
        if (!changed[b]) {
            EXPECT_EQ(stripByte(b), b) << std::hex << b;
        }
    }
}

TEST(Cp1250Text, FoldGivesLowerCaseBaseLetter) {
    const std::pair<int, char> cases[] = {
        {0xC8, 'c'}, {0xE8, 'c'}, {0x8A, 's'}, {0xD9, 'u'}, {0xBC, 'l'},
        {0xDF, 'b'}, {'Q', 'q'},  {'q', 'q'},  {'5', '5'},  {0xD7, '\xD7'},
    };
    for (auto [b, f] : cases) {
        EXPECT_EQ(foldByte(b), static_cast<std::uint8_t>(f)) << std::hex << b;
    }
}

TEST(Cp1250Text, RanksFollowTheCzechLetterOrder) {
    // Lower-case letters in collation order; each base letter precedes its variants.
    const std::string order =
        "a\xB9\xE1\xE2\xE3\xE4"
        "b\xDF"
        "c\xE6\xE7\xE8"
        "d\xEF\xF0"
        "e\xE9\xEA\xEB\xEC"
        "fgh"
        "i\xED\xEE"
        "jk"
        "l\xE5\xBE\xB3"
        "m"
        "n\xF1\xF2"
        "o\xF3\xF4\xF5\xF6"
        "pq"
        "r\xE0\xF8"
        "s\x9A\x9C\xBA"
        "t\x9D\xFE"
        "u\xF9\xFA\xFB\xFC"
        "vwx"
        "y\xFD"
        "z\x9E\x9F\xBF";
    ASSERT_EQ(order.size(), 67u);
    EXPECT_EQ(rankByte('a'), 124);
    EXPECT_EQ(rankByte(0xE8), 137);
    EXPECT_EQ(rankByte(0xBF), 192);
    for (std::size_t i = 1; i < order.size(); ++i) {
        const auto prev = static_cast<std::uint8_t>(order[i - 1]);
        const auto cur = static_cast<std::uint8_t>(order[i]);
        EXPECT_LT(rankByte(prev), rankByte(cur)) << i;
        EXPECT_EQ(rankCompare(prev, cur), -1) << i;
        EXPECT_EQ(rankCompare(cur, prev), 1) << i;
    }
    // Upper and lower case rank alike.
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(rankByte(b), rankByte(lowerByte(b))) << std::hex << b;
    }
    EXPECT_EQ(rankCompare(0xC8, 0xE8), 0);
}

TEST(Cp1250Text, NonLetterRanks) {
    struct Case {
        int byte;
        int rank;
    };
    const Case cases[] = {
        {0, 0},     {' ', 32},  {'0', 48},  {'9', 57},   {':', 58},   {'@', 64},   {'[', 65},
        {'`', 70},  {'{', 71},  {'~', 74},  {0x7F, 75},  {0x80, 76},  {0x81, 77},  {0x89, 85},
        {0x8B, 86}, {0x90, 87}, {0xA0, 98}, {0xBD, 119}, {0xD7, 121}, {0xF7, 122}, {0xFF, 123},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rankByte(c.byte), c.rank) << std::hex << c.byte;
    }
    // Non-letters of 0x80-0xBF follow one another in code order.
    int last = 75;
    for (int b = 0x80; b < 0xC0; ++b) {
        if (rankByte(b) < 124) {
            EXPECT_EQ(rankByte(b), last + 1) << std::hex << b;
            last = rankByte(b);
        }
    }
    EXPECT_EQ(last, 119);
}

TEST(Cp1250Text, CcaronNamesSortAfterCAndBeforeD) {
    const std::string cNames[] = {"C", "Cz", "Cheb", "Cukrovar", "Czzz", "c\xFD"};
    const std::string caronNames[] = {std::string(1, kCcaronUpper) + "elakovice",
                                      std::string(1, kCcaron), std::string(1, kCcaronUpper)};
    const std::string dNames[] = {"D", "Da", "Dobra", "d"};
    for (const auto& c : cNames) {
        for (const auto& cc : caronNames) {
            EXPECT_EQ(collateCompare(c, cc), -1) << c << " / " << cc;
            EXPECT_EQ(collateCompare(cc, c), 1) << c << " / " << cc;
        }
    }
    for (const auto& cc : caronNames) {
        for (const auto& d : dNames) {
            EXPECT_EQ(collateCompare(cc, d), -1) << cc << " / " << d;
        }
    }
}

TEST(Cp1250Text, CollateCompareCases) {
    const std::string acuteBc = std::string(1, kAacute) + "bc";
    struct Case {
        std::string a, b;
        int plain, folded, prefix;
    };
    const Case cases[] = {
        {acuteBc, "ABC", 1, 0, 1}, {"ABC", acuteBc, -1, 0, -1},
        {"abc", "ABC", 0, 0, 0},   {"ab", "abc", -1, -1, 0},
        {"abc", "ab", 1, 0, 0},  // folded: a longer than b with b as its start counts as equal
        {"", "", 0, 0, 0},         {"", "a", -1, -1, 0},
        {"a", "", 1, 0, 0},        {"chata", "cizi", -1, -1, -1},  // no digraph: h before i
        {"b", "a", 1, 1, 1},       {"Praha 1", "Praha-1", -1, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(collateCompare(c.a, c.b), c.plain) << c.a << " / " << c.b;
        EXPECT_EQ(collateCompareFolded(c.a, c.b), c.folded) << c.a << " / " << c.b;
        EXPECT_EQ(collatePrefixCompare(c.a, c.b), c.prefix) << c.a << " / " << c.b;
    }
}

TEST(Cp1250Text, SubRangeCompare) {
    EXPECT_EQ(collateCompare("xxBrno", 2, 4, "brno!", 0, 4), 0);
    EXPECT_EQ(collateCompare("xxBrno", 2, 3, "brno", 0, 4), -1);
    EXPECT_EQ(collateCompare("abc", 3, 0, "", 0, 0), 0);
    EXPECT_EQ(codeOf([] { collateCompare("abc", 2, 2, "abc", 0, 1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([] { collateCompare("abc", 0, 1, "abc", 4, 0); }), ENGINE_EXC_INDEX);
}

TEST(Cp1250Text, TypedPrefixIgnoresOnlyTheTypedDiacritics) {
    const std::string ceske =
        "\xC8"
        "esk\xE9";  // České
    // Typed without diacritics matches a stored name with them only where the stored letter
    // is the base letter: the stored text keeps its diacritics.
    EXPECT_EQ(collatePrefixCompareFolded("CESKE", "ceske budejovice"), 0);
    EXPECT_EQ(collatePrefixCompareFolded(ceske, "ceske budejovice"), 0);
    EXPECT_EQ(collatePrefixCompareFolded("ceske", ceske), -1);
    EXPECT_EQ(collatePrefixCompareFolded("brn", "Brno"), 0);
    EXPECT_EQ(collatePrefixCompareFolded("brz", "Brno"), 1);
    EXPECT_EQ(collatePrefixCompareFolded("", "Brno"), 0);
}

TEST(Cp1250Text, FindAndCopy) {
    EXPECT_EQ(findByte("a,b,c", ',', 0), 1);
    EXPECT_EQ(findByte("a,b,c", ',', 2), 3);
    EXPECT_EQ(findByte("a,b,c", ',', 4), -1);
    EXPECT_EQ(findByte("a,b,c", ',', 99), -1);
    EXPECT_EQ(findByte("", 'a', 0), -1);
    EXPECT_EQ(findByte(bytes({'a', 0, 0xE8}), 0xE8, 0), 2);

    EXPECT_EQ(copyRange("Praha", 1, 3), "rah");
    EXPECT_EQ(copyRange("Praha", 5, 0), "");
    EXPECT_EQ(codeOf([] { copyRange("Praha", 3, 3); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([] { copyRange("Praha", 6, 0); }), ENGINE_EXC_INDEX);

    char buf[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(copyWithTerminator("abc", buf, 4), 3u);
    EXPECT_EQ(std::string(buf), "abc");
    EXPECT_EQ(codeOf([] {
                  char small[3];
                  copyWithTerminator("abc", small, 3);
              }),
              ENGINE_EXC_INDEX);
}

TEST(Cp1250Text, Trimming) {
    struct Case {
        std::string in, leading, trailing;
    };
    const Case cases[] = {
        {"  \t", "", ""},
        {"", "", ""},
        {" \tPraha hl.n. \t ", "Praha hl.n. \t ", " \tPraha hl.n."},
        {"Brno", "Brno", "Brno"},
        {"\n x", "\n x", "\n x"},  // only spaces and tabs are trimmed
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        EXPECT_EQ(trimLeading(s), c.leading.size());
        EXPECT_EQ(s, c.leading);
        s = c.in;
        EXPECT_EQ(trimTrailing(s), c.trailing.size());
        EXPECT_EQ(s, c.trailing);
    }
    char raw[] = "  ab ";
    EXPECT_EQ(trimLeading(raw, 5), 3u);
    EXPECT_EQ(std::string(raw, 3), "ab ");
    EXPECT_EQ(trimTrailing(raw, 3), 2u);
}

}  // namespace
}  // namespace trasovnik
