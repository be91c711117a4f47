#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/api/EngineAccess.h"
#include "engine/data/DayNumber.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/data/TimetableSet.h"
#include "engine/search/results/Listing.h"
#include "engine/search/results/ResultStore.h"
#include "engine/search/results/SearchResult.h"
#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

// Wednesday 2 December 2026 and its neighbours; the city file's "prac" trips run on working
// days, its "vik" trips at weekends.
const int16_t kWednesday = dateToDayNumber(2, 12, 2026);
const int16_t kSaturday = dateToDayNumber(5, 12, 2026);

class ResultExports : public ApiFixture {
protected:
    void SetUp() override {
        ApiFixture::SetUp();
        set_ = loadSet({kCityTitle});
    }

    const cJizdniRad& city() { return api::timetableOf(set_, 0); }

    // A ridden leg of trip `trip` from position `board` to `alight`, departing at the trip's
    // time on `day`.
    cUsekSpojeni leg(uint32_t trip, uint8_t board, uint8_t alight, int16_t day) {
        const cSpoje& trips = city().trips;
        cUsekSpojeni l{};
        l.trip = trip;
        l.boardPosition = board;
        l.alightPosition = alight;
        l.boardStop = trips.stopAt(trip, board);
        l.alightStop = trips.stopAt(trip, alight);
        l.departureMinute = static_cast<int16_t>(trips.departureMinute(trip, board));
        l.arrivalMinute = static_cast<int16_t>(trips.arrivalMinute(trip, alight));
        l.departureDay = day;
        l.arrivalDay = day;
        l.departureSlot =
            static_cast<uint16_t>(city().passages.findPassage(l.boardStop, trip, board));
        l.walkMinutes = cUsekSpojeni::kNoWalkLink;
        return l;
    }

    // Stores a result of one connection with the given legs and returns its id.
    int32_t store(std::vector<cUsekSpojeni> legs) {
        BuiltConnection c;
        c.lineNames.assign(legs.size(), "Bus 1");
        c.legs = std::move(legs);
        auto result = std::make_unique<cVysledekHledani>();
        result->addConnection(std::move(c));
        result->finish();
        return resultStoreOf(api::setOf(set_)).store(std::move(result), false);
    }

    cUsekSpojeni* storedLeg(int32_t id, int32_t legIndex = 0) {
        cSpojeni* c = nullptr;
        EXPECT_EQ(api_getVysledekHledani_Spojeni(set_, id, 0, &c), ENGINE_OK);
        return c == nullptr ? nullptr : &c->legs[legIndex];
    }

    int32_t set_ = -1;
};

struct Step {
    uint32_t trip;
    int16_t minute;
    int16_t day;
    const char* lineName;
};

TEST_F(ResultExports, LaterAlternativesGoOnIntoTheNextDay) {
    // 6:05 from the station to the school: then 7:05; the 8:05 runs only at weekends, so the
    // next is Thursday's 6:05.
    const int32_t id = store({leg(0, 1, 3, kWednesday)});
    cUsekSpojeni* current = storedLeg(id);
    ASSERT_NE(current, nullptr);
    const Step expected[] = {{1, 425, kWednesday, "Bus 1"},
                             {0, 365, static_cast<int16_t>(kWednesday + 1), "Bus 1 BB"}};
    for (const Step& s : expected) {
        cVysledekSpoj* next = nullptr;
        ASSERT_EQ(api_getDalsiVysledekHledaniSpoj(set_, current, &next), ENGINE_OK);
        ASSERT_NE(next, current);
        EXPECT_EQ(next->trip, s.trip);
        EXPECT_EQ(next->departureMinute, s.minute);
        EXPECT_EQ(next->departureDay, s.day);
        EXPECT_EQ(next->boardStop, current->boardStop);
        EXPECT_EQ(next->alightStop, current->alightStop);
        EXPECT_EQ(next->rideMinutes, 5);
        EXPECT_EQ(next->distance, 1450);
        EXPECT_EQ(std::string(next->lineName, static_cast<std::size_t>(next->lineNameLength)),
                  s.lineName);
        EXPECT_EQ(next->previous, current);
        current = next;
    }
}

