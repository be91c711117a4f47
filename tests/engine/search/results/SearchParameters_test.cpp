// Search parameters of a set: refreshed from each file's defaults, set-wide values derived
// from the files, the "SC" marking and the line kinds the search may use.

#include <gtest/gtest.h>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/results/SearchParameters.h"
#include "tests/engine/data/SetTestFiles.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

// setFile's trips: 0 is a bus trip carrying "SC", 1 a train trip with another note.
std::unique_ptr<cJizdniRad> loadDoc(const nlohmann::json& doc) {
    LoadObserver quiet;
    auto jr = loadTimetableBytes(jz::compileTimetable(doc), quiet);
    EXPECT_TRUE(jr);
    return jr;
}

nlohmann::json withDefaults(nlohmann::json doc, const nlohmann::json& defaults) {
    doc["searchDefaults"] = defaults;
    return doc;
}

TEST(SearchParameters, RefreshCopiesTheFileDefaultsAndClearsTheFlagWords) {
    auto jr = loadDoc(withDefaults(setFile("Alfa", 1), nlohmann::json::parse(R"({
        "standardWindow": 120, "maxWindow": 360, "minTransfer": 1, "safeTransfer": 3,
        "transferPenalty": 4, "transfers": 2, "walkingPace": 13, "walkingLimit": 8,
        "transferRequiredAtVia": true, "furtherValue1": 77 })")));
    cParametryHledani p({jr.get()});
    ASSERT_EQ(p.count(), 1u);
    const cParametryHledaniRadu& r = p.record(0);
    EXPECT_EQ(r.maxResultConnections, 8);
    EXPECT_EQ(r.standardMinutes, 120);
    EXPECT_EQ(r.maximumMinutes, 360);
    EXPECT_EQ(r.minimumTransfer, 1);
    EXPECT_EQ(r.safeTransfer, 3);
    EXPECT_EQ(r.transferPenalty, 4);
    EXPECT_EQ(r.transferRequiredAtVia, 1);
    EXPECT_EQ(r.useScMarking, 0);
    EXPECT_EQ(r.defaultTransfers, 2);
    EXPECT_EQ(r.walkingPace, 13);
    EXPECT_EQ(r.walkingLimit, 8);
    EXPECT_EQ(r.mayUseLineKind, (std::vector<std::uint8_t>{1, 1}));
    EXPECT_EQ(r.tripFlags, (std::vector<std::uint32_t>{kTripUsable, kTripUsable}));
    EXPECT_EQ(r.stopFlags, (std::vector<std::uint32_t>{0, 0}));
    EXPECT_THROW(p.record(1), EngineException);
}

TEST(SearchParameters, FileDefaultsAreHeldToTheRangesOfTheSetters) {
    const struct {
        const char* key;
        long long value;
        int want;
        int cParametryHledaniRadu::* field32;
        std::uint8_t cParametryHledaniRadu::* field8;
    } cases[] = {
        {"standardWindow", 2000000000, 7200, &cParametryHledaniRadu::standardMinutes, nullptr},
        {"standardWindow", -5, 60, &cParametryHledaniRadu::standardMinutes, nullptr},
        {"standardWindow", 30, 60, &cParametryHledaniRadu::standardMinutes, nullptr},
        {"maxWindow", 2000000000, 7200, &cParametryHledaniRadu::maximumMinutes, nullptr},
        {"maxWindow", 0, 60, &cParametryHledaniRadu::maximumMinutes, nullptr},
        {"transfers", 99, 20, &cParametryHledaniRadu::defaultTransfers, nullptr},
        {"transfers", -1, 0, &cParametryHledaniRadu::defaultTransfers, nullptr},
        {"walkingPace", 0, 1, &cParametryHledaniRadu::walkingPace, nullptr},
        {"walkingPace", -7, 1, &cParametryHledaniRadu::walkingPace, nullptr},
        {"walkingPace", 2000000000, 255, &cParametryHledaniRadu::walkingPace, nullptr},
        {"walkingLimit", -3, 0, &cParametryHledaniRadu::walkingLimit, nullptr},
        {"walkingLimit", 100000, 255, &cParametryHledaniRadu::walkingLimit, nullptr},
        {"minTransfer", 255, 240, nullptr, &cParametryHledaniRadu::minimumTransfer},
        {"safeTransfer", 241, 240, nullptr, &cParametryHledaniRadu::safeTransfer},
        {"transferPenalty", 200, 60, nullptr, &cParametryHledaniRadu::transferPenalty},
        {"transferPenalty", 60, 60, nullptr, &cParametryHledaniRadu::transferPenalty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + std::to_string(c.value));
        auto jr = loadDoc(withDefaults(setFile("Alfa", 1), {{c.key, c.value}}));
        cParametryHledani p({jr.get()});
        const cParametryHledaniRadu& r = p.record(0);
        EXPECT_EQ(c.field32 != nullptr ? r.*c.field32 : int{r.*c.field8}, c.want);
        EXPECT_LE(p.maximumWindow(), 7200);
        EXPECT_GE(p.standardWindow(), 60);
    }
}

// The windows size the search's minute table: a file asking for two billion minutes is
// searched over the longest window the setters allow (five days), and finds its daily trip on
// each of them.
TEST(SearchParameters, AFileWithAHugeWindowIsSearchedOverTheLongestAllowedWindow) {
    TestSet s({compileDoc(withDefaults(
        setFile("Alfa", 1), {{"standardWindow", 2000000000}, {"maxWindow", 2000000000}}))});
    s.request(0, "X1", 0, "X2", hm(7, 0), day(5, 1, 2027), false);
    const std::int32_t id = s.search();
    ASSERT_GE(id, 0);
    EXPECT_EQ(s.result(id)->count(), 5);
}

TEST(SearchParameters, SetWideValuesComeFromAllFiles) {
    const struct {
        int standard1, max1, transfers1, standard2, max2, transfers2;
        int wantStandard, wantMax, wantTransfers;
    } cases[] = {
        {120, 360, 2, 240, 300, 5, 240, 360, 5},
        {120, 9000, 3, 60, 100, 1, 120, 7200, 3},  // capped at 7200
        {500, 100, 0, 200, 300, 0, 500, 500, 0},   // raised to the standard window
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard1);
        auto a = loadDoc(withDefaults(
            setFile("Alfa", 1),
            {{"standardWindow", c.standard1}, {"maxWindow", c.max1}, {"transfers", c.transfers1}}));
        auto b = loadDoc(withDefaults(
            setFile("Beta", 2),
            {{"standardWindow", c.standard2}, {"maxWindow", c.max2}, {"transfers", c.transfers2}}));
        cParametryHledani p({a.get(), b.get()});
        EXPECT_EQ(p.standardWindow(), c.wantStandard);
        EXPECT_EQ(p.maximumWindow(), c.wantMax);
        EXPECT_EQ(p.setDefaultTransfers(), c.wantTransfers);
        EXPECT_EQ(p.wantedConnections(), 8);
        p.record(1).maxResultConnections = 5;
        p.prepare();
        EXPECT_EQ(p.wantedConnections(), 5);
    }
}

