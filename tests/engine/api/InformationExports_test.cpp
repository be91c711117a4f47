#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/api/TicketPrice.h"
#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

std::string take(char* text, int32_t length) {
    std::string s(text, static_cast<std::size_t>(length));
    std::free(text);
    return s;
}

struct PriceCase {
    int32_t price;
    uint32_t source;
    const char* text;
};

TEST(TicketPrice, EuroAndCrownTexts) {
    const PriceCase cases[] = {
        {1250, 1, "12,50 EUR"}, {1205, 1, "12,05 EUR"}, {1200, 1, "12 EUR"},
        {105, 1, "1,05 EUR"},   {200, 1, "2 EUR"},      {5, 1, "0,05 EUR"},
        {-105, 1, "-1,05 EUR"},
        // Crown prices are hundredths too: 4550 reads 45,50 crowns, not 4550.
        {4550, 0, "45,50 K\xE8"}, {3500, 2, "35 K\xE8"},   {5, 0, "0,05 K\xE8"},
        {-2400, 0, "-24 K\xE8"},
    };
    for (const PriceCase& c : cases) {
        EXPECT_EQ(api::ticketPriceText(c.price, c.source), c.text) << c.price;
    }
}

using InformationExports = ApiFixture;

TEST_F(InformationExports, IndexesOutsideTheirTablesFail) {
    const int32_t set = loadSet({kCityTitle});
    char* text = nullptr;
    int32_t length = 0;
    int32_t count = 0;
    int32_t* indexes = nullptr;
    EXPECT_EQ(api_GetNazevZastavky(set + 1, 0, 0, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetNazevZastavky(set, 1, 0, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetNazevZastavky(set, -1, 0, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetNazevZastavky(set, 0, 5, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_getDruhKategorie(set, 0, 2, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetNazevLinky(set, 0, 7, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetPoznamkuText(set, 0, 7, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetPoznamkyZastavky(set, 0, 5, &indexes, &count), ENGINE_ERROR);
    EXPECT_EQ(api_GetPoznamkyPrujezdu(set, 0, 0, 5, &indexes, &count), ENGINE_ERROR);
    EXPECT_EQ(api_GetSlouceneKategorieName(set, 2, &text, &length), ENGINE_ERROR);
    EXPECT_EQ(api_GetDruhyLinekLength(set, 0, nullptr), ENGINE_ERROR);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(indexes, nullptr);
}

// The note indexes an export hands over, with the marks of those notes.
std::vector<std::string> marksOf(int32_t set, int32_t timetable, int32_t* indexes, int32_t count) {
    std::vector<std::string> marks;
    for (int32_t i = 0; i < count; ++i) {
        char* mark = nullptr;
        int32_t length = 0;
        EXPECT_EQ(api_GetPoznamkuOznaceni(set, timetable, indexes[i], &mark, &length), ENGINE_OK);
        marks.emplace_back(mark, static_cast<std::size_t>(length));
        std::free(mark);
    }
    std::free(indexes);
    return marks;
}

TEST_F(InformationExports, NotesOfStopsAndKindNotesOfTrips) {
    // The city file attaches "WC" to the station; trip 0 carries the remark "BB" and the kind
    // "OWNER", trip 5 only the remark "N". The regional file has no stop notes.
    const int32_t set = loadSet({kCityTitle, kRegionalTitle});
    const struct {
        const char* what;
        int32_t (*list)(int32_t, int32_t, int32_t, int32_t**, int32_t*);
        int32_t timetable, item;
        std::vector<std::string> marks;
    } cases[] = {
        {"station", api_GetPoznamkyZastavky, 0, 0, {"WC"}},
        {"square", api_GetPoznamkyZastavky, 0, 1, {}},
        {"regional stop", api_GetPoznamkyZastavky, 1, 0, {}},
        {"trip with a kind", api_GetPoznamkySpoje, 0, 0, {"OWNER"}},
        {"trip with a remark only", api_GetPoznamkySpoje, 0, 5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int32_t* indexes = nullptr;
        int32_t count = -1;
        ASSERT_EQ(c.list(set, c.timetable, c.item, &indexes, &count), ENGINE_OK);
        EXPECT_EQ(marksOf(set, c.timetable, indexes, count), c.marks);
    }
}

TEST_F(InformationExports, DateNoteAndLineGroupOfARegionalTimetable) {
    const int32_t set = loadSet({kRegionalTitle});
    char* text = nullptr;
    int32_t length = 0;
    ASSERT_EQ(api_GetDatumovouPoznamkuSpoje(set, 0, 0, &text, &length), ENGINE_OK);
    EXPECT_EQ(take(text, length), "jen v pracovn\xED dny");

    int32_t groupLength = 0;
    ASSERT_EQ(api_getNadlinka_DelkyStringu(set, 0, 1, &groupLength), ENGINE_OK);
    ASSERT_EQ(groupLength, 8);
    std::string buffer(10, '#');
    int32_t kind = -1;
    ASSERT_EQ(api_getNadlinka(set, 0, 1, &kind, buffer.data()), ENGINE_OK);
    EXPECT_EQ(buffer, "Vyso\xE8ina##");
    EXPECT_EQ(kind, 0);
}

TEST_F(InformationExports, TicketsAreNumberedAcrossTheSet) {
    // The regional file has no tickets; the city file's two follow it.
    const int32_t set = loadSet({kRegionalTitle, kCityTitle});
    int32_t count = 0;
    ASSERT_EQ(api_GetPocetSmsJizdenek(set, &count), ENGINE_OK);
    EXPECT_EQ(count, 2);
    char *first = nullptr, *price = nullptr, *second = nullptr, *third = nullptr;
    int32_t l1 = 0, lp = 0, l2 = 0, l3 = 0;
    ASSERT_EQ(api_GetSmsJizdenku(set, 0, &first, &l1, &price, &lp, &second, &l2, &third, &l3),
              ENGINE_OK);
    EXPECT_EQ(take(first, l1), "DPHL 30");
    EXPECT_EQ(take(price, lp), "30 K\xE8");
    EXPECT_EQ(take(second, l2), "90206");
    EXPECT_EQ(take(third, l3), "J\xEDzdenka na 30 minut");
    // Beyond the last ticket (and before the first) nothing is written.
    first = reinterpret_cast<char*>(&count);
    l1 = -7;
    EXPECT_EQ(api_GetSmsJizdenku(set, 2, &first, &l1, &price, &lp, &second, &l2, &third, &l3),
              ENGINE_OK);
    EXPECT_EQ(api_GetSmsJizdenku(set, -1, &first, &l1, &price, &lp, &second, &l2, &third, &l3),
              ENGINE_OK);
    EXPECT_EQ(first, reinterpret_cast<char*>(&count));
    EXPECT_EQ(l1, -7);
}

TEST(GpsExports, PointIsPlacedAsSeenFromTheCentre) {
    double metres = 0;
    int32_t x = 0, y = 0;
    // A point south-west of the centre lies left of it and below it.
    ASSERT_EQ(api_gpsGetPointInPx(49.49, 15.49, 49.5, 15.5, 10.0, &metres, &x, &y), ENGINE_OK);
    EXPECT_LT(x, 0);
    EXPECT_GT(y, 0);
    EXPECT_NEAR(metres, 1340, 30);
    // The centre itself.
    ASSERT_EQ(api_gpsGetPointInPx(49.5, 15.5, 49.5, 15.5, 10.0, &metres, &x, &y), ENGINE_OK);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(metres, 0);
}

// The arrays of one map placement, freed with it.
struct MapPlacement {
    int32_t count = 0;
    TrasaPixel* pixels = nullptr;
    char** names = nullptr;
    int32_t* lengths = nullptr;
    double* distances = nullptr;
    double* bearings = nullptr;
    uint8_t allPlaced = 9;

    explicit MapPlacement(int32_t n) : count(n) {}
    MapPlacement(const MapPlacement&) = delete;
    MapPlacement& operator=(const MapPlacement&) = delete;
    ~MapPlacement() {
        for (int32_t i = 0; names != nullptr && i < count; ++i) {
            std::free(names[i]);
        }
        std::free(pixels);
        std::free(names);
        std::free(lengths);
        std::free(distances);
        std::free(bearings);
    }

    int32_t place(int32_t set, double& scale, const uint16_t* stops, const int32_t* timetables,
                  uint16_t fitStop, int32_t fitTimetable, int32_t width, int32_t height) {
        return api_gpsGetMapActualCenter(set, 49.5, 15.5, &scale, stops, timetables, count,
                                         fitStop, fitTimetable, width, height, &pixels, &names,
                                         &lengths, &distances, &bearings, &allPlaced);
    }
};

TEST_F(InformationExports, MapMarksStopsWithoutPositions) {
    // The regional file has no coordinates: its stop stays unplaced and the scale as given.
    const int32_t set = loadSet({kCityTitle, kRegionalTitle});
    const uint16_t stops[2] = {3, 0};
    const int32_t timetables[2] = {0, 1};
    double scale = 5.0;
    MapPlacement map(2);
    ASSERT_EQ(map.place(set, scale, stops, timetables, 0, 1, 244, 324), ENGINE_OK);
    EXPECT_EQ(scale, 5.0);
    EXPECT_EQ(map.allPlaced, 0);
    EXPECT_GT(map.distances[0], 0);
    EXPECT_EQ(map.distances[1], -1);
    EXPECT_EQ(std::string(map.names[1], static_cast<std::size_t>(map.lengths[1])),
              "Jihlava, aut. n\xE1"
              "dr.");
    // North-east of the centre: right of and above the view's centre (120, 160) + margin.
    EXPECT_GT(map.pixels[0].x, 122);
    EXPECT_LT(map.pixels[0].y, 162);
}

// View sizes come from the caller: sizes that no screen has are refused, not computed with.
TEST_F(InformationExports, MapRefusesViewSizesNoScreenHas) {
    const int32_t set = loadSet({kCityTitle});
    const uint16_t stops[1] = {3};
    const int32_t timetables[1] = {0};
    const struct {
        int32_t width, height, status;
    } cases[] = {
        {INT32_MIN, 324, ENGINE_ERROR}, {244, INT32_MIN, ENGINE_ERROR},
        {INT32_MAX, 324, ENGINE_ERROR}, {244, INT32_MAX, ENGINE_ERROR},
        {-1, 324, ENGINE_ERROR},        {32768, 324, ENGINE_ERROR},
        {32767, 32767, ENGINE_OK},      {0, 0, ENGINE_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        double scale = -1.0;
        MapPlacement map(1);
        EXPECT_EQ(map.place(set, scale, stops, timetables, 3, 0, c.width, c.height), c.status);
        if (c.status != ENGINE_OK) {
            EXPECT_EQ(map.pixels, nullptr);
            continue;
        }
        EXPECT_EQ(map.allPlaced, 1);
        EXPECT_GT(scale, 0);
    }
}

}  // namespace
}  // namespace trasovnik::testing
