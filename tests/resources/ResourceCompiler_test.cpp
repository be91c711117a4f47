#include "resources/compiler/GeneratedSource.h"
#include "resources/compiler/MenuSource.h"
#include "resources/compiler/ResourceError.h"
#include "resources/compiler/StringTableSource.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using rescomp::MenuNode;
using rescomp::parseMenus;
using rescomp::parseStringTable;
using rescomp::ResourceError;

TEST(StringTableSource, ReadsIdsTextsAndEscapes) {
    rescomp::StringTable table = parseStringTable(
        "\xEF\xBB\xBF# comment\r\n"
        "\n"
        "162 \"Chyba\"\r\n"
        "  270   \"\\rPlatnost:\"   # trailing comment\n"
        "5 \"a\\\"b\\\\c\\n\\t\"\n"
        "7 \"\"\n"
        "9 \"\xC5\x99\xF0\x9F\x9A\x8C\"");
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[162], u"Chyba");
    EXPECT_EQ(table[270], u"\rPlatnost:");
    EXPECT_EQ(table[5], u"a\"b\\c\n\t");
    EXPECT_EQ(table[7], u"");
    EXPECT_EQ(table[9], u"ř\U0001F68C");
}

struct BadSource {
    const char* source;
    int line;
    const char* message;
};

TEST(StringTableSource, RejectsMalformedLines) {
    const BadSource cases[] = {
        {"1 \"a\"\n1 \"b\"", 2, "appears twice"},
        {"0 \"a\"", 1, "id 0"},
        {"65536 \"a\"", 1, "above 65535"},
        {"12 a", 1, "quoted text is missing"},
        {"\"a\"", 1, "number is missing"},
        {"12 \"abc", 1, "no closing quote"},
        {"12 \"a\\x\"", 1, "unknown escape"},
        {"12 \"a\\", 1, "inside an escape"},
        {"12 \"a\" b", 1, "unexpected"},
        {"12\"a\"", 1, "followed by a blank"},
        {"\n\n12 \"\xC5\"", 3, "invalid UTF-8"},      // cut sequence
        {"12 \"\xC0\xAF\"", 1, "invalid UTF-8"},      // overlong form
        {"12 \"\xED\xA0\x80\"", 1, "invalid UTF-8"},  // a surrogate
        {"12 \"\xFF\"", 1, "invalid UTF-8"},
        {"12 \"a\tb\"", 1, "control character"},
    };
    for (const BadSource& c : cases) {
        try {
            parseStringTable(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const ResourceError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.source << " -> " << e.what();
        }
    }
}

TEST(MenuSource, BuildsNestedMenus) {
    std::vector<rescomp::MenuResource> menus = parseMenus(
        "# two menus\n"
        "menu 131\n"
        "command 32775 \"Ok\"\n"
        "end\n"
        "menu 1053\n"
        "command 32778 \"Najdi\"\n"
        "popup 402 \"Menu\"\n"
        "    popup \"Kategorie\"\n"
        "        command 32900 \"(bez omezení)\"\n"
        "    end\n"
        "    separator\n"
        "    command 0 \"Všechny\"\n"
        "end\n"
        "end\n");
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].id, 131u);
    ASSERT_EQ(menus[0].entries.size(), 1u);
    EXPECT_EQ(menus[0].entries[0].text, u"Ok");
    const rescomp::MenuResource& form = menus[1];
    ASSERT_EQ(form.entries.size(), 2u);
    const MenuNode& popup = form.entries[1];
    EXPECT_EQ(popup.kind, MenuNode::Kind::Popup);
    EXPECT_EQ(popup.id, 402u);
    ASSERT_EQ(popup.children.size(), 3u);
    EXPECT_EQ(popup.children[0].kind, MenuNode::Kind::Popup);
    EXPECT_EQ(popup.children[0].id, 0u);
    EXPECT_EQ(popup.children[0].children.at(0).text, u"(bez omezení)");
    EXPECT_EQ(popup.children[1].kind, MenuNode::Kind::Separator);
    EXPECT_EQ(popup.children[2].id, 0u);
}

TEST(MenuSource, RejectsMalformedMenus) {
    const BadSource cases[] = {
        {"command 1 \"a\"", 1, "outside a menu"},
        {"menu 1\nmenu 2", 2, "inside another menu"},
        {"menu 1\ncommand 1 \"a\"", 2, "no closing"},
        {"menu 1\nend", 2, "is empty"},
        {"menu 1\nseparator\nend", 2, "inside a popup"},
        {"menu 1\ncommand 1 \"a\"\ncommand 2 \"b\"\ncommand 3 \"c\"\nend", 4, "at most two"},
        {"menu 1\ncommand 1 \"a\"\ncommand 2 \"b\"\npopup \"c\"\n", 4, "at most two"},
        {"menu 1\npopup \"a\"\nend\nend", 3, "empty popup"},
        {"menu 1\nitem 1 \"a\"\nend", 2, "unknown entry"},
        {"menu 1\ncommand 1 \"\"\nend", 2, "needs a text"},
        {"menu 1\ncommand \"a\"\nend", 2, "number is missing"},
        {"menu 1\ncommand 70000 \"a\"\nend", 2, "above 65535"},
        {"menu 1\ncommand 1 \"a\"\nend\nmenu 1\n", 4, "appears twice"},
        {"menu 1\npopup \"a\"\ncommand 1 \"b\"\nend\n", 4, "no closing"},
        {"menu 1 2\n", 1, "unexpected"},
    };
    for (const BadSource& c : cases) {
        try {
            parseMenus(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const ResourceError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.source << " -> " << e.what();
        }
    }
}

TEST(GeneratedSource, LiteralsSpellTextsSafely) {
    struct Case {
        std::u16string text;
        const char* literal;
    };
    const Case cases[] = {
        {u"Ok", "u\"Ok\""},
        {u"a\"b\\c", "u\"a\\\"b\\\\c\""},
        // A control character followed by a digit must not swallow the digit.
        {u"\r1", "u\"\\0151\""},
        {u"ř", "u\"\\u0159\""},
        // A character followed by a hex letter keeps its fixed four digits.
        {u"Úa", "u\"\\u00DAa\""},
        {u"\U0001F68C", "u\"\\U0001F68C\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rescomp::utf16Literal(c.text), c.literal);
    }
}

TEST(GeneratedSource, RefusesRepeatedImages) {
    std::ostringstream out;
    std::vector<rescomp::ImageInput> images(2);
    images[0] = {141, "infoC", "x"};
    images[1] = {142, "infoC", "y"};
    EXPECT_THROW(rescomp::writeResourceSource(out, {}, {}, images), std::invalid_argument);
    images[1] = {141, "sipka", "y"};
    EXPECT_THROW(rescomp::writeResourceSource(out, {}, {}, images), std::invalid_argument);
}

}  // namespace