TEST(SearchParameters, TheScMarkingNeedsFlagAAndTheFileDefault) {
    const struct {
        bool flagA, useSc, scNote;
        std::uint32_t trip0;
    } cases[] = {
        {true, true, true, kTripUsable | kTripScNote},
        {false, true, true, kTripUsable},
        {true, false, true, kTripUsable},
        {true, true, false, kTripUsable},  // no note marked "SC"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.flagA) + std::to_string(c.useSc) + std::to_string(c.scNote));
        nlohmann::json doc = setFile("Alfa", 1);
        doc["header"]["flagA"] = c.flagA;
        doc["searchDefaults"]["useScMarking"] = c.useSc;
        if (!c.scNote) {
            doc["notes"][0]["mark"] = "SCX";
        }
        auto jr = loadDoc(doc);
        cParametryHledani p({jr.get()});
        EXPECT_EQ(p.record(0).useScMarking, c.useSc ? 1 : 0);
        EXPECT_EQ(p.record(0).tripFlags, (std::vector<std::uint32_t>{c.trip0, kTripUsable}));
    }
}

TEST(SearchParameters, TripsOfLineKindsThatMayNotBeUsedAreLeftOutUntilTheNextRefresh) {
    auto jr = loadDoc(setFile("Alfa", 1));
    cParametryHledani p({jr.get()});
    p.record(0).mayUseLineKind[1] = 0;  // trains
    p.prepare();
    EXPECT_EQ(p.record(0).tripFlags, (std::vector<std::uint32_t>{kTripUsable, 0}));
    p.record(0).mayUseLineKind[1] = 1;
    p.record(0).mayUseLineKind[0] = 0;  // buses
    p.record(0).stopFlags[1] = kStopRequestBits;
    p.prepare();
    EXPECT_EQ(p.record(0).tripFlags, (std::vector<std::uint32_t>{0, kTripUsable}));
    p.refresh();
    EXPECT_EQ(p.record(0).mayUseLineKind, (std::vector<std::uint8_t>{1, 1}));
    EXPECT_EQ(p.record(0).tripFlags, (std::vector<std::uint32_t>{kTripUsable, kTripUsable}));
    EXPECT_EQ(p.record(0).stopFlags, (std::vector<std::uint32_t>{0, 0}));
}

// The trips' bits are kept from one preparation to the next; a change of the "SC" marking
// must still clear or set them.
TEST(SearchParameters, TurningTheScMarkingOffAndOnAgainFollowsIt) {
    nlohmann::json doc = setFile("Alfa", 1);
    doc["header"]["flagA"] = true;
    doc["searchDefaults"]["useScMarking"] = true;
    auto jr = loadDoc(doc);
    cParametryHledani p({jr.get()});
    p.prepare();
    EXPECT_EQ(p.record(0).tripFlags[0], kTripUsable | kTripScNote);
    p.record(0).useScMarking = 0;
    p.prepare();
    EXPECT_EQ(p.record(0).tripFlags[0], kTripUsable);
    p.record(0).useScMarking = 1;
    p.record(0).mayUseLineKind[0] = 0;
    p.prepare();
    EXPECT_EQ(p.record(0).tripFlags[0], kTripScNote);
}

}  // namespace
}  // namespace trasovnik::testing
