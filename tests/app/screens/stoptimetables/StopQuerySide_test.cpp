// What an object chosen for the stop-timetable search stands for: only one element of the
// file's stops category is passed on; a town, a place, several elements or an object of another
// file are objects of several stops.
#include "app/screens/stoptimetables/StopQuerySide.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelorvant {
namespace {

constexpr std::int32_t kFile = 1;
constexpr std::int32_t kStops = 2;  // the file's stops category
constexpr std::int32_t kTowns = 0;

struct SideCase {
    const char* what;
    std::vector<TrasaTriple> triples;
    std::int32_t element;
    bool severalStops;
};

TEST(StopQuerySide, OnlyOneStopElementOfTheFileIsPassedOn) {
    const SideCase cases[] = {
        {"nothing chosen", {}, -1, false},
        {"a stop", {{kFile, kStops, 4}}, 4, false},
        {"a town of the same element number", {{kFile, kTowns, 4}}, -1, true},
        {"a place", {{kFile, 1, 0}}, -1, true},
        {"two stop elements", {{kFile, kStops, 4}, {kFile, kStops, 5}}, -1, true},
        {"a stop of another file", {{0, kStops, 4}}, -1, true},
        // The same stop in two files of the set: the search takes this file's element.
        {"a stop of this file and another", {{0, kStops, 7}, {kFile, kStops, 4}}, 4, false},
    };
    for (const SideCase& c : cases) {
        cTextBoxKategorieElement object;
        for (const TrasaTriple& t : c.triples)
            object.Add(t.timetable, t.kind, t.element);
        const StopQuerySide side = stopQuerySide(object, kFile, kStops);
        EXPECT_EQ(side.element, c.element) << c.what;
        EXPECT_EQ(side.severalStops, c.severalStops) << c.what;
    }
}

TEST(StopQuerySide, AFileWithoutAStopsCategoryTakesNoObject) {
    cTextBoxKategorieElement object;
    object.Add(kFile, 0, 3);
    const StopQuerySide side = stopQuerySide(object, kFile, -1);
    EXPECT_EQ(side.element, -1);
    EXPECT_TRUE(side.severalStops);
}

}  // namespace
}  // namespace pelorvant
