#include "platform/draw/TextCase.h"

#include <gtest/gtest.h>

namespace platform::draw {
namespace {

TEST(TextCase, EveryCzechAndSlovakLetterHasItsPair) {
    const std::u16string upper = u"AÁÄBCČDĎEÉĚFGHIÍJKLĹĽMNŇOÓÔPQRŔŘSŠTŤUÚŮVWXYÝZŽ";
    const std::u16string lower = u"aáäbcčdďeéěfghiíjklĺľmnňoóôpqrŕřsštťuúůvwxyýzž";
    ASSERT_EQ(upper.size(), lower.size());
    for (std::size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(toLowerCase(upper[i]), lower[i]) << i;
        EXPECT_EQ(toUpperCase(lower[i]), upper[i]) << i;
        EXPECT_EQ(toLowerCase(lower[i]), lower[i]) << i;
        EXPECT_EQ(toUpperCase(upper[i]), upper[i]) << i;
    }
    EXPECT_EQ(foldCase(u"PŘÍJEZD Žilina"), u"příjezd žilina");
}

TEST(TextCase, LeavesEverythingElseAlone) {
    for (char16_t c : std::u16string(u"0123 .,-×÷ßĸŉıİ\U0001F68C")) {
        EXPECT_EQ(toLowerCase(c), c) << int(c);
        EXPECT_EQ(toUpperCase(c), c) << int(c);
    }
    EXPECT_EQ(toUpperCase(u'ÿ'), u'Ÿ');
    EXPECT_EQ(toLowerCase(u'Ÿ'), u'ÿ');
}

TEST(TextCase, ComparisonsIgnoreCaseButNotAccents) {
    EXPECT_TRUE(startsWithIgnoringCase(u"Žďár nad Sázavou", u"ŽĎÁR"));
    EXPECT_FALSE(startsWithIgnoringCase(u"Žďár", u"zdar"));
    EXPECT_FALSE(startsWithIgnoringCase(u"Že", u"Žel"));
    EXPECT_TRUE(startsWithIgnoringCase(u"Brno", u""));
    EXPECT_TRUE(equalsIgnoringCase(u"Ľubochňa", u"ľUBOCHŇA"));
    EXPECT_FALSE(equalsIgnoringCase(u"Ľubochňa", u"Ľubochň"));
}

}  // namespace
}  // namespace platform::draw
