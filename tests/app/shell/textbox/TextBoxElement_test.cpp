// The element key of an object: growth one slot at a time, clearing, copies, and the error
// box for a triple index outside the element.

#include "app/shell/TextBoxElement.h"
#include "app/shell/ObjectNames.h"

#include "platform/shell/MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelorvant {
namespace {

class NamesByElement final : public ObjectNames {
public:
    std::int32_t searchText(std::int32_t, std::string_view, std::int32_t, TrasaPlace*,
                            SuggestionCounts&) override {
        return 0;
    }
    std::int32_t searchKey(std::int32_t, std::int32_t, std::int32_t, bool, T9State&, std::int32_t,
                           TrasaPlace*, SuggestionCounts&) override {
        return 0;
    }
    std::u16string elementName(const TrasaTriple& t) override {
        return u"element " + std::u16string(1, u'0' + t.element);
    }
    std::u16string kindName(const TrasaTriple& t) override {
        return u"kind " + std::u16string(1, u'0' + t.kind);
    }
    std::int32_t favouriteGet(TrasaPlace*) override { return 0; }
    std::int32_t favouriteAdd(const TrasaPlace&) override { return 0; }
    std::int32_t favouriteDelete(const TrasaPlace&) override { return 0; }
    std::int32_t categoryFilter() override { return -1; }
};

TEST(TextBoxElementTest, GrowsByExactlyOneSlotPerAdd) {
    cTextBoxKategorieElement e;
    EXPECT_EQ(e.count, 0);
    EXPECT_EQ(e.free, 1);
    for (int i = 1; i <= 5; ++i) {
        e.Add(i, 2, 3);
        EXPECT_EQ(e.count, i);
        EXPECT_EQ(e.capacity(), i);
    }
    EXPECT_EQ(e.items[4].timetable, 5);
    e.clear();
    EXPECT_EQ(e.count, 0);
    EXPECT_EQ(e.free, 5);  // the slots stay
    e.Add(7, 8, 9);
    EXPECT_EQ(e.capacity(), 5);
}

TEST(TextBoxElementTest, CopiesHoldTheirOwnTriples) {
    cTextBoxKategorieElement a;
    a.Add(0, 1, 2);
    a.Add(1, 1, 4);
    const auto b = a.clone();
    a.clear();
    a.Add(9, 9, 9);
    ASSERT_EQ(b->count, 2);
    EXPECT_EQ(b->items[1].element, 4);
    cTextBoxKategorieElement c;
    c = *b;
    EXPECT_EQ(c.count, 2);
    EXPECT_EQ(c.items[0].kind, 1);
}

TEST(TextBoxElementTest, NamesThroughATripleAndTheErrorOutsideIt) {
    std::vector<std::u16string> shown;
    platform::shell::setMessageBoxAnswerer([&](const platform::shell::MessageBoxRequest& r) {
        shown.push_back(r.text + u"|" + r.caption);
        return 1;
    });
    NamesByElement names;
    cTextBoxKategorieElement e;
    e.Add(0, 3, 5);
    EXPECT_EQ(e.GetName(0, names), u"element 5");
    EXPECT_EQ(e.GetKindName(0, names), u"kind 3");
    EXPECT_TRUE(shown.empty());
    for (int n : {-1, 1}) {
        EXPECT_EQ(e.GetName(n, names), u"");
        EXPECT_EQ(e.GetKindName(n, names), u"");
    }
    platform::shell::setMessageBoxAnswerer({});
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], u"cTextBoxKategorieElement::GetName|Chyba");
}

}  // namespace
}  // namespace pelorvant
