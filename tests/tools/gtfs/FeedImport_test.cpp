// Importing whole feeds: the small fixture feed loads into the model that the expected text
// describes (the dump tool's text), and faulty feeds are refused with a message that names
// the file and line, leaving no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "tests/tools/gtfs/FeedTestKit.h"
#include "tools/jzdump/TimetableDump.h"

namespace {

using gtfstest::readText;
using gtfstest::ScratchFeed;
using gtfstest::writeText;

TEST(FeedImport, SmallFeedLoadsAsTheExpectedTimetable) {
    ScratchFeed scratch("small");
    std::string messages;
    ASSERT_EQ(scratch.import(messages), 0) << messages;
    // The one character Windows-1250 lacks is reported, with where it was first seen.
    EXPECT_NE(messages.find("transliterated \"\xC3\x98\" as \"O\" 2 times, first in routes.txt "
                            "route \"T1\""),
              std::string::npos)
        << messages;

    trasovnik::LoadObserver quiet;
    auto jr = trasovnik::loadTimetableFile(scratch.output(), quiet);
    ASSERT_NE(jr, nullptr);
    const std::string expected =
        readText(std::string(TRASA_SOURCE_DIR) + "/tests/tools/gtfs/golden/small.txt");
    ASSERT_FALSE(expected.empty());
    std::istringstream a(jzdump::dumpTimetable(*jr)), e(expected);
    std::string al, el;
    int line = 1;
    while (std::getline(e, el)) {
        ASSERT_TRUE(std::getline(a, al)) << "dump ends before line " << line << ": " << el;
        ASSERT_EQ(al, el) << "line " << line;
        ++line;
    }
    EXPECT_FALSE(std::getline(a, al)) << "dump has more lines from " << line << ": " << al;
}

// Replaces the whole text of one file of the feed, or removes it (text "-"), or puts a folder
// in its place (text "<folder>").
struct BadFeed {
    const char* name;
    const char* file;
    std::string text;
    const char* message;  // a part of the error message
};

void PrintTo(const BadFeed& c, std::ostream* os) {
    *os << c.name;
}

std::string stopTimesWith(const std::string& rows) {
    return "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n" + rows;
}

class BadFeeds : public ::testing::TestWithParam<BadFeed> {};

TEST_P(BadFeeds, AreRefusedNamingFileAndLineWithoutOutput) {
    const BadFeed& c = GetParam();
    ScratchFeed scratch("small");
    if (c.text == "-") {
        std::filesystem::remove(scratch.file(c.file));
    } else if (c.text == "<folder>") {
        std::filesystem::remove(scratch.file(c.file));
        std::filesystem::create_directory(scratch.file(c.file));
    } else {
        writeText(scratch.file(c.file), c.text);
    }
    std::string messages;
    EXPECT_EQ(scratch.import(messages), 1);
    EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(scratch.output()));
    EXPECT_FALSE(std::filesystem::exists(scratch.output() + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Feeds, BadFeeds,
    ::testing::Values(
        BadFeed{"MissingStops", "stops.txt", "-", "stops.txt: required file is missing"},
        BadFeed{"MissingColumn", "stop_times.txt",
                "trip_id,arrival_time,departure_time,stop_id\nT1_0600,06:00:00,06:00:00,SID\n",
                "stop_times.txt: line 1: missing column stop_sequence"},
        BadFeed{"UnknownStop", "stop_times.txt",
                stopTimesWith("T1_0600,06:00:00,06:00:00,SID,1\n"
                              "T1_0600,06:04:00,06:05:00,NOPE,2\n"),
                "stop_times.txt: line 3: unknown stop_id \"NOPE\""},
        BadFeed{"StationInStopTimes", "stop_times.txt",
                stopTimesWith("T1_0600,06:00:00,06:00:00,NADR,1\n"),
                "stop_times.txt: line 2: stop_id \"NADR\" is a station"},
        BadFeed{"UnsortedSequence", "stop_times.txt",
                stopTimesWith("T1_0600,06:00:00,06:00:00,SID,2\n"
                              "T1_0700,07:00:00,07:00:00,SID,1\n"
                              "T1_0600,06:04:00,06:05:00,NAM,1\n"),
                "stop_times.txt: line 4: stop_sequence 1 of trip \"T1_0600\" does not follow 2"},
        BadFeed{"TimesGoBackwards", "stop_times.txt",
                stopTimesWith("T1_0600,06:00:00,06:10:00,SID,1\n"
                              "T1_0600,06:05:00,06:05:00,NAM,2\n"),
                "stop_times.txt: line 3: times of trip \"T1_0600\" go backwards"},
        BadFeed{"DepartureBeforeArrival", "stop_times.txt",
                stopTimesWith("T1_0600,06:10:00,06:05:00,SID,1\n"),
                "stop_times.txt: line 2: times of trip \"T1_0600\" go backwards"},
        BadFeed{"MalformedTime", "stop_times.txt", stopTimesWith("T1_0600,6h00,6h00,SID,1\n"),
                "stop_times.txt: line 2: expected times H:MM:SS"},
        BadFeed{"FirstStopUntimed", "stop_times.txt",
                stopTimesWith("T1_0600,,,SID,1\nT1_0600,06:04:00,06:05:00,NAM,2\n"),
                "stop_times.txt: line 2: the first stop of trip \"T1_0600\" has no "
                "arrival_time or departure_time"},
        BadFeed{"LastStopUntimed", "stop_times.txt",
                stopTimesWith("T1_0600,06:00:00,06:00:00,SID,1\nT1_0700,07:00:00,07:00:00,SID,1\n"
                              "T1_0600,,,NAM,2\nT1_0700,07:04:00,07:04:00,NAM,2\n"),
                "stop_times.txt: line 4: the last stop of trip \"T1_0600\" has no "
                "arrival_time or departure_time"},
        BadFeed{"BackwardsAcrossAnUntimedStop", "stop_times.txt",
                stopTimesWith("T1_0600,06:10:00,06:10:00,SID,1\nT1_0600,,,NAM,2\n"
                              "T1_0600,06:05:00,06:05:00,ORST,3\n"),
                "stop_times.txt: line 4: times of trip \"T1_0600\" go backwards"},
        BadFeed{"UnquotedComma", "stops.txt",
                "stop_id,stop_name,stop_lat,stop_lon\nSID,Sídliště, Jih,49.49,15.49\n",
                "stops.txt: line 2: has 5 fields, the header has 4"},
        BadFeed{"QuoteNeverClosed", "stops.txt",
                "stop_id,stop_name\nSID,Sídliště\nNAM,\"Náměstí,\nmore\n",
                "stops.txt: line 3: a quoted field is never closed"},
        // The line break inside the quoted head sign on lines 6-7 counts: the bad row is line 9.
        BadFeed{"LineAfterQuotedLineBreak", "trips.txt",
                "route_id,service_id,trip_id,trip_headsign\n"
                "T1,PRAC,T1_0600,a\nT1,PRAC,T1_0700,b\nT1,VIK,T1_0800_back,c\n"
                "B2,PRAC,B2_0630,d\nB2,SVATEK,B2_1000,\"U Lípy,\njede jen 1. ledna\"\n"
                "B51,VIK,B51_2350,e\nB51,NOCAL,B51_2410,f\n",
                "trips.txt: line 9: unknown service_id \"NOCAL\""},
        BadFeed{"UnknownRoute", "trips.txt", "route_id,service_id,trip_id\nX9,PRAC,T1_0600\n",
                "trips.txt: line 2: unknown route_id \"X9\""},
        BadFeed{"BadCalendarDate", "calendar_dates.txt",
                "service_id,date,exception_type\nPRAC,20261332,2\n",
                "calendar_dates.txt: line 2: date: expected a date YYYYMMDD"},
        BadFeed{"BadExceptionType", "calendar_dates.txt",
                "service_id,date,exception_type\nPRAC,20261224,3\n",
                "calendar_dates.txt: line 2: exception_type: expected 1 or 2"},
        BadFeed{"CalendarEndsBeforeStart", "calendar.txt",
                "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,start_"
                "date,end_date\nPRAC,1,1,1,1,1,0,0,20270131,20261201\n",
                "calendar.txt: line 2: end_date lies before start_date"},
        BadFeed{"UnknownParentStation", "stops.txt",
                "stop_id,stop_name,location_type,parent_station\nSID,Sídliště,0,NOWHERE\n",
                "stops.txt: line 2: unknown parent_station \"NOWHERE\""},
        BadFeed{"UnknownTransferStop", "transfers.txt",
                "from_stop_id,to_stop_id,transfer_type,min_transfer_time\nNAM,GONE,2,60\n",
                "transfers.txt: line 2: unknown to_stop_id \"GONE\""},
        BadFeed{
            "TripTooLong", "stop_times.txt",
            stopTimesWith("T1_0600,06:00:00,06:00:00,SID,1\nT1_0600,600:00:00,600:00:00,NAM,2\n"),
            "trip \"T1_0600\" runs longer than the limit of 32767 minutes"},
        BadFeed{"DistanceStepTooLong", "stop_times.txt",
                "trip_id,arrival_time,departure_time,stop_id,stop_sequence,shape_dist_traveled\n"
                "T1_0600,06:00:00,06:00:00,SID,1,0\nT1_0600,07:00:00,07:00:00,NAM,2,1e12\n",
                "trip \"T1_0600\": the distance between two stops exceeds the limit"},
        BadFeed{"NoStopTimes", "stop_times.txt", stopTimesWith(""),
                "stop_times.txt: the feed has no trips with stop times"},
        BadFeed{"EmptyFile", "routes.txt", "", "routes.txt: line 1: the file is empty"},
        BadFeed{"FolderInPlaceOfAFile", "stops.txt", "<folder>", "stops.txt: not a file"},
        BadFeed{"ColumnNamedTwice", "stops.txt",
                "stop_id,stop_name,stop_id\nSID,Jih,SID2\n",
                "stops.txt: line 1: column stop_id named twice"},
        BadFeed{"FieldOverTheLimit", "stops.txt",
                "stop_id,stop_name\nSID," + std::string(70000, 'S') + "\n",
                "stops.txt: line 2: a field longer than 65536 bytes"},
        BadFeed{"RouteTypeBeyond32Bits", "routes.txt",
                "route_id,route_short_name,route_type\nT1,1,4294967299\n",
                "routes.txt: line 2: route_type: expected a whole number from 0 to 1799, got "
                "\"4294967299\""},
        BadFeed{"NegativeRouteType", "routes.txt", "route_id,route_short_name,route_type\nT1,1,-5\n",
                "routes.txt: line 2: route_type: expected a whole number from 0 to 1799, got "
                "\"-5\""},
        BadFeed{"LocationTypeBeyond32Bits", "stops.txt",
                "stop_id,stop_name,location_type\nSID,Jih,4294967296\n",
                "stops.txt: line 2: location_type: expected a whole number from 0 to 4"},
        BadFeed{"PickupTypeOutOfRange", "stop_times.txt",
                "trip_id,arrival_time,departure_time,stop_id,stop_sequence,pickup_type\n"
                "T1_0600,06:00:00,06:00:00,SID,1,99999999999999\n",
                "stop_times.txt: line 2: pickup_type: expected a whole number from 0 to 3"},
        BadFeed{"MinTransferTimeOfTheLargestInt", "transfers.txt",
                "from_stop_id,to_stop_id,transfer_type,min_transfer_time\nNAM,NADR,2,2147483647\n",
                "transfers.txt: line 2: min_transfer_time: expected a whole number from 0 to "
                "86400"},
        BadFeed{"MinTransferTimeBeyond32Bits", "transfers.txt",
                "from_stop_id,to_stop_id,transfer_type,min_transfer_time\nNAM,NADR,2,4294967296\n",
                "transfers.txt: line 2: min_transfer_time: expected a whole number from 0 to "
                "86400"},
        BadFeed{"NegativeMinTransferTime", "transfers.txt",
                "from_stop_id,to_stop_id,transfer_type,min_transfer_time\nNAM,NADR,2,-60\n",
                "transfers.txt: line 2: min_transfer_time: expected a whole number from 0 to "
                "86400"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FeedImport, CalendarDatesAloneAreEnoughButNoCalendarIsRefused) {
    {
        ScratchFeed scratch("small");
        // Only calendar_dates.txt: every service runs on its added dates.
        std::filesystem::remove(scratch.file("calendar.txt"));
        writeText(scratch.file("calendar_dates.txt"),
                  "service_id,date,exception_type\nPRAC,20261201,1\nVIK,20261205,1\n"
                  "SVATEK,20270101,1\n");
        std::string messages;
        ASSERT_EQ(scratch.import(messages), 0) << messages;
        trasovnik::LoadObserver quiet;
        auto jr = trasovnik::loadTimetableFile(scratch.output(), quiet);
        const std::string dump = jzdump::dumpTimetable(*jr);
        EXPECT_NE(dump.find("[0] \"\" runs 8370 (1 days)"), std::string::npos) << dump;
    }
    ScratchFeed scratch("small");
    std::filesystem::remove(scratch.file("calendar.txt"));
    std::filesystem::remove(scratch.file("calendar_dates.txt"));
    std::string messages;
    EXPECT_EQ(scratch.import(messages), 1);
    EXPECT_NE(messages.find("calendar.txt: required file is missing"), std::string::npos)
        << messages;
    EXPECT_FALSE(std::filesystem::exists(scratch.output()));
}

TEST(FeedImport, AFailedImportLeavesAnExistingOutputAlone) {
    ScratchFeed scratch("small");
    writeText(scratch.output(), "previous");
    std::filesystem::remove(scratch.file("trips.txt"));
    std::string messages;
    EXPECT_EQ(scratch.import(messages), 1);
    EXPECT_EQ(readText(scratch.output()), "previous");
}

TEST(FeedImport, CommandLineMistakesAreUsageErrors) {
    ScratchFeed scratch("small");
    for (std::vector<std::string> args :
         {std::vector<std::string>{scratch.feed()},
          {"-o", scratch.output()},
          {scratch.feed(), "-o", scratch.output(), "--walk-radius", "far"},
          {scratch.feed(), "-o", scratch.output(), "--walk-radius", "-5"},
          {scratch.feed(), "-o", scratch.output(), "--unknown"}}) {
        std::ostringstream err;
        EXPECT_EQ(gtfs2jz::runImporter(args, err), 2) << err.str();
        EXPECT_FALSE(std::filesystem::exists(scratch.output()));
    }
}

TEST(FeedImport, WalkRadiusZeroKeepsOnlyTheTransfers) {
    ScratchFeed scratch("small");
    std::string messages;
    ASSERT_EQ(scratch.import(messages, {"--walk-radius", "0"}), 0) << messages;
    trasovnik::LoadObserver quiet;
    auto jr = trasovnik::loadTimetableFile(scratch.output(), quiet);
    const std::string dump = jzdump::dumpTimetable(*jr);
    // The two platforms of the station lie 23 m apart: no link without a radius; the
    // transfers from the station to the square stay.
    EXPECT_EQ(dump.find("walk to 1 1 min"), std::string::npos) << dump;
    EXPECT_NE(dump.find("walk to 2 4 min"), std::string::npos) << dump;
}

TEST(FeedImport, StopsWithoutTimesGetTimesBetweenTheirNeighbours) {
    ScratchFeed scratch("small");
    std::string text = readText(scratch.file("stop_times.txt"));
    for (const char* row : {"T1_0600,06:04:00,06:05:00,NADR_A", "T1_0600,06:08:00,06:08:30,NAM"}) {
        std::size_t at = text.find(row);
        ASSERT_NE(at, std::string::npos);
        std::string id = std::string(row).substr(std::string(row).rfind(',') + 1);
        text.replace(at, std::string(row).size(), "T1_0600,,," + id);
    }
    writeText(scratch.file("stop_times.txt"), text);
    std::string messages;
    ASSERT_EQ(scratch.import(messages), 0) << messages;
    EXPECT_NE(messages.find("interpolated the times of 2 stop times"), std::string::npos)
        << messages;
    trasovnik::LoadObserver quiet;
    const std::string dump =
        jzdump::dumpTimetable(*trasovnik::loadTimetableFile(scratch.output(), quiet));
    // 6:00 to 6:13 over three steps: 6:04:20 and 6:08:40, whole minutes rounded down.
    const std::string trip0 = dump.substr(dump.find("  trip 0 "), 400);
    EXPECT_NE(trip0.find("1 \"N\xC3\xA1"
                         "dra\xC5\xBE\xC3\xAD\" 6:04 6:04 board alight m 1200"),
              std::string::npos)
        << trip0;
    EXPECT_NE(trip0.find("2 \"N\xC3\xA1m\xC4\x9Bst\xC3\xAD\" 6:08 6:08 board alight m 2000"),
              std::string::npos)
        << trip0;
}

}  // namespace
