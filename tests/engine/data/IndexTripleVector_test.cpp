#include "engine/data/IndexTripleVector.h"

#include <gtest/gtest.h>

#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

template <typename F>
EngineCode codeOf(F f) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

void expectTriple(const IndexTriple& t, int timetable, int kind, int element) {
    EXPECT_EQ(t.timetable, timetable);
    EXPECT_EQ(t.kind, kind);
    EXPECT_EQ(t.element, element);
}

TEST(IndexTripleVector, FirstAppendUsesThePreparedSlotSecondGrowsByOne) {
    IndexTripleVector v;
    EXPECT_EQ(v.count(), 0);
    EXPECT_EQ(v.spare(), 1);
    const IndexTriple* prepared = v.items();
    ASSERT_NE(prepared, nullptr);

    v.append(1, 2, 3);
    EXPECT_EQ(v.items(), prepared);
    EXPECT_EQ(v.count(), 1);
    EXPECT_EQ(v.spare(), 0);

    v.append(4, 5, 6);
    EXPECT_NE(v.items(), prepared);
    EXPECT_EQ(v.count(), 2);
    EXPECT_EQ(v.spare(), 0);
    expectTriple(v.at(0), 1, 2, 3);
    expectTriple(v.at(1), 4, 5, 6);
    EXPECT_EQ(codeOf([&] { v.at(2); }), ENGINE_EXC_INDEX);
}

TEST(IndexTripleVector, ResetKeepsTheSlotsAsSpare) {
    IndexTripleVector v;
    v.append(0, 0, 1);
    v.append(0, 0, 2);
    v.append(0, 0, 3);
    const IndexTriple* items = v.items();
    v.reset();
    EXPECT_EQ(v.count(), 0);
    EXPECT_EQ(v.spare(), 3);
    EXPECT_FALSE(v.containsKind(0));
    v.append(7, 8, 9);
    v.append(7, 8, 10);
    EXPECT_EQ(v.items(), items);
    EXPECT_EQ(v.spare(), 1);
    expectTriple(v.at(1), 7, 8, 10);
}

