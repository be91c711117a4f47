// Walking links of a feed: transfers.txt and the walking radius, and the file's limit on the
// number of links.
#include <gtest/gtest.h>

#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/WalkingLinks.h"

namespace {

using gtfs2jz::Feed;
using gtfs2jz::FeedStop;
using gtfs2jz::WalkLink;

// Stops on a meridian, `metres` apart from the first one (0.0009 degrees of latitude are
// about 100 m).
Feed stopsAt(std::initializer_list<double> metres) {
    Feed f;
    for (double m : metres) {
        FeedStop s;
        s.id = "S" + std::to_string(f.stops.size());
        s.name = s.id;
        s.hasPosition = true;
        s.lat = 50.0 + m / 111195.0;
        s.lon = 14.0;
        f.stops.push_back(s);
    }
    return f;
}

std::vector<std::tuple<std::uint32_t, std::uint32_t, int>> asTuples(
    const std::vector<WalkLink>& links) {
    std::vector<std::tuple<std::uint32_t, std::uint32_t, int>> out;
    for (const WalkLink& l : links) {
        out.emplace_back(l.from, l.to, l.minutes);
    }
    return out;
}

TEST(WalkingLinks, RadiusLinksBothWaysWithMinutesFromTheDistance) {
    Feed f = stopsAt({0, 100, 250, 1000});
    auto got = gtfs2jz::walkingLinks(f, 300, 15, 100);
    // 100 m at 15 min/km is 1.5 min, rounded up to 2; 150 m 3 min (2.25 up); 250 m 4 min.
    EXPECT_EQ(asTuples(got.links),
              (std::vector<std::tuple<std::uint32_t, std::uint32_t, int>>{
                  {0, 1, 2}, {0, 2, 4}, {1, 0, 2}, {1, 2, 3}, {2, 0, 4}, {2, 1, 3}}));
    EXPECT_EQ(got.dropped, 0u);
}

TEST(WalkingLinks, TransfersWinOverTheRadiusAndTypeThreeForbids) {
    Feed f = stopsAt({0, 100, 2000});
    f.transfers.push_back({0, 1, 2, 600});  // 10 minutes instead of 2
    f.transfers.push_back({1, 0, 3, -1});   // no walking from 1 to 0
    f.transfers.push_back({0, 2, 0, -1});   // no time: from the distance, 30 minutes
    f.transfers.push_back({2, 2, 2, 120});  // the same stop: no link
    auto got = gtfs2jz::walkingLinks(f, 300, 15, 100);
    EXPECT_EQ(asTuples(got.links),
              (std::vector<std::tuple<std::uint32_t, std::uint32_t, int>>{{0, 1, 10}, {0, 2, 30}}));
}

TEST(WalkingLinks, TheLongestRadiusLinksGoWhenTheFileCannotHoldThemAll) {
    Feed f = stopsAt({0, 100, 200});
    f.transfers.push_back({2, 0, 2, 60});
    auto got = gtfs2jz::walkingLinks(f, 250, 15, 5);
    // The transfer stays; of the radius links 0-1, 1-0, 1-2, 2-1 (100 m) and 0-2 (200 m) the
    // longest is left out.
    EXPECT_EQ(asTuples(got.links), (std::vector<std::tuple<std::uint32_t, std::uint32_t, int>>{
                                       {0, 1, 2}, {1, 0, 2}, {1, 2, 2}, {2, 0, 1}, {2, 1, 2}}));
    EXPECT_EQ(got.dropped, 1u);
    EXPECT_NEAR(got.keptUpToMetres, 100, 1);
}

TEST(WalkingLinks, MoreTransfersThanTheFileHoldsAreRefused) {
    Feed f = stopsAt({0, 100, 200});
    f.transfers = {{0, 1, 2, 60}, {1, 2, 2, 60}, {2, 0, 2, 60}};
    try {
        gtfs2jz::walkingLinks(f, 0, 15, 2);
        FAIL() << "no error";
    } catch (const gtfs2jz::FeedError& e) {
        EXPECT_NE(std::string(e.what()).find("walking links of transfers.txt 3 exceeds the limit "
                                             "of 2 (the first-link index of a stop is 16-bit)"),
                  std::string::npos)
            << e.what();
    }
}

TEST(WalkingLinks, StopsWithoutPositionsOrStationsGetNoRadiusLinks) {
    Feed f = stopsAt({0, 50, 60});
    f.stops[1].hasPosition = false;
    f.stops[2].locationType = 1;
    EXPECT_TRUE(gtfs2jz::walkingLinks(f, 300, 15, 100).links.empty());
}

}  // namespace
