#include "app/core/IniText.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

struct IniCase {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    const char* expected;  // "-" for the default
};

class IniTextCases : public ::testing::TestWithParam<IniCase> {};

TEST_P(IniTextCases, FindsTheValue) {
    const IniCase& c = GetParam();
    IniText ini("");
    ini.parseBytes(0, c.text);
    EXPECT_EQ(ini.getValue(c.section, c.key, "-"), c.expected) << c.what;
}

const std::string kLongValue(5000, 'v');

INSTANTIATE_TEST_SUITE_P(
    Texts, IniTextCases,
    ::testing::Values(
        IniCase{"blanks around key and value", "[Setup]\r\nDir = x \r\n", "setup", "dir", "x"},
        IniCase{"lookup ignores case", "[setup]\r\ndir=x\r\n", "SETUP", "DIR", "x"},
        IniCase{"tabs are blanks", "[tt]\r\n\tbrno\t=\t2000\t\r\n", "tt", "brno", "2000"},
        IniCase{"LF line ends", "[tt]\nbrno=1\nzlin=2\n", "tt", "zlin", "2"},
        IniCase{"CR line ends", "[tt]\rbrno=1\rzlin=2\r", "tt", "zlin", "2"},
        IniCase{"mixed line ends", "[tt]\r\nbrno=1\nzlin=2\rjihlava=3", "tt", "jihlava", "3"},
        IniCase{"last line without a line end keeps its last byte", "[tt]\r\nbrno=12", "tt", "brno", "12"},
        IniCase{"a final CR", "[tt]\r\nbrno=12\r", "tt", "brno", "12"},
        IniCase{"key before any section is ignored", "brno=1\r\n[tt]\r\nzlin=2\r\n", "tt", "brno", "-"},
        IniCase{"empty value is ignored", "[tt]\r\nbrno=\r\nbrno=5\r\n", "tt", "brno", "5"},
        IniCase{"empty key is ignored", "[tt]\r\n=5\r\n", "tt", "", "-"},
        IniCase{"value keeps later equals signs", "[setup]\r\ndir=http://h/a?b=c\r\n", "setup", "dir", "http://h/a?b=c"},
        IniCase{"one-character name in brackets is no section", "[a]\r\nk=1\r\n", "a", "k", "-"},
        IniCase{"first section of a name that has pairs wins",
                "[tt]\r\n[tt]\r\nk=1\r\n[tt]\r\nk=2\r\n", "tt", "k", "1"},
        IniCase{"first pair of a key wins", "[tt]\r\nk=1\r\nk=2\r\n", "tt", "k", "1"},
        IniCase{"over-long line is kept whole", "[tt]\r\nk=" + kLongValue + "\r\nz=1\r\n", "tt", "z", "1"},
        IniCase{"binary bytes do not stop the scan", std::string("[tt]\r\n\0\xff\x01=\x02\r\nk=7\r\n", 18), "tt",
                "k", "7"},
        IniCase{"unclosed bracket is no section", "[tt\r\nk=1\r\n", "tt", "k", "-"},
        IniCase{"Czech letters are lowered", "[\xC8R]\r\n\x8AKODA=1\r\n", "\xE8r", "\x9Akoda", "1"}));

TEST(IniText, OverLongValueIsReadWhole) {
    IniText ini("");
    ini.parseBytes(0, "[tt]\r\nk=" + kLongValue + "\r\n");
    EXPECT_EQ(ini.getValue("tt", "k", ""), kLongValue);
}

TEST(IniText, SectionsWithoutPairsAreNotKeptAndPairsStayInFileOrder) {
    IniText ini("");
    ini.parseBytes(0, "[empty]\r\n[tt]\r\nb=2\r\na=1\r\n[size]\r\nb=3\r\n");
    ASSERT_EQ(ini.sections(0).size(), 2u);
    EXPECT_EQ(ini.sections(0)[0].name, "tt");
    const auto pairs = ini.getSection("TT");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].key, "b");
    EXPECT_EQ(pairs[1].key, "a");
    EXPECT_TRUE(ini.getSection("empty").empty());
}

TEST(IniText, IntegersAndTheirDefaults) {
    IniText ini("");
    ini.parseBytes(0, "[setup]\r\nlast=42\r\nneg=-7\r\nword=abc\r\nhuge=99999999999\r\nlead=12 KB\r\n");
    EXPECT_EQ(ini.getInt("setup", "last", -1), 42);
    EXPECT_EQ(ini.getInt("setup", "neg", 0), -7);
    EXPECT_EQ(ini.getInt("setup", "word", -1), -1);
    EXPECT_EQ(ini.getInt("setup", "huge", -1), -1);
    EXPECT_EQ(ini.getInt("setup", "lead", -1), 12);
    EXPECT_EQ(ini.getInt("setup", "missing", -1), -1);
}

TEST(IniText, FileThatCannotBeReadGivesDefaultsAndFileOneIsNotLookedUp) {
    testing::TempFolder folder;
    testing::writeFile(folder.path() / "one.ini", "[setup]\r\nlast=5\r\n");
    IniText ini(folder.path() / "missing.ini", folder.path() / "one.ini");
    ini.parseFile(0);
    ini.parseFile(1);
    EXPECT_TRUE(ini.sections(0).empty());
    EXPECT_EQ(ini.sections(1).size(), 1u);
    EXPECT_EQ(ini.getInt("setup", "last", -1), -1);
    EXPECT_EQ(iniTextGetString(u"setup", u"version", u"nezn\u00E1m\u00E1", ini), u"nezn\u00E1m\u00E1");
}

TEST(IniText, StringSideConvertsWindows1250) {
    testing::TempFolder folder;
    testing::writeFile(folder.path() / "akt.ini", "[tt]\r\n\x8Eilina=2000\r\n[size]\r\n\x8Eilina=1234\r\n");
    IniText ini(folder.path() / "akt.ini");
    ini.parseFile(0);
    std::vector<std::u16string> keys, values;
    iniTextGetSection(u"TT", keys, values, ini);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], u"\u017Dilina");  // as written; lookups ignore the case
    EXPECT_EQ(values[0], u"2000");
    EXPECT_EQ(iniTextGetString(u"size", u"\u017Dilina", u"", ini), u"1234");
    EXPECT_EQ(iniTextGetInt(u"tt", u"\u017Eilina", 0, ini), 2000);
}

}  // namespace
}  // namespace pelorvant