TEST(IndexTripleVector, HoldsAtMost255Triples) {
    IndexTripleVector v;
    for (int i = 0; i < 255; ++i) {
        v.append(0, 1, i);
    }
    EXPECT_EQ(v.count(), 255);
    EXPECT_EQ(codeOf([&] { v.append(0, 1, 255); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(v.count(), 255);
    expectTriple(v.at(254), 0, 1, 254);
    EXPECT_FALSE(v.contains(0, 1, 255));
}

TEST(IndexTripleVector, FromRecordCopiesInOrder) {
    const IndexTriple source[] = {{0, 1, 10}, {1, 1, 20}, {0, 2, 30}};
    IndexTripleVector v = IndexTripleVector::fromRecord(PlaceRecord{source, 3});
    ASSERT_EQ(v.count(), 3);
    EXPECT_NE(v.items(), source);
    expectTriple(v.at(0), 0, 1, 10);
    expectTriple(v.at(1), 1, 1, 20);
    expectTriple(v.at(2), 0, 2, 30);
    v.append(2, 2, 40);  // grows beyond the record
    EXPECT_EQ(v.count(), 4);
    expectTriple(v.at(2), 0, 2, 30);

    IndexTripleVector empty = IndexTripleVector::fromRecord(PlaceRecord{nullptr, 0});
    EXPECT_EQ(empty.count(), 0);
    empty.append(1, 1, 1);
    EXPECT_EQ(empty.count(), 1);

    EXPECT_EQ(codeOf([] {
                  IndexTripleVector::fromRecord(PlaceRecord{nullptr, 2});
              }),
              ENGINE_EXC_BAD_ARGUMENT);
}

TEST(IndexTripleVector, CopiesAreIndependent) {
    IndexTripleVector a;
    a.append(1, 2, 3);
    IndexTripleVector b = a;
    b.append(4, 5, 6);
    EXPECT_EQ(a.count(), 1);
    EXPECT_EQ(b.count(), 2);
    a = b;
    EXPECT_EQ(a.count(), 2);
    EXPECT_NE(a.items(), b.items());
    expectTriple(a.at(1), 4, 5, 6);
}

TEST(IndexTripleVector, ContainsTests) {
    IndexTripleVector v;
    v.append(0, 1, 10);
    v.append(1, 3, 20);
    struct Case {
        int timetable, kind, element;
        bool exact, kindElement, kind_;
    };
    const Case cases[] = {
        {0, 1, 10, true, true, true},    {1, 3, 20, true, true, true},
        {1, 1, 10, false, true, true},   // other timetable, same kind and element
        {0, 1, 20, false, false, true},  // same kind, other element
        {0, 3, 10, false, false, true},  // element of the other triple's kind
        {0, 2, 10, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(v.contains(c.timetable, c.kind, c.element), c.exact);
        EXPECT_EQ(v.containsKindElement(c.kind, c.element), c.kindElement);
        EXPECT_EQ(v.containsKind(c.kind), c.kind_);
        EXPECT_EQ(IndexTripleVector::containsKindElement(v.record(), c.kind, c.element),
                  c.kindElement);
    }
    const PlaceRecord none{nullptr, 3};
    EXPECT_FALSE(IndexTripleVector::containsKind(none, 1));
    EXPECT_FALSE(IndexTripleVector::contains(none, 0, 1, 10));
}

// Two files of a set whose kinds and elements have names of their own; an unknown triple
// raises as a set does.
class TwoFileNames : public TripleNameSource {
public:
    std::string_view elementNameOf(const IndexTriple& t) const override {
        static constexpr std::string_view kElements[2][2][2] = {
            {{"N\xE1m\xECst\xED", "Most"}, {"Brno", "Jihlava"}},
            {{"Z\xE1ti\x9A\xED", "Dvo\xF8\xE1k"}, {"Tabor", "Pisek"}}};
        check(t);
        return kElements[t.timetable][t.kind][t.element];
    }
    std::string_view kindNameOf(const IndexTriple& t) const override {
        static constexpr std::string_view kKinds[2][2] = {{"zast\xE1vky", "obce"},
                                                          {"Zast\xE1vky", "m\xEBsta"}};
        check(t);
        return kKinds[t.timetable][t.kind];
    }

private:
    static void check(const IndexTriple& t) {
        if (t.timetable < 0 || t.timetable > 1 || t.kind < 0 || t.kind > 1 || t.element < 0 ||
            t.element > 1) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }
};

TEST(IndexTripleVector, NamesAreReadFromTheFileOfEachTriple) {
    const TwoFileNames names;
    IndexTripleVector v;
    v.append(0, 1, 1);
    v.append(1, 0, 0);
    EXPECT_EQ(v.elementName(0, names), "Jihlava");
    EXPECT_EQ(v.elementNameLength(0, names), 7u);
    EXPECT_EQ(v.categoryName(0, names), "obce");
    EXPECT_EQ(v.elementName(1, names), "Z\xE1ti\x9A\xED");
    EXPECT_EQ(v.elementNameLength(1, names), 6u);
    EXPECT_EQ(v.categoryName(1, names), "Zast\xE1vky");
    EXPECT_EQ(codeOf([&] { (void)v.elementName(2, names); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { (void)v.categoryName(2, names); }), ENGINE_EXC_INDEX);
    IndexTripleVector outside;
    outside.append(0, 5, 0);
    EXPECT_EQ(codeOf([&] { (void)outside.elementName(0, names); }), ENGINE_EXC_INDEX);
}

TEST(IndexTripleVector, FirstNamesCompareUnderCzechCollation) {
    const TwoFileNames names;
    IndexTripleVector v;
    v.append(1, 0, 0);  // "Zátiší" of kind "Zastávky"
    v.append(0, 0, 1);  // the second triple is never looked at
    const struct {
        std::string_view text;
        bool element, kind;
    } cases[] = {
        {"Z\xE1ti\x9A\xED", true, false},
        {"z\xC1TI\x8A\xCD", true, false},  // letter case does not count
        {"Zatisi", false, false},           // diacritics do
        {"Z\xE1ti\x9A", false, false},       // a prefix is not equal
        {"Most", false, false},
        {"ZAST\xC1VKY", false, true},
        {"zast\xE1vky", false, true},
        {"obce", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(v.firstElementNameEquals(c.text, names), c.element);
        EXPECT_EQ(v.firstCategoryNameEquals(c.text, names), c.kind);
    }
    const IndexTripleVector empty;
    EXPECT_FALSE(empty.firstElementNameEquals("", names));
    EXPECT_FALSE(empty.firstCategoryNameEquals("", names));
}

}  // namespace
}  // namespace trasovnik
