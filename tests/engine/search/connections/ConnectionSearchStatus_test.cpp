// Statuses of the search driver, the messages it sends to a window on another thread, and the
// result store: reuse of an equal request, the limit of 20 results, cancel and jump.

#include <gtest/gtest.h>

#include <functional>

#include "platform/core/MessageIds.h"
#include "tests/engine/EngineMessageWindow.h"
#include "tests/engine/search/SearchTestSet.h"

namespace trasovnik::testing {
namespace {

const std::int16_t kDay = day(5, 1, 2027);

using Received = EngineMessage;

class SearchStatus : public ::testing::Test {
protected:
    TestSet s{{loadFixture("search-city"), loadFixture("search-region")}};
};

TEST_F(SearchStatus, SetUpFailures) {
    struct Case {
        const char* what;
        std::function<void(TestSet&)> request;
        std::int32_t status;
    } cases[] = {
        {"From without candidates",
         [](TestSet& t) {
             cZadaniHledani r;
             r.to = t.place(0, "Dubina");
             r.minute = static_cast<std::int16_t>(hm(8, 0));
             r.day = kDay;
             r.maxTransfers = 3;
             setNewRequest(t.set(), std::move(r));
         },
         kSearchNoCandidates},
        {"no timetable valid on the day",
         [](TestSet& t) { t.request(0, "Adamov", 0, "Dubina", hm(8, 0), day(1, 3, 2027), false); },
         kSearchNoValidTimetable},
        {"From and To the same stop",
         [](TestSet& t) { t.request(0, "Dubina", 0, "Dubina", hm(8, 0), kDay, false); },
         kSearchOverlap},
        {"nothing runs from the stop",
         [](TestSet& t) { t.request(0, "Grunt", 0, "Adamov", hm(8, 0), kDay, false); },
         kSearchNothingFound},
        {"the only trip leaves after the standard window",
         [](TestSet& t) { t.request(0, "Adamov", 0, "Dubina", hm(12, 0), kDay, false); },
         kSearchNothingFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.request(s);
        EXPECT_EQ(s.search(), c.status);
        EXPECT_EQ(resultStoreOf(s.set()).size(), 0u);
    }
}

TEST_F(SearchStatus, ValidityOfAnArrivalSearchIsTakenMirrored) {
    // Arriving by 00:10 on the first valid day: the day exists, nothing arrives that early.
    s.request(0, "Adamov", 0, "Dubina", hm(0, 10), day(1, 1, 2027), true);
    EXPECT_EQ(s.search(), kSearchNothingFound);
    s.request(0, "Adamov", 0, "Dubina", hm(8, 0), day(1, 2, 2027), true);
    EXPECT_EQ(s.search(), kSearchNoValidTimetable);
}

TEST_F(SearchStatus, LaterRequestOnAResultNoLongerStored) {
    setLaterRequest(s.set(), 5);
    EXPECT_EQ(s.search(), kSearchResultGone);
    setEarlierRequest(s.set(), -1);
    EXPECT_EQ(s.search(), kSearchResultGone);
}

TEST_F(SearchStatus, OutOfMemoryDuringTheRunIsAStatusWithoutTheLastProgress) {
    EngineMessageWindow w;
    s.request(0, "Adamov", 0, "Erbenova", hm(7, 55), kDay, false);
    s.searcher.setPageLimit(2);
    EXPECT_EQ(s.searcher.hledejCestu(s.set(), 0, 0, w.window()), kSearchOutOfMemory);
    const auto got = w.received();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front().message, platform::WM_ENGINE_START);
    for (const Received& r : got) {
        EXPECT_FALSE(r.message == platform::WM_ENGINE_PROGRESS && r.wParam == 100);
    }
    EXPECT_EQ(resultStoreOf(s.set()).size(), 0u);
    // The next run has its pages again.
    s.searcher.setPageLimit(0xFFFFFFFFu);
    EXPECT_EQ(s.search(), 0);
}

TEST_F(SearchStatus, MessagesArriveOnTheWindowThreadStartFirstHundredLast) {
    EngineMessageWindow w;
    s.request(0, "Adamov", 1, "Sedlo", hm(7, 55), kDay, false);
    const std::int32_t id = s.searcher.hledejCestu(s.set(), 0, 0, w.window());
    ASSERT_EQ(id, 0);
    const auto got = w.received();
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front().message, platform::WM_ENGINE_START);
    EXPECT_EQ(got.front().wParam, 999999u);
    EXPECT_EQ(got.back().message, platform::WM_ENGINE_PROGRESS);
    EXPECT_EQ(got.back().wParam, 100u);
    int firstFound = 0;
    std::uintptr_t last = 0;
    for (std::size_t i = 1; i < got.size(); ++i) {
        EXPECT_EQ(got[i].thread, w.threadId());
        if (got[i].message == platform::WM_ENGINE_FIRST_FOUND) {
            ++firstFound;
            continue;
        }
        ASSERT_EQ(got[i].message, platform::WM_ENGINE_PROGRESS);
        EXPECT_GT(got[i].wParam, last) << "progress repeats or falls at message " << i;
        last = got[i].wParam;
    }
    EXPECT_EQ(firstFound, 1);