TEST_F(ResultExports, EarlierAlternativeIsThePreviousDaysLastTrip) {
    const int32_t id = store({leg(0, 1, 3, kWednesday)});
    cUsekSpojeni* own = storedLeg(id);
    cVysledekSpoj* earlier = nullptr;
    ASSERT_EQ(api_getPredchoziVysledekHledaniSpoj(set_, own, &earlier), ENGINE_OK);
    ASSERT_NE(earlier, own);
    EXPECT_EQ(earlier->trip, 1u);
    EXPECT_EQ(earlier->departureMinute, 425);
    EXPECT_EQ(earlier->departureDay, kWednesday - 1);
    EXPECT_EQ(earlier->next, own);
    // Asked again: the same record; from it the way forward leads back to the leg.
    cVysledekSpoj* again = nullptr;
    ASSERT_EQ(api_getPredchoziVysledekHledaniSpoj(set_, own, &again), ENGINE_OK);
    EXPECT_EQ(again, earlier);
    cVysledekSpoj* forward = nullptr;
    ASSERT_EQ(api_getDalsiVysledekHledaniSpoj(set_, earlier, &forward), ENGINE_OK);
    EXPECT_EQ(forward, own);
}

TEST_F(ResultExports, WalkingLegIsItsOwnAlternative) {
    cUsekSpojeni walk = leg(0, 1, 3, kWednesday);
    walk.departureSlot = cUsekSpojeni::kWalkingSlot;
    const int32_t id = store({walk, leg(0, 1, 3, kWednesday)});
    cUsekSpojeni* own = storedLeg(id);
    cVysledekSpoj* next = nullptr;
    cVysledekSpoj* previous = nullptr;
    ASSERT_EQ(api_getDalsiVysledekHledaniSpoj(set_, own, &next), ENGINE_OK);
    ASSERT_EQ(api_getPredchoziVysledekHledaniSpoj(set_, own, &previous), ENGINE_OK);
    EXPECT_EQ(next, own);
    EXPECT_EQ(previous, own);
}

TEST_F(ResultExports, AlternativesSkipTripsThatDoNotRunOnTheDay) {
    // From the hospital to the station on a Saturday night: the working-day trips of line 2
    // do not run at the weekend, so the next is Sunday's night trip, and after it Monday's
    // first working-day trip.
    const int32_t id = store({leg(5, 0, 2, kSaturday)});
    cUsekSpojeni* own = storedLeg(id);
    cVysledekSpoj* next = nullptr;
    ASSERT_EQ(api_getDalsiVysledekHledaniSpoj(set_, own, &next), ENGINE_OK);
    ASSERT_NE(next, own);
    EXPECT_EQ(next->trip, 5u);
    EXPECT_EQ(next->departureDay, kSaturday + 1);
    cVysledekSpoj* after = nullptr;
    ASSERT_EQ(api_getDalsiVysledekHledaniSpoj(set_, next, &after), ENGINE_OK);
    EXPECT_EQ(after->trip, 3u);
    EXPECT_EQ(after->departureDay, kSaturday + 2);
}

