#include "engine/data/TimetableFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"

namespace trasovnik {
namespace {

using testing::compileAltered;
using testing::RecordingObserver;
using testing::smallDescription;

EngineCode loadFailure(std::vector<std::uint8_t> bytes, RecordingObserver& observer) {
    try {
        loadTimetableBytes(std::move(bytes), observer);
    } catch (const EngineException& e) {
        return e.code();
    }
    ADD_FAILURE() << "the load did not fail";
    return ENGINE_EXC_BAD_ARGUMENT;
}

TEST(TimetableLoad, ReportsEveryStageAndEndsAt100) {
    RecordingObserver observer;
    auto jr = loadTimetableBytes(compileAltered(smallDescription()), observer);
    ASSERT_NE(jr, nullptr);
    EXPECT_EQ(observer.seen, (std::vector<int>{0, 10, 20, 30, 40, 43, 46, 50, 55, 65, 70, 75, 80,
                                               85, 90, 95, 100}));
    EXPECT_EQ(jr->trips.tripCount(), 2u);
    EXPECT_EQ(jr->passages.passageCount(1), 2u);
    EXPECT_EQ(jr->routes, nullptr) << "line routes are built for city files only";
}

TEST(TimetableLoad, CancelDuringTripsStopsBeforePassagesWithout100) {
    for (int at : {43, 50, 55}) {
        RecordingObserver observer;
        observer.cancelAt = at;
        cJizdniRad jr;
        TimetableFileReader reader;
        reader.openBytes(compileAltered(smallDescription()), "t");
        EXPECT_FALSE(nactiJizdniRad(jr, reader, observer)) << at;
        EXPECT_EQ(observer.seen.back(), 55) << at;
        EXPECT_EQ(jr.passages.rowCount(), 0u) << at;
        // The trips section stops after its first trip.
        EXPECT_EQ(jr.trips.tripCount(), 1u) << at;
    }
}

TEST(TimetableLoad, CancelBetweenSectionsStopsBeforeTheNextOne) {
    RecordingObserver observer;
    observer.cancelAt = 20;
    auto jr = loadTimetableBytes(compileAltered(smallDescription()), observer);
    EXPECT_EQ(jr, nullptr);
    EXPECT_EQ(observer.seen, (std::vector<int>{0, 10, 20}));
}

TEST(TimetableLoad, CancelDuringPassagesStopsWithout100) {
    RecordingObserver observer;
    observer.cancelAt = 70;
    auto jr = loadTimetableBytes(compileAltered(smallDescription()), observer);
    EXPECT_EQ(jr, nullptr);
    // With two trips, 70, 75 and 80 follow the first one; the flag is asked before the second.
    EXPECT_EQ(std::vector<int>(observer.seen.end() - 4, observer.seen.end()),
              (std::vector<int>{65, 70, 75, 80}));
}

TEST(TimetableLoad, ContainerChecksComeBeforeAnyProgress) {
    struct Case {
        int byte;  // index of the header byte to change
        std::uint8_t value;
        EngineCode code;
    };
    const Case cases[] = {
        {0, 0x26, ENGINE_EXC_BAD_MAGIC},  // magic 0x26BC86AA
        {3, 0xAB, ENGINE_EXC_BAD_MAGIC},  // lowest bit of the magic
        {7, 5, ENGINE_EXC_TOO_NEW},       // major version 5
        {7, 2, ENGINE_EXC_TOO_OLD},       // major version 2
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = compileAltered(smallDescription());
        bytes[static_cast<std::size_t>(c.byte)] = c.value;
        RecordingObserver observer;
        EXPECT_EQ(loadFailure(bytes, observer), c.code) << c.byte;
        EXPECT_TRUE(observer.seen.empty()) << c.byte;
    }
}

TEST(TimetableLoad, SearchDefaultsAndTicketsByVersion) {
    struct Case {
        const char* version;
        const char* kind;
        bool withWalking;
        int pace, limit;
        std::size_t tickets;
    };
    const Case cases[] = {
        {"4.0", "BUS", true, 12, 25, 1},
        {"3.3", "BUS", true, 12, 25, 1},
        {"3.2", "BUS", false, 15, 40, 0},
        {"3.2", "MHD", false, 15, 10, 0},
    };
    for (const Case& c : cases) {
        nlohmann::json doc = smallDescription();
        doc["version"] = c.version;
        doc["header"]["kind"] = c.kind;
        doc["searchDefaults"] = {{"standardWindow", 100}, {"maxWindow", 300},
                                 {"minTransfer", 2},      {"safeTransfer", 6},
                                 {"transferPenalty", 7},  {"furtherValue1", 70000},
                                 {"furtherValue2", 9},    {"transferRequiredAtVia", true},
                                 {"transfers", 4}};
        if (c.withWalking) {
            doc["searchDefaults"]["walkingPace"] = 12;
            doc["searchDefaults"]["walkingLimit"] = 25;
            doc["smsTickets"] = {{{"text1", "DP 30"},
                                  {"priceHundredths", 2450},
                                  {"text2", "90206"},
                                  {"text3", "Jízdenka"}}};
        }
        auto jr = testing::load(compileAltered(doc));
        const SearchDefaults& d = jr->defaults;
        EXPECT_EQ(d.standardWindow, 100);
        EXPECT_EQ(d.maximumWindow, 300);
        EXPECT_EQ(d.maxResultConnections, 8);
        EXPECT_EQ(d.minimumTransfer, 2);
        EXPECT_EQ(d.safeTransfer, 6);
        EXPECT_EQ(d.transferPenalty, 7);
        EXPECT_EQ(d.furtherValue1, 70000u);
        EXPECT_EQ(d.furtherValue2, 9u);
        EXPECT_TRUE(d.transferRequiredAtVia);
        EXPECT_FALSE(d.useScMarking);
        EXPECT_EQ(d.defaultTransfers, 4);
        EXPECT_EQ(d.walkingPace, c.pace) << c.version << " " << c.kind;
        EXPECT_EQ(d.walkingLimit, c.limit) << c.version << " " << c.kind;
        ASSERT_EQ(jr->smsTickets.count(), c.tickets) << c.version;
        if (c.tickets > 0) {
            const cSmsJizdenka& t = jr->smsTickets.at(0);
            EXPECT_EQ(jr->names.entryText(t.firstText), "DP 30");
            EXPECT_EQ(t.priceHundredths, 2450u);
            EXPECT_EQ(jr->names.entryText(t.secondText), "90206");
            EXPECT_EQ(jr->names.entryText(t.thirdText), "J\xEDzdenka");
        }
    }
}

TEST(TimetableLoad, FileOnDiskLoadsLikeItsBytes) {
    LoadObserver observer;
    auto jr = loadTimetableFile(std::string(TRASA_FIXTURE_DIR) + "/city_v40.jz", observer);
    ASSERT_NE(jr, nullptr);
    EXPECT_EQ(jr->header.cityFlag, 1);
    EXPECT_NE(jr->routes, nullptr);
    EXPECT_EQ(jr->smsTickets.count(), 2u);
    EXPECT_EQ(jr->defaults.walkingPace, 13);
    EXPECT_EQ(jr->defaults.walkingLimit, 8);
}

TEST(TimetableLoad, MissingFileFailsToOpen) {
    LoadObserver observer;
    try {
        loadTimetableFile(std::string(TRASA_FIXTURE_DIR) + "/no-such-file.jz", observer);
        ADD_FAILURE();
    } catch (const EngineException& e) {
        EXPECT_EQ(e.code(), ENGINE_EXC_OPEN);
    }
}

}  // namespace
}  // namespace trasovnik
