#include "engine/api/PlaceRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/data/EngineException.h"

namespace trasovnik {
namespace {

TEST(PlaceRecord, GrowsOneTripleAtATimeAndReusesFreedSlots) {
    BoundaryPlace place{nullptr, 0, 0};
    appendToPlace(place, IndexTriple{0, 1, 2});
    appendToPlace(place, IndexTriple{1, 1, 3});
    ASSERT_EQ(place.count, 2);
    EXPECT_EQ(place.spare, 0);
    EXPECT_EQ(place.items[1].element, 3);
    EXPECT_EQ(place.items[0].element, 2);

    // Filled again with one triple: the slots stay, nothing is reallocated.
    IndexTriple* before = place.items;
    IndexTripleVector one;
    one.append(0, 1, 4);
    assignPlace(place, one);
    EXPECT_EQ(place.items, before);
    EXPECT_EQ(place.count, 1);
    EXPECT_EQ(place.spare, 1);
    EXPECT_EQ(place.items[0].element, 4);
    std::free(place.items);
}

TEST(PlaceRecord, HoldsAtMost255Triples) {
    BoundaryPlace place{nullptr, 0, 0};
    for (int i = 0; i < 255; ++i) {
        appendToPlace(place, IndexTriple{0, 0, i});
    }
    try {
        appendToPlace(place, IndexTriple{0, 0, 255});
        ADD_FAILURE() << "a 256th triple was taken";
    } catch (const EngineException& e) {
        EXPECT_EQ(e.code(), ENGINE_EXC_INDEX);
    }
    EXPECT_EQ(place.count, 255);
    EXPECT_EQ(place.items[254].element, 254);
    std::free(place.items);
}

TEST(PlaceRecord, ResetOfAnEmptyPlaceHasNoSlots) {
    BoundaryPlace place{nullptr, 3, 7};
    resetPlace(place);
    EXPECT_EQ(place.count, 0);
    EXPECT_EQ(place.spare, 0);
    appendToPlace(place, IndexTriple{0, 0, 1});
    EXPECT_EQ(place.count, 1);
    std::free(place.items);
}

}  // namespace
}  // namespace trasovnik
