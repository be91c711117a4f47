// Files whose trips or passages sections name something outside its table must be refused
// with ENGINE_EXC_INDEX when they are loaded, never read out of bounds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"

namespace trasovnik {
namespace {

using testing::Alterations;
using testing::compileAltered;
using testing::smallDescription;

struct BadCase {
    const char* what;
    Alterations alter;
};

void expectIndexFailure(const BadCase& c) {
    SCOPED_TRACE(c.what);
    try {
        testing::load(compileAltered(smallDescription(), c.alter));
        ADD_FAILURE() << "loaded";
    } catch (const EngineException& e) {
        EXPECT_EQ(e.code(), ENGINE_EXC_INDEX) << engineCodeName(e.code());
    }
}

Alterations onTrips(std::function<void(jz::TripLayout&)> f) {
    return {std::move(f), {}};
}
Alterations onPassages(std::function<void(jz::PassageSection&)> f) {
    return {{}, std::move(f)};
}

TEST(TimetableBadInput, TripsSectionIndexesOutOfRange) {
    const BadCase cases[] = {
        {"route record of a trip", onTrips([](auto& l) { l.trips[0].route = 1; })},
        {"stop range past the route's run", onTrips([](auto& l) { l.trips[0].firstOffset = 1; })},
        {"stop count past the route's run", onTrips([](auto& l) { l.trips[1].stopCount = 4; })},
        {"trip without stops", onTrips([](auto& l) { l.trips[0].stopCount = 0; })},
        {"arrival pattern", onTrips([](auto& l) { l.trips[0].arrivalPattern = 7; })},
        {"departure pattern", onTrips([](auto& l) { l.trips[1].departurePattern = 7; })},
        {"pattern shorter than the stops",
         onTrips([](auto& l) { l.packedPatterns[0].pop_back(); })},
        {"validity entry of a trip", onTrips([](auto& l) { l.trips[0].validity = 2; })},
        {"calendar of a validity entry", onTrips([](auto& l) { l.validity[0].calendar = 1; })},
        {"notes of a validity entry", onTrips([](auto& l) { l.validity[0].notes = 60; })},
        {"line of a route", onTrips([](auto& l) { l.routes[0].line = 1; })},
        {"line name of a route", onTrips([](auto& l) { l.routes[0].lineNameIndex = 1; })},
        {"route offset past the stop items", onTrips([](auto& l) { l.routes[0].offset = 4; })},
        {"stop of a stop item", onTrips([](auto& l) { l.items[2].stop = 3; })},
        {"passage note of a stop item", onTrips([](auto& l) { l.items[1].note = 2; })},
        {"attachment of the passage note table",
         onTrips([](auto& l) { l.passageNoteTable[0] = 99; })},
    };
    for (const BadCase& c : cases) {
        expectIndexFailure(c);
    }
}

TEST(TimetableBadInput, PassagesSectionIndexesOutOfRange) {
    const BadCase cases[] = {
        // Stop A has two passages, so slot 2 lies outside its row.
        {"slot past the stop's row", onPassages([](auto& p) { p.slots[0][0] = 2; })},
        {"two positions in one slot", onPassages([](auto& p) { p.slots[0][0] = p.slots[1][2]; })},
        {"trip of a mirrored row", onPassages([](auto& p) { p.rows.mirrored[0][0].trip = 2; })},
        {"trip extension bits of a mirrored row",
         onPassages([](auto& p) { p.rows.mirrored[0][0].trip = 0x10000; })},
        {"position of a mirrored row",
         onPassages([](auto& p) { p.rows.mirrored[1][0].position = 3; })},
        {"more passages than declared", onPassages([](auto& p) { p.passages = 11; })},
        {"more bytes than declared", onPassages([](auto& p) { p.bytes = 17; })},
    };
    for (const BadCase& c : cases) {
        expectIndexFailure(c);
    }
}

TEST(TimetableBadInput, HugeCountsFailBeforeTheyAllocate) {
    const BadCase cases[] = {
        {"further rows", onPassages([](auto& p) { p.rowCount = 0xFFFFFFF0u; })},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            testing::load(compileAltered(smallDescription(), c.alter));
            ADD_FAILURE() << "loaded";
        } catch (const EngineException& e) {
            EXPECT_EQ(e.code(), ENGINE_EXC_SHORT_READ) << engineCodeName(e.code());
        }
    }
}

TEST(TimetableBadInput, UnorderedRowsLoadAndSearchWithoutHarm) {
    // Stop B's row lists 9:08 before 8:07; the binary search may answer wrongly, but within
    // the row and without looping.
    auto jr = testing::load(compileAltered(
        smallDescription(), onPassages([](auto& p) { std::swap(p.slots[0][1], p.slots[1][1]); })));
    const cPrujezdyZastavek& rows = jr->passages;
    for (int minute : {0, 8 * 60, 8 * 60 + 7, 9 * 60, 1439}) {
        int day = 0;
        std::uint32_t i = rows.firstDepartureFrom(1, minute, day);
        EXPECT_LT(i, rows.passageCount(1));
        EXPECT_LE(day, 1);
    }
    EXPECT_EQ(rows.tripAt(1, 0), 1u);
}

}  // namespace
}  // namespace trasovnik
