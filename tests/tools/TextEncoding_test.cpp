#include "tools/jzwriter/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/jzwriter/CompileContext.h"

namespace jz {
namespace {

TEST(TextEncoding, CzechAndSlovakTextsConvert) {
    struct Case {
        const char* utf8;
        std::string cp1250;
    };
    const Case cases[] = {
        {"", ""},
        {"Praha", "Praha"},
        {"Žluťoučký kůň", "\x8elu\x9dou\xe8k\xfd k\xf9\xf2"},
        {"Ľubochňa, Šaľa",
         "\xbcuboch\xf2"
         "a, \x8a"
         "a\xbe"
         "a"},
        {"€ „x“ –", "\x80 \x84x\x93 \x96"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toCp1250(c.utf8, "t"), c.cp1250) << c.utf8;
    }
    EXPECT_EQ(toCp1250(std::string_view("a\0b", 3), "t"), std::string("a\0b", 3));
}

TEST(TextEncoding, RefusalsNameTheField) {
    const char* bad[] = {
        "Ã",             // U+00C3 is not in the code page
        "漢字",          // nor are these
        "😀",             // nor anything beyond the 16-bit range
        "\xc3",          // cut short
        "\xc3(",         // bad continuation
        "\xc0\xaf",      // overlong
        "\xed\xa0\x80",  // surrogate
        "\xff",
    };
    for (const char* text : bad) {
        try {
            toCp1250(text, "stops[3].name");
            ADD_FAILURE() << "accepted " << text;
        } catch (const CompileError& e) {
            EXPECT_NE(std::string(e.what()).find("stops[3].name"), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace jz