TEST_F(ResultExports, LegsOutsideTheStoreAndBadIdsFail) {
    const int32_t id = store({leg(0, 1, 3, kWednesday)});
    cUsekSpojeni loose = leg(0, 1, 3, kWednesday);
    cVysledekSpoj* next = reinterpret_cast<cVysledekSpoj*>(&loose);
    EXPECT_EQ(api_getDalsiVysledekHledaniSpoj(set_, &loose, &next), ENGINE_ERROR);
    EXPECT_EQ(next, reinterpret_cast<cVysledekSpoj*>(&loose));

    int32_t count = -5;
    EXPECT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id + 1, &count), ENGINE_ERROR);
    EXPECT_EQ(api_getVysledekHledani_PocetSpojeni(set_ + 1, id, &count), ENGINE_ERROR);
    EXPECT_EQ(count, -5);
    ASSERT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id, &count), ENGINE_OK);
    EXPECT_EQ(count, 1);
    cSpojeni* c = nullptr;
    EXPECT_EQ(api_getVysledekHledani_Spojeni(set_, id, 1, &c), ENGINE_ERROR);
    EXPECT_EQ(api_getVysledekHledani_Spojeni(set_, id, -1, &c), ENGINE_ERROR);
    EXPECT_EQ(c, nullptr);
}

TEST_F(ResultExports, ParameterChangeEmptiesTheStore) {
    const int32_t id = store({leg(0, 1, 3, kWednesday)});
    int32_t count = 0;
    int32_t minimum = 0;
    ASSERT_EQ(api_GetMinimalniPocetMinutNaPrestup(set_, 0, &minimum), ENGINE_OK);
    // The same value, a value that clamps to it, and the default of transfers keep the result.
    ASSERT_EQ(api_SetMinimalniPocetMinutNaPrestup(set_, 0, minimum), ENGINE_OK);
    ASSERT_EQ(api_SetVychoziPocetPrestupu(set_, 0, 7), ENGINE_OK);
    ASSERT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id, &count), ENGINE_OK);
    ASSERT_EQ(api_SetMinimalniPocetMinutNaPrestup(set_, 0, minimum + 1), ENGINE_OK);
    EXPECT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id, &count), ENGINE_ERROR);
    // Ids are not reused.
    EXPECT_GT(store({leg(0, 1, 3, kWednesday)}), id);
}

struct ListedTime {
    uint16_t stop;
    int16_t arrivalMinute, arrivalDay, departureMinute, departureDay;
    int32_t distance;
};

void expectRows(const cRadekVypisuSpoje* rows, int32_t count, const std::vector<ListedTime>& want) {
    ASSERT_EQ(count, static_cast<int32_t>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].stop, want[i].stop);
        EXPECT_EQ(rows[i].arrivalMinute, want[i].arrivalMinute);
        EXPECT_EQ(rows[i].arrivalDay, want[i].arrivalDay);
        EXPECT_EQ(rows[i].departureMinute, want[i].departureMinute);
        EXPECT_EQ(rows[i].departureDay, want[i].departureDay);
        EXPECT_EQ(rows[i].distance, want[i].distance);
    }
}

void freeRows(cRadekVypisuSpoje* rows, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        std::free(rows[i].stopNotes);
        std::free(rows[i].passageNotes);
    }
    std::free(rows);
}

TEST_F(ResultExports, ListingHasEveryStopOfTheTrip) {
    // The leg rides from the 2nd to the 4th stop; the listing has all five, with the passage
    // note "x" at the square and the station's own note "WC".
    const cUsekSpojeni ridden = leg(0, 1, 3, kWednesday);
    cRadekVypisuSpoje* rows = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_getVysledekHledani_VypisSpoje(set_, &ridden, &rows, &count), ENGINE_OK);
    const int16_t d = kWednesday;
    expectRows(rows, count,
               {{4, 360, d, 360, d, 0},
                {0, 364, d, 365, d, 1200},
                {1, 368, d, 368, d, 2000},
                {2, 370, d, 370, d, 2650},
                {3, 373, d, 373, d, 3350}});
    EXPECT_EQ(rows[2].passageNoteCount, 1);
    EXPECT_EQ(rows[1].passageNoteCount, 0);
    EXPECT_EQ(rows[0].stopNoteCount, 0);
    ASSERT_EQ(rows[1].stopNoteCount, 1);
    EXPECT_EQ(rows[1].stopNotes[0], 6);
    EXPECT_EQ(rows[2].stopNoteCount, 0);
    freeRows(rows, count);
}

