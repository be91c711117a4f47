// Texts of a feed made fit for Windows-1250: what the code page holds stays, what it lacks is
// replaced and recorded, never dropped.
#include <gtest/gtest.h>

#include "tools/gtfs2jz/Transliteration.h"

namespace {

struct TextCase {
    const char* name;
    std::string in;
    std::string out;
};

class Texts : public ::testing::TestWithParam<TextCase> {};

TEST_P(Texts, BecomeCodePageText) {
    gtfs2jz::Transliterator t;
    EXPECT_EQ(t(GetParam().in, "here"), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Texts,
    ::testing::Values(TextCase{"Ascii", "Main Street 12", "Main Street 12"},
                      // Czech, Slovak, Polish and Hungarian letters are in the code page.
                      TextCase{"CodePageLetters", "Žluťoučký kůň, Ľubochňa, Łódź, Győr",
                               "Žluťoučký kůň, Ľubochňa, Łódź, Győr"},
                      TextCase{"Dashes", "A – B „C“", "A – B „C“"},
                      TextCase{"LatinReplaced", "Ørsted Café à la Æbleø",
                               "Orsted Café a la AEbleo"},
                      TextCase{"OtherScriptBecomesQuestionMarks", "Київ", "????"},
                      TextCase{"MalformedUtf8",
                               "a\xFF"
                               "b\xC3",
                               "a?b?"},
                      TextCase{"Surrogate", "x\xED\xA0\x80y", "x???y"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Transliteration, ReportsEachCharacterWithCountAndFirstPlace) {
    gtfs2jz::Transliterator t;
    t("Øster", "stops.txt stop \"1\"");
    t("Ørsted, Æble", "stops.txt stop \"2\"");
    t("Praha", "stops.txt stop \"3\"");
    ASSERT_EQ(t.replacements().size(), 2u);
    EXPECT_EQ(t.report(),
              "transliterated \"\xC3\x86\" as \"AE\" 1 time, first in stops.txt stop \"2\"\n"
              "transliterated \"\xC3\x98\" as \"O\" 2 times, first in stops.txt stop \"1\"\n");
}

TEST(Transliteration, NothingReplacedNothingReported) {
    gtfs2jz::Transliterator t;
    t("Brno, Hlavní nádraží", "x");
    EXPECT_TRUE(t.report().empty());
}

}  // namespace
