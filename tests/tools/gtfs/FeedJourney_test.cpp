// The imported small feed, loaded through the engine's exports, answers a journey search:
// from the housing estate by tram to the station, a walk between its platforms and the bus to
// U Lípy.
#include <gtest/gtest.h>

#include <string>

#include "engine/api/trasovnik.h"
#include "engine/data/DayNumber.h"
#include "tests/tools/gtfs/FeedTestKit.h"

namespace {

// Elements of the stops kind (kind 1, sorted): Nádraží, Náměstí, Orstedova, Sídliště "Jih",
// U Lípy, rozcestí.
constexpr TrasaTriple kEstate{0, 1, 3};
constexpr TrasaTriple kLipa{0, 1, 4};
// File stops: 0 and 1 are the station's platforms A and B, 3 U Lípy, 5 the estate.
constexpr uint16_t kPlatformA = 0, kPlatformB = 1, kLipaStop = 3, kEstateStop = 5;

class FeedJourney : public ::testing::Test {
protected:
    void SetUp() override {
        std::string messages;
        ASSERT_EQ(scratch_.import(messages), 0) << messages;
        int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
        const std::string path = scratch_.output();
        const char* paths[] = {path.c_str()};
        const int32_t lengths[] = {static_cast<int32_t>(path.size())};
        int32_t count = 0;
        ASSERT_EQ(api_nactiHlavicky(paths, lengths, 1, &count), ENGINE_OK);
        ASSERT_EQ(count, 1);
        const int32_t index = 0;
        int32_t failing = -1;
        ASSERT_EQ(api_nactiSestavuJizdnichRadu(&index, 1, &set_, &failing, 0), ENGINE_OK);
        ASSERT_GE(set_, 0);
    }

    // The first connection found from `from` to `to` leaving at `minute` of `day`.
    cSpojeni* search(TrasaTriple from, TrasaTriple to, int16_t minute, int16_t day) {
        uint8_t done = 9;
        EXPECT_EQ(api_NastavZadaniHledani(set_, &from, 1, 0, 0, &to, 1, 0, 0, nullptr, 0, minute,
                                          day, 2, 0, &done),
                  ENGINE_OK);
        int32_t id = -100;
        EXPECT_EQ(api_HledejCestu(minute, day, &id, 0), ENGINE_OK);
        if (id < 0) {
            ADD_FAILURE() << "search status " << id;
            return nullptr;
        }
        cSpojeni* c = nullptr;
        EXPECT_EQ(api_getVysledekHledani_Spojeni(set_, id, 0, &c), ENGINE_OK);
        return c;
    }

    gtfstest::ScratchFeed scratch_{"small"};
    int32_t set_ = -1;
};

TEST_F(FeedJourney, TramWalkAndBusOnAWorkingDay) {
    const int16_t wednesday = trasovnik::dateToDayNumber(2, 12, 2026);
    cSpojeni* c = search(kEstate, kLipa, 5 * 60 + 50, wednesday);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->legCount, 2);
    const cUsekSpojeni& tram = c->legs[0];
    EXPECT_EQ(tram.boardStop, kEstateStop);
    EXPECT_EQ(tram.alightStop, kPlatformA);
    EXPECT_EQ(tram.departureMinute, 6 * 60);
    EXPECT_EQ(tram.arrivalMinute, 6 * 60 + 4);
    EXPECT_EQ(tram.departureDay, wednesday);
    EXPECT_EQ(std::string(tram.lineName, static_cast<std::size_t>(tram.lineNameLength)),
              "Tram S\xED"
              "dli\x9At\xEC Jih \x96 Orstedova 1");
    // From platform A to platform B on foot, a minute.
    EXPECT_EQ(tram.walkStop, kPlatformB);
    EXPECT_EQ(tram.walkMinutes, 1);
    const cUsekSpojeni& bus = c->legs[1];
    EXPECT_EQ(bus.boardStop, kPlatformB);
    EXPECT_EQ(bus.alightStop, kLipaStop);
    EXPECT_EQ(bus.departureMinute, 6 * 60 + 30);
    EXPECT_EQ(bus.arrivalMinute, 6 * 60 + 36);
}

TEST_F(FeedJourney, TheNightBusPastMidnightOnAWeekend) {
    // Saturday 5 December 23:40 from the station: the night bus of 23:50 reaches the estate at
    // 0:20 on Sunday.
    const int16_t saturday = trasovnik::dateToDayNumber(5, 12, 2026);
    constexpr TrasaTriple kStation{0, 1, 0};
    cSpojeni* c = search(kStation, kEstate, 23 * 60 + 40, saturday);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->legCount, 1);
    EXPECT_EQ(c->legs[0].departureMinute, 23 * 60 + 50);
    EXPECT_EQ(c->legs[0].departureDay, saturday);
    EXPECT_EQ(c->legs[0].arrivalMinute, 20);
    EXPECT_EQ(c->legs[0].arrivalDay, saturday + 1);
    EXPECT_EQ(c->legs[0].alightStop, kEstateStop);
}

}  // namespace