TEST_F(ResultExports, ListingCarriesPastMidnightFromTheTripsStart) {
    // The night trip leaves the hospital at 23:50 on Saturday and reaches the station at 0:03.
    // Boarded at the station itself after midnight (Sunday 0:05), the earlier stops still lie
    // on Saturday evening.
    const int16_t sunday = static_cast<int16_t>(kSaturday + 1);
    for (const cUsekSpojeni& l : {leg(5, 0, 2, kSaturday), leg(5, 2, 2, sunday)}) {
        cRadekVypisuSpoje* rows = nullptr;
        int32_t count = 0;
        ASSERT_EQ(api_getVysledekHledani_VypisSpoje(set_, &l, &rows, &count), ENGINE_OK);
        expectRows(rows, count,
                   {{3, 1430, kSaturday, 1430, kSaturday, 0},
                    {1, 1438, kSaturday, 1438, kSaturday, -1},
                    {0, 3, sunday, 5, sunday, -1}});
        freeRows(rows, count);
    }
}

TEST_F(ResultExports, ListingOfAWholeTripStartsOnTheGivenDay) {
    cUsekSpojeni whole{};
    whole.trip = 6;
    whole.boardPosition = cUsekSpojeni::kWholeTrip;
    whole.alightPosition = cUsekSpojeni::kWholeTrip;
    whole.departureDay = kWednesday;
    cRadekVypisuSpoje* rows = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_getVysledekHledani_VypisSpoje(set_, &whole, &rows, &count), ENGINE_OK);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(rows[1].arrivalMinute, 726);
    EXPECT_EQ(rows[1].departureMinute, 800);
    EXPECT_EQ(rows[2].departureDay, kWednesday);
    freeRows(rows, count);

    whole.trip = 7;
    rows = nullptr;
    EXPECT_EQ(api_getVysledekHledani_VypisSpoje(set_, &whole, &rows, &count), ENGINE_ERROR);
    EXPECT_EQ(rows, nullptr);
}

TEST_F(ResultExports, ListingAddsEachStopsTimeShift) {
    // The regional file shifts its Jihlava stops by 15 minutes and its Třebíč stops by 30: the
    // trip's arrival at 23:30 at the hospital is 0:00 of the next day there.
    const int32_t regional = loadSet({kRegionalTitle});
    cUsekSpojeni l{};
    l.trip = 1;
    l.boardPosition = 0;
    l.alightPosition = 1;
    l.departureMinute = 6 * 60 + 15;
    l.departureDay = kWednesday;
    cRadekVypisuSpoje* rows = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_getVysledekHledani_VypisSpoje(regional, &l, &rows, &count), ENGINE_OK);
    const int16_t d = kWednesday;
    expectRows(rows, count,
               {{0, 375, d, 375, d, 0},
                {2, 435, d, 437, d, 36000},
                {3, 0, static_cast<int16_t>(d + 1), 0, static_cast<int16_t>(d + 1), 39000}});
    freeRows(rows, count);
}

struct MinuteCase {
    int64_t minute;
    int32_t day;
    int32_t wantMinute;
    int32_t wantDay;
};

TEST(LocalTime, MinutesAreBroughtIntoTheDay) {
    const MinuteCase cases[] = {
        {1445, 10, 5, 11}, {1440, 10, 0, 11}, {1439, 10, 1439, 10}, {0, 10, 0, 10},
        {-1, 10, 1439, 9}, {-1440, 10, 0, 9}, {-1441, 10, 1439, 8}, {2 * 1440 + 7, 0, 7, 2},
    };
    for (const MinuteCase& c : cases) {
        const LocalTime t = normaliseMinute(c.minute, c.day);
        EXPECT_EQ(t.minute, c.wantMinute) << c.minute;
        EXPECT_EQ(t.day, c.wantDay) << c.minute;
    }
}

}  // namespace
}  // namespace trasovnik::testing
