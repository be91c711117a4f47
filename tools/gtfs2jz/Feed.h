#pragma once
// A feed as the loader reads it: the rows the importer uses, with ids resolved to indexes.
// Texts are still UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gtfs2jz {

struct FeedStop {
    std::string id;
    std::string name;
    int locationType = 0;
    std::string parentId;
    bool hasPosition = false;
    double lat = 0;
    double lon = 0;
    std::size_t line = 0;
};

struct FeedRoute {
    std::string id;
    std::string shortName;
    std::string longName;
    int type = 3;
    std::string color;  // "RRGGBB" or empty
};

struct FeedService {
    std::string id;
    bool hasWeekdays = false;
    std::array<bool, 7> weekdays{};  // Monday first
    int start = 0;                   // days since 1970-01-01
    int end = 0;
    std::vector<int> added;
    std::vector<int> removed;
};

struct FeedTrip {
    std::string id;
    std::uint32_t route = 0;
    std::uint32_t service = 0;
    std::uint32_t firstStopTime = 0;  // into Feed::stopTimes, after the trip's rows are grouped
    std::uint32_t stopTimeCount = 0;
};

struct FeedStopTime {
    std::uint32_t stop = 0;  // into Feed::stops
    int arr = 0;             // minutes after midnight of the service day
    int dep = 0;
    bool board = true;
    bool alight = true;
    double dist = -1;  // shape_dist_traveled; negative when not given
};

struct FeedTransfer {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    int type = 0;
    int minSeconds = -1;
};

struct Feed {
    std::vector<std::string> agencyNames;
    std::string publisherName;
    bool hasFeedDates = false;
    int feedStart = 0;
    int feedEnd = 0;
    std::vector<FeedStop> stops;
    std::vector<FeedRoute> routes;
    std::vector<FeedService> services;
    std::vector<FeedTrip> trips;
    std::vector<FeedStopTime> stopTimes;  // grouped by trip, in stop_sequence order
    std::vector<FeedTransfer> transfers;
    std::size_t interpolatedStopTimes = 0;  // stops without times, given times between others
};

}  // namespace gtfs2jz
