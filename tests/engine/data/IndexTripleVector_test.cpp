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

}  // namespace
}  // namespace trasovnik
