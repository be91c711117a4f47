#include "platform/core/Event.h"

#include "platform/core/Thread.h"
#include "platform/core/Timer.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

namespace platform {
namespace {

TEST(Event, AutoResetIsConsumedByOneWait) {
    Event e(EventReset::Auto);
    EXPECT_EQ(waitForSingleObject(e, 0), WaitResult::Timeout);
    e.set();
    EXPECT_EQ(waitForSingleObject(e, 0), WaitResult::Signalled);
    EXPECT_EQ(waitForSingleObject(e, 0), WaitResult::Timeout);
}

TEST(Event, ManualResetStaysSetUntilReset) {
    Event e(EventReset::Manual);
    e.set();
    EXPECT_EQ(waitForSingleObject(e, 0), WaitResult::Signalled);
    EXPECT_EQ(waitForSingleObject(e, kInfinite), WaitResult::Signalled);
    e.reset();
    EXPECT_EQ(waitForSingleObject(e, 0), WaitResult::Timeout);
}

TEST(Event, InitialStateIsHonoured) {
    struct Case {
        EventReset reset;
        bool initiallySet;
        WaitResult first;
        WaitResult second;
    };
    const Case cases[] = {
        {EventReset::Auto, true, WaitResult::Signalled, WaitResult::Timeout},
        {EventReset::Auto, false, WaitResult::Timeout, WaitResult::Timeout},
        {EventReset::Manual, true, WaitResult::Signalled, WaitResult::Signalled},
        {EventReset::Manual, false, WaitResult::Timeout, WaitResult::Timeout},
    };
    for (const Case& c : cases) {
        Event e(c.reset, c.initiallySet);
        EXPECT_EQ(e.wait(0), c.first);
        EXPECT_EQ(e.wait(0), c.second);
    }
}

TEST(Event, TimeoutWaitsAtLeastItsTime) {
    Event e(EventReset::Manual);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(waitForSingleObject(e, 40), WaitResult::Timeout);
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, std::chrono::milliseconds(40));
}

TEST(Event, SetFromAnotherThreadReleasesATimedWait) {
    Event e(EventReset::Auto);
    Thread setter = createThread([&] { e.set(); });
    EXPECT_EQ(waitForSingleObject(e, test::kDeadlockMs), WaitResult::Signalled);
    setter.join();
}

TEST(Event, ManualSetReleasesEveryWaiter) {
    constexpr int kWaiters = 5;
    Event gate(EventReset::Manual);
    Event allThrough(EventReset::Manual);
    std::atomic<int> through{0};
    std::vector<Thread> waiters;
    for (int i = 0; i < kWaiters; ++i) {
        waiters.push_back(createThread([&] {
            EXPECT_EQ(gate.wait(test::kDeadlockMs), WaitResult::Signalled);
            if (++through == kWaiters) {
                allThrough.set();
            }
        }));
    }
    gate.set();
    test::awaitOrDie(allThrough, "every waiter released");
    for (Thread& t : waiters) {
        t.join();
    }
}

TEST(Event, EachAutoSetReleasesOneWaiter) {
    constexpr int kWaiters = 4;
    Event gate(EventReset::Auto);
    Event passed(EventReset::Auto);
    std::atomic<int> through{0};
    std::vector<Thread> waiters;
    for (int i = 0; i < kWaiters; ++i) {
        waiters.push_back(createThread([&] {
            EXPECT_EQ(gate.wait(test::kDeadlockMs), WaitResult::Signalled);
            ++through;
            passed.set();
        }));
    }
    for (int i = 1; i <= kWaiters; ++i) {
        gate.set();
        test::awaitOrDie(passed, "one waiter through");
        // Every set is consumed by exactly one waiter: none is left over for a late look.
        EXPECT_LE(through.load(), i);
    }
    for (Thread& t : waiters) {
        t.join();
    }
    EXPECT_EQ(through.load(), kWaiters);
    EXPECT_EQ(gate.wait(0), WaitResult::Timeout);
}

}  // namespace
}  // namespace platform
