// Changing search parameters: clamping of the raw value, emptying of the result store when a
// stored value changes, and the default number of transfers that keeps the results.

#include <gtest/gtest.h>

#include <functional>

#include "engine/data/EngineException.h"
#include "engine/search/results/ParameterSetters.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

const std::int16_t kDay = day(5, 1, 2027);

class ParameterSetters : public ::testing::Test {
protected:
    TestSet s{{loadFixture("search-city"), loadFixture("search-region")}};

    std::int32_t storeOne() {
        s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false);
        return s.search();
    }
};

TEST_F(ParameterSetters, ValuesAreClampedBeforeNarrowing) {
    using Setter = std::function<void(cSestava&, std::int32_t)>;
    using Getter = std::function<std::int32_t(const cParametryHledaniRadu&)>;
    const struct {
        const char* name;
        Setter set;
        Getter get;
        std::int32_t given, stored;
    } cases[] = {
        {"standard 30", [](cSestava& c, std::int32_t v) { setStandardMinutes(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.standardMinutes; }, 30, 60},
        {"standard 10000", [](cSestava& c, std::int32_t v) { setStandardMinutes(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.standardMinutes; }, 10000, 7200},
        {"maximum 59", [](cSestava& c, std::int32_t v) { setMaximumMinutes(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.maximumMinutes; }, 59, 60},
        {"results 0", [](cSestava& c, std::int32_t v) { setMaxResultConnections(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.maxResultConnections; }, 0, 1},
        {"results 51", [](cSestava& c, std::int32_t v) { setMaxResultConnections(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.maxResultConnections; }, 51, 50},
        {"minimum transfer 300", [](cSestava& c, std::int32_t v) { setMinimumTransfer(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.minimumTransfer; }, 300, 240},
        {"minimum transfer -5", [](cSestava& c, std::int32_t v) { setMinimumTransfer(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.minimumTransfer; }, -5, 0},
        {"safe transfer 256", [](cSestava& c, std::int32_t v) { setSafeTransfer(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.safeTransfer; }, 256, 240},
        {"penalty 61", [](cSestava& c, std::int32_t v) { setTransferPenalty(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.transferPenalty; }, 61, 60},
        {"transfers 25", [](cSestava& c, std::int32_t v) { setDefaultTransfers(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.defaultTransfers; }, 25, 20},
        {"transfers -1", [](cSestava& c, std::int32_t v) { setDefaultTransfers(c, 0, v); },
         [](const cParametryHledaniRadu& r) { return r.defaultTransfers; }, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.set(s.set(), c.given);
        EXPECT_EQ(c.get(s.set().parameters().record(0)), c.stored);
    }
}

TEST_F(ParameterSetters, AChangeEmptiesTheStoreAndTheSameValueKeepsIt) {
    const std::int32_t id = storeOne();
    ASSERT_GE(id, 0);
    const std::int32_t standard = s.set().parameters().record(0).standardMinutes;
    setStandardMinutes(s.set(), 0, standard);
    EXPECT_NE(s.result(id), nullptr);
    setStandardMinutes(s.set(), 0, 30);
    EXPECT_EQ(s.result(id), nullptr);
    setLaterRequest(s.set(), id);
    EXPECT_EQ(s.search(), kSearchResultGone);

    // 30 is stored as 60: giving 30 again changes nothing.
    const std::int32_t again = storeOne();
    setStandardMinutes(s.set(), 0, 30);
    EXPECT_NE(s.result(again), nullptr);

    const struct {
        const char* name;
        std::function<void(cSestava&)> change;
    } changes[] = {
        {"results", [](cSestava& c) { setMaxResultConnections(c, 1, 3); }},
        {"maximum", [](cSestava& c) { setMaximumMinutes(c, 1, 700); }},
        {"minimum transfer", [](cSestava& c) { setMinimumTransfer(c, 0, 7); }},
        {"safe transfer", [](cSestava& c) { setSafeTransfer(c, 1, 9); }},
        {"penalty", [](cSestava& c) { setTransferPenalty(c, 0, 1); }},
        {"via", [](cSestava& c) { setTransferRequiredAtVia(c, 0, 1); }},
        {"line kind", [](cSestava& c) { setMayUseLineKind(c, 0, 0, 0); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        resultStoreOf(s.set()).clear();
        const std::int32_t kept = storeOne();
        ASSERT_GE(kept, 0);
        c.change(s.set());
        EXPECT_EQ(s.result(kept), nullptr);
    }
}

TEST_F(ParameterSetters, DefaultTransfersKeepTheResultsAndRaiseTheSetDefault) {
    const std::int32_t id = storeOne();
    ASSERT_GE(id, 0);
    setDefaultTransfers(s.set(), 1, 25);
    EXPECT_EQ(s.set().parameters().setDefaultTransfers(), 20);
    EXPECT_NE(s.result(id), nullptr);
    setDefaultTransfers(s.set(), 1, 1);
    EXPECT_EQ(s.set().parameters().setDefaultTransfers(), 3);  // the city file's own
}

TEST_F(ParameterSetters, IndexesOutsideTheSetAreRefused) {
    EXPECT_THROW(setStandardMinutes(s.set(), 2, 100), EngineException);
    EXPECT_THROW(setMayUseLineKind(s.set(), 0, 99, 0), EngineException);
}

TEST_F(ParameterSetters, ALineKindThatMayNotBeUsedIsNotSearched) {
    setMayUseLineKind(s.set(), 0, 0, 0);
    s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false);
    EXPECT_EQ(s.search(), kSearchNothingFound);
}

}  // namespace
}  // namespace trasovnik::testing
