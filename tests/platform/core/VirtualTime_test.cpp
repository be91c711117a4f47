// Local time, waits, sleeps and joins on the tick clock: real time, or a test's virtual clock.

#include "platform/core/Event.h"
#include "platform/core/LocalTime.h"
#include "platform/core/Thread.h"
#include "platform/core/Timer.h"
#include "platform/core/VirtualClock.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>
#include <tuple>

namespace platform {
namespace {

void realSleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Advances the virtual clock a millisecond at a time until the thread has ended; returns how
// far it went. Gives up (failing) after `limit`.
std::uint64_t advanceUntilEnded(VirtualClock& clock, Thread& thread, std::uint64_t limit) {
    std::uint64_t moved = 0;
    while (!thread.join(0)) {
        if (moved >= limit) {
            ADD_FAILURE() << "the thread did not end within " << limit << " virtual ms";
            return moved;
        }
        clock.advance(1);
        ++moved;
        realSleep(1);
    }
    return moved;
}

TEST(LocalTime, FollowsTheVirtualClockFromTheTimeATestSets) {
    struct Case {
        SystemTime set;
        std::uint64_t advance;
        SystemTime expected;
    };
    const Case cases[] = {
        // The turn of a year, on a Thursday into a Friday.
        {{2026, 12, 0, 31, 23, 59, 59, 500}, 600, {2027, 1, 5, 1, 0, 0, 0, 100}},
        // A leap day.
        {{2028, 2, 0, 28, 23, 0, 0, 0}, 3'600'000, {2028, 2, 2, 29, 0, 0, 0, 0}},
        // Nothing moved: the day of the week is worked out, not copied.
        {{2026, 3, 0, 15, 7, 45, 0, 0}, 0, {2026, 3, 0, 15, 7, 45, 0, 0}},
        // Hours on the same day.
        {{2026, 6, 0, 1, 8, 0, 0, 0}, 5 * 3'600'000 + 30 * 60'000, {2026, 6, 1, 1, 13, 30, 0, 0}},
    };
    for (const Case& c : cases) {
        VirtualClock clock(1000);
        clock.setLocalTime(c.set);
        clock.advance(c.advance);
        EXPECT_EQ(getLocalTime(), c.expected) << c.expected.year << "-" << c.expected.month << "-"
                                              << c.expected.day << " " << c.expected.hour;
    }
}

TEST(LocalTime, StandsStillOnAVirtualClockAndFollowsTheSystemWithout) {
    {
        VirtualClock clock;
        const SystemTime first = getLocalTime();
        realSleep(20);
        EXPECT_EQ(getLocalTime(), first);
    }
    const auto asTuple = [](const std::tm& t) {
        return std::make_tuple(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                               t.tm_sec);
    };
    // The bounds come from the clock the program's time follows: time() reads a coarser clock
    // that can still show the last second when the fine one has passed into the next.
    const auto wallSeconds = [] {
        return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    };
    const std::time_t before = wallSeconds();
    const SystemTime now = getLocalTime();
    const std::time_t after = wallSeconds();
    std::tm lo{};
    std::tm hi{};
    localtime_r(&before, &lo);
    localtime_r(&after, &hi);
    const auto got =
        std::make_tuple(now.year, now.month, now.day, now.hour, now.minute, now.second);
    EXPECT_LE(asTuple(lo), got);
    EXPECT_GE(asTuple(hi), got);
    EXPECT_EQ(now.dayOfWeek, hi.tm_wday);
}

TEST(VirtualWaits, AnEventTimeOutCountsVirtualMilliseconds) {
    VirtualClock clock(0);
    Event never(EventReset::Manual);
    std::atomic<std::uint64_t> waited{0};
    std::atomic<bool> timedOut{false};
    Thread waiter = createThread([&] {
        const std::uint64_t start = getTickCount();
        timedOut = never.wait(50) == WaitResult::Timeout;
        waited = getTickCount() - start;
    });
    realSleep(150);  // three times the time-out in real time: still waiting
    EXPECT_FALSE(waiter.join(0));
    advanceUntilEnded(clock, waiter, 1000);
    EXPECT_TRUE(timedOut.load());
    EXPECT_GE(waited.load(), 50u);
}

TEST(VirtualWaits, SleepEndsWhenTheClockHasMovedFarEnough) {
    VirtualClock clock(0);
    std::atomic<std::uint64_t> woke{0};
    Event started(EventReset::Manual);
    Thread sleeper = createThread([&] {
        started.set();
        const std::uint64_t start = getTickCount();
        sleep(1000);
        woke = getTickCount() - start;
    });
    test::awaitOrDie(started, "the sleeper started");
    realSleep(50);
    EXPECT_FALSE(sleeper.join(0));
    clock.advance(500);
    realSleep(20);
    EXPECT_FALSE(sleeper.join(0)) << "half the sleep is not enough";
    advanceUntilEnded(clock, sleeper, 2000);
    EXPECT_GE(woke.load(), 1000u);
}

TEST(VirtualWaits, RemovingTheClockEndsAWaitOnItAsTimedOut) {
    Event never(EventReset::Manual);
    std::atomic<int> result{-1};
    Thread waiter;
    {
        VirtualClock clock(0);
        waiter = createThread([&] { result = never.wait(60'000) == WaitResult::Timeout ? 1 : 0; });
        realSleep(30);
    }
    EXPECT_TRUE(waiter.join(test::kDeadlockMs));
    EXPECT_EQ(result.load(), 1);
}

TEST(WaitForAny, ReturnsTheFirstSetEventAndTakesOnlyThatOne) {
    Event a(EventReset::Auto);
    Event b(EventReset::Auto);
    Event c(EventReset::Manual);
    Event* const events[] = {&a, &b, &c};
    EXPECT_EQ(waitForAny(events, 0), std::nullopt);
    EXPECT_EQ(waitForAny({}, 0), std::nullopt);
    b.set();
    c.set();
    EXPECT_EQ(waitForAny(events, 0), std::optional<std::size_t>(1));
    EXPECT_EQ(waitForAny(events, 0), std::optional<std::size_t>(2));  // b was taken, c stays
    EXPECT_EQ(waitForAny(events, 0), std::optional<std::size_t>(2));
    c.reset();
    EXPECT_EQ(waitForAny(events, 30), std::nullopt);
}

TEST(WaitForAny, WakesForAnEventSetOnAnotherThread) {
    Event a(EventReset::Auto);
    Event b(EventReset::Auto);
    Event* const events[] = {&a, &b};
    Thread setter = createThread([&] {
        realSleep(20);
        b.set();
    });
    EXPECT_EQ(waitForAny(events, test::kDeadlockMs), std::optional<std::size_t>(1));
    setter.join();
}

TEST(WaitForAny, TimesOutOnTheVirtualClock) {
    VirtualClock clock(0);
    Event a(EventReset::Auto);
    Event b(EventReset::Auto);
    std::atomic<bool> none{false};
    Thread waiter = createThread([&] {
        Event* const events[] = {&a, &b};
        none = !waitForAny(events, 200).has_value();
    });
    realSleep(50);
    EXPECT_FALSE(waiter.join(0));
    EXPECT_GE(advanceUntilEnded(clock, waiter, 1000), 1u);
    EXPECT_TRUE(none.load());
}

TEST(ThreadJoin, WithATimeOutLeavesARunningThreadAndJoinsAnEndedOne) {
    Event release(EventReset::Manual);
    Thread worker = createThread([&] { release.wait(kInfinite); });
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker.join(40));
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(40));
    EXPECT_TRUE(worker.joinable());
    release.set();
    EXPECT_TRUE(worker.join(test::kDeadlockMs));
    EXPECT_FALSE(worker.joinable());
    EXPECT_TRUE(worker.join(0)) << "nothing left to join";
    Thread empty;
    EXPECT_TRUE(empty.join(0));
}

TEST(ThreadJoin, TimeOutCountsVirtualMilliseconds) {
    VirtualClock clock(0);
    Event release(EventReset::Manual);
    Thread worker = createThread([&] { release.wait(kInfinite); });
    std::atomic<int> joined{-1};
    Thread joiner = createThread([&] { joined = worker.join(100) ? 1 : 0; });
    realSleep(150);
    EXPECT_EQ(joined.load(), -1);
    advanceUntilEnded(clock, joiner, 1000);
    EXPECT_EQ(joined.load(), 0);
    release.set();
    EXPECT_TRUE(worker.join(kInfinite));
}

}  // namespace
}  // namespace platform
