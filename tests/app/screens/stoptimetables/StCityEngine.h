#pragma once
// The real engine with a compiled city network of stop timetables loaded as set 0 (the city
// network unless a test names another fixture), and the program's settings with real fonts, for
// the stop-timetable screen tests.
#include "CoreTestSupport.h"
#include "tests/app/screens/ScreenTestSupport.h"

#include "app/core/ProgramContext.h"
#include "app/screens/stoptimetables/StopTimetableSearch.h"

#include <string>

namespace pelorvant::testing {

class StCityTest : public RealEngineTest {
protected:
    void SetUp() override {
        RealEngineTest::SetUp();
        set = loadFixtureSet(api(), fixtureFile());
        ASSERT_GE(set, 0);
        ASSERT_EQ(api().api_DatumToShortDen(4, 1, 2027, &monday), ENGINE_OK);
        context.settings = &settings;
        context.api = &api();
    }
    void TearDown() override { api().api_zrusSestavuJizdnichRadu(set); }

    // The compiled fixture (a file name in the fixture folder) that the test loads.
    virtual const char* fixtureFile() const { return "st-city.jz"; }

    // Line 12 (or the text) from element `from` of the stop category towards `to`.
    StopTimetableQuery query(std::string line, std::int32_t from, std::int32_t to, bool week) const {
        StopTimetableQuery q;
        q.set = set;
        q.lineText = std::move(line);
        q.from = from;
        q.to = to;
        q.day = monday;
        q.week = week;
        return q;
    }

    // The stop element of a name (UTF-16 in, as the program has it); -1 when none.
    std::int32_t element(std::u16string_view name) const {
        std::int32_t kinds = 0;
        std::int32_t stopsKind = -1;
        api().api_getPocetDruhuKategorii(set, 0, &kinds, &stopsKind);
        const std::string text = toNarrowString(name);
        std::int32_t* raw = nullptr;
        std::int32_t count = 0;
        api().api_GetIndexyElementuKategorie(set, 0, stopsKind, text.data(), static_cast<std::int32_t>(text.size()),
                                             &raw, &count);
        const EngineOwned<std::int32_t> indexes(raw);
        return count > 0 && indexes ? indexes.get()[0] : -1;
    }

    std::int32_t set = -1;
    std::int16_t monday = 0;
    ProgramContext context;
};

}  // namespace pelorvant::testing
