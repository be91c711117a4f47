// A stop name shortened in a connection row fits its room with its ".." marks, so it never
// runs into the line or walk text that stands right after it.
#include "app/screens/search/ConnectionList.h"

#include "platform/testkit/UiTestKit.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

TEST(ConnectionShortenedTest, TheShortenedNameWithItsMarksFitsTheWidth) {
    platform::testkit::UiTestKit kit("240x320", platform::testkit::Text::Real);
    cConnectionList list;
    list.font = std::make_unique<platform::draw::Font>(platform::draw::FontSpec{});
    const std::u16string name = u"Autobusov\u00e9 n\u00e1dra\u017e\u00ed BZ";
    const int whole = list.font->measure(name).width;
    for (const int width : {whole / 4, whole / 2, whole - 1}) {
        const std::u16string shown = list.shortened(name, width);
        EXPECT_LE(list.font->measure(shown).width, width) << width;
        EXPECT_EQ(shown.substr(shown.size() - 2), u"..") << width;
        EXPECT_EQ(name.rfind(shown.substr(0, shown.size() - 2), 0), 0u) << width;
    }
    EXPECT_EQ(list.shortened(name, whole), name);
}

}  // namespace
}  // namespace pelorvant