    // The same request again is answered from the store with one message.
    w.take();
    EXPECT_EQ(s.searcher.hledejCestu(s.set(), 0, 0, w.window()), id);
    const auto again = w.received();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].message, platform::WM_ENGINE_PROGRESS);
    EXPECT_EQ(again[0].wParam, 100u);
}

TEST_F(SearchStatus, CancelFromTheWindowEndsTheSearchWithTheLastProgressSent) {
    cHledani* searcher = &s.searcher;
    EngineMessageWindow w([searcher](const Received& r) {
        if (r.message == platform::WM_ENGINE_START) {
            searcher->cancel();
        }
    });
    s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false);
    EXPECT_EQ(s.searcher.hledejCestu(s.set(), 0, 0, w.window()), kSearchCancelled);
    const auto got = w.received();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back().message, platform::WM_ENGINE_PROGRESS);
    EXPECT_EQ(got.back().wParam, 100u);
    EXPECT_EQ(resultStoreOf(s.set()).size(), 0u);
    // A cancel belongs to one run only.
    EXPECT_EQ(s.search(), 0);
}

TEST_F(SearchStatus, JumpKeepsWhatWasFoundAndSuchAResultIsNotReused) {
    cHledani* searcher = &s.searcher;
    EngineMessageWindow w([searcher](const Received& r) {
        if (r.message == platform::WM_ENGINE_FIRST_FOUND) {
            searcher->jump();
        }
    });
    s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false);
    const std::int32_t jumped = s.searcher.hledejCestu(s.set(), 0, 0, w.window());
    ASSERT_EQ(jumped, 0);
    EXPECT_EQ(s.result(jumped)->count(), 1);
    // Without the jump the same request finds all three and is searched anew.
    const std::int32_t full = s.search();
    EXPECT_EQ(full, 1);
    EXPECT_EQ(s.result(full)->count(), 3);
    EXPECT_EQ(s.search(), full);
}

TEST_F(SearchStatus, JumpBeforeAnythingIsFoundDoesNothing) {
    s.request(0, "Adamov", 0, "Dubina", hm(7, 55), kDay, false);
    s.searcher.jump();  // cleared when the run starts
    const std::int32_t id = s.search();
    ASSERT_EQ(id, 0);
    EXPECT_EQ(s.result(id)->count(), 3);
}

TEST_F(SearchStatus, TheStoreKeepsTheNewestTwentyResults) {
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 21; ++i) {
        s.request(0, "Adamov", 0, "Dubina", hm(7, 0) + i, kDay, false);
        ids.push_back(s.search());
        ASSERT_EQ(ids.back(), i);
    }
    EXPECT_EQ(resultStoreOf(s.set()).size(), 20u);
    EXPECT_EQ(s.result(0), nullptr);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_NE(s.result(i), nullptr) << i;
    }
    setLaterRequest(s.set(), 0);
    EXPECT_EQ(s.search(), kSearchResultGone);
    // Emptying keeps the ids growing.
    resultStoreOf(s.set()).clear();
    s.request(0, "Adamov", 0, "Dubina", hm(7, 0), kDay, false);
    EXPECT_EQ(s.search(), 21);
}

TEST_F(SearchStatus, ArrivalSearchOfTodayDoesNotReachBackBeforeNow) {
    // Arrive at Dubina by 11:30; it is 10:50 now, so only connections from now on count: the
    // window shrinks to the 40 minutes between now and the arrival.
    s.request(0, "Adamov", 0, "Dubina", hm(11, 30), kDay, true);
    const std::int32_t id = s.search(hm(10, 50), kDay);
    ASSERT_GE(id, 0);
    EXPECT_EQ(s.dump(*s.result(id)), R"(connections 1, focus 0
1. 30 min, 3500 m
   [Bus 1] Adamov 05.01. 11:00 -> Dubina 05.01. 11:30, 3500 m
)");
    // Seen from the next day the whole window is searched (an equal request would be answered
    // from the store, so it is emptied first).
    resultStoreOf(s.set()).clear();
    s.request(0, "Adamov", 0, "Dubina", hm(11, 30), kDay, true);
    const std::int32_t before = s.search(hm(10, 50), static_cast<std::int16_t>(kDay + 1));
    ASSERT_GE(before, 0);
    EXPECT_EQ(s.result(before)->count(), 3);
}

}  // namespace
}  // namespace trasovnik::testing
