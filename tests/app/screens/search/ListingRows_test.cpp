// The shown rows of a trip listing: where the trip waits both times show, where it does not
// only the departure, the last row only its arrival; distances in whole kilometres.
#include "app/screens/search/VypisSpojeView.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

cRadekVypisuSpoje listingRow(int arrival, int departure, int metres) {
    cRadekVypisuSpoje r{};
    r.arrivalMinute = static_cast<std::int16_t>(arrival);
    r.departureMinute = static_cast<std::int16_t>(departure);
    r.distance = metres;
    return r;
}

TEST(ListingRowsTest, TimesShowWhereTheyMeanSomething) {
    const cRadekVypisuSpoje rows[] = {listingRow(600, 600, 0), listingRow(602, 605, 1500),
                                      listingRow(610, 610, 1501), listingRow(620, 620, 2600)};
    const auto shown = listingRows(rows, 4, {u"A", u"B", u"C", u"D"});
    ASSERT_EQ(shown.size(), 4u);
    const struct {
        const char16_t *arrival, *departure, *km;
    } expected[] = {{u"", u"10:00", u"0"}, {u"10:02", u"10:05", u"1"}, {u"", u"10:10", u"2"}, {u"10:20", u"", u"3"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shown[i].arrival, expected[i].arrival) << i;
        EXPECT_EQ(shown[i].departure, expected[i].departure) << i;
        EXPECT_EQ(shown[i].km, expected[i].km) << i;
    }
    EXPECT_EQ(shown[3].stop, u"D");
}

TEST(ListingRowsTest, UnknownDistancesAndMissingNamesStayEmpty) {
    const cRadekVypisuSpoje rows[] = {listingRow(0, 0, -1), listingRow(5, 5, -1)};
    const auto shown = listingRows(rows, 2, {u"A"});
    EXPECT_EQ(shown[0].km, u"");
    EXPECT_EQ(shown[1].stop, u"");
    EXPECT_EQ(kmText(999), u"1");
    EXPECT_EQ(kmText(500), u"0");
}

}  // namespace
}  // namespace pelorvant
