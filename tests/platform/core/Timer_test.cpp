#include "platform/core/Timer.h"

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/VirtualClock.h"
#include "platform/core/Window.h"

#include "tests/platform/core/LoopThread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace platform {
namespace {

constexpr std::uint64_t kStart = 1000;

struct Tick {
    std::uintptr_t id;
    std::uint64_t time;
    bool operator==(const Tick&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tick& t) {
    return os << "{" << t.id << " @" << t.time << "}";
}

// Virtual time and one window on the test thread whose WM_TIMERs are recorded.
class VirtualTimers : public ::testing::Test {
protected:
    VirtualTimers() {
        window = createWindow(
            [this](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
                if (msg == WM_TIMER) {
                    ticks.push_back({w, lastTime});
                } else {
                    others.push_back(msg);
                }
                return 0;
            });
    }
    ~VirtualTimers() override { destroyWindow(window); }

    // Runs this thread's loop until nothing is left; ticks carry the time they came due.
    std::vector<Tick> pump() {
        ticks.clear();
        Message m;
        while (peekMessage(m)) {
            lastTime = m.time;
            dispatchMessage(m);
        }
        return ticks;
    }

    VirtualClock clock{kStart};
    WindowHandle window = kNullWindow;
    std::vector<Tick> ticks;
    std::vector<std::uint32_t> others;
    std::uint64_t lastTime = 0;
};

TEST_F(VirtualTimers, TickCountFollowsTheVirtualClock) {
    EXPECT_EQ(getTickCount(), kStart);
    clock.advance(250);
    EXPECT_EQ(getTickCount(), kStart + 250);
    EXPECT_EQ(clock.now(), kStart + 250);
}

TEST_F(VirtualTimers, TimersFireInDueOrderAcrossOneAdvance) {
    ASSERT_TRUE(setTimer(window, 1, 30));
    ASSERT_TRUE(setTimer(window, 2, 50));
    clock.advance(99);
    EXPECT_EQ(pump(), (std::vector<Tick>{
                          {1, kStart + 30}, {2, kStart + 50}, {1, kStart + 60}, {1, kStart + 90}}));
    clock.advance(21);
    EXPECT_EQ(pump(), (std::vector<Tick>{{2, kStart + 100}, {1, kStart + 120}}));
}

TEST_F(VirtualTimers, TimersDueTogetherKeepTheOrderTheyWereSet) {
    setTimer(window, 9, 40);
    setTimer(window, 3, 20);
    clock.advance(40);
    EXPECT_EQ(pump(), (std::vector<Tick>{{3, kStart + 20}, {9, kStart + 40}, {3, kStart + 40}}));
}

TEST_F(VirtualTimers, NothingFiresBeforeItIsDue) {
    setTimer(window, 1, 100);
    clock.advance(99);
    EXPECT_TRUE(pump().empty());
    clock.advance(1);
    EXPECT_EQ(pump(), (std::vector<Tick>{{1, kStart + 100}}));
}

TEST_F(VirtualTimers, ShortIntervalsAreRaisedToTheMinimum) {
    for (std::uint32_t interval : {0u, 1u, 9u, 10u}) {
        SCOPED_TRACE(interval);
        const std::uint64_t from = clock.now();
        ASSERT_TRUE(setTimer(window, 4, interval));
        clock.advance(kMinimumTimerInterval - 1);
        EXPECT_TRUE(pump().empty());
        clock.advance(1);
        EXPECT_EQ(pump(), (std::vector<Tick>{{4, from + kMinimumTimerInterval}}));
        killTimer(window, 4);
    }
}

TEST_F(VirtualTimers, SettingARunningIdRestartsIt) {
    setTimer(window, 1, 50);
    clock.advance(30);
    setTimer(window, 1, 100);  // restarted at kStart + 30 with the new interval
    clock.advance(99);
    EXPECT_TRUE(pump().empty()) << "the replaced 50 ms schedule must not fire";
    clock.advance(1);
    EXPECT_EQ(pump(), (std::vector<Tick>{{1, kStart + 130}}));
}

TEST_F(VirtualTimers, RestartDropsATickNotYetRetrieved) {
    setTimer(window, 1, 20);
    clock.advance(20);  // one WM_TIMER waits
    setTimer(window, 1, 20);
    EXPECT_TRUE(pump().empty());
    clock.advance(20);
    EXPECT_EQ(pump(), (std::vector<Tick>{{1, kStart + 40}}));
}

TEST_F(VirtualTimers, KillStopsATimerAndItsWaitingTick) {
    setTimer(window, 1, 20);
    setTimer(window, 2, 20);
    clock.advance(20);
    EXPECT_TRUE(killTimer(window, 1));
    EXPECT_FALSE(killTimer(window, 1));
    EXPECT_FALSE(killTimer(window, 77));
    clock.advance(20);
    EXPECT_EQ(pump(), (std::vector<Tick>{{2, kStart + 20}, {2, kStart + 40}}));
}

TEST_F(VirtualTimers, TimersComeAfterSentAndPostedMessages) {
    setTimer(window, 1, 10);
    clock.advance(10);
    postMessage(window, WM_USER + 1);
    postMessage(window, WM_USER + 2);
    Message m;
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_USER + 1u);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_USER + 2u);
    ASSERT_TRUE(peekMessage(m));
    EXPECT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_FALSE(peekMessage(m));
}

TEST_F(VirtualTimers, TimersPerWindowAreIndependentAndEndWithTheWindow) {
    std::vector<std::uintptr_t> otherTicks;
    WindowHandle second = createWindow(
        [&](WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) -> MsgResult {
            if (msg == WM_TIMER) {
                otherTicks.push_back(w);
            }
            return 0;
        });
    setTimer(window, 1, 10);
    setTimer(second, 1, 10);
    clock.advance(10);
    destroyWindow(second);
    clock.advance(10);
    EXPECT_EQ(pump(), (std::vector<Tick>{{1, kStart + 10}, {1, kStart + 20}}));
    EXPECT_TRUE(otherTicks.empty()) << "a destroyed window's timers and ticks are gone";
    EXPECT_FALSE(killTimer(second, 1));
}

TEST_F(VirtualTimers, OnlyOneVirtualClockAtATime) {
    EXPECT_THROW(VirtualClock second(5), std::logic_error);
    EXPECT_EQ(getTickCount(), kStart) << "the failed install changes nothing";
}

TEST_F(VirtualTimers, TimerOfAnotherThreadsWindowIsDeliveredThroughItsLoop) {
    test::LoopThread owner;
    Event ticked(EventReset::Auto);
    std::atomic<ThreadId> ranOn{0};
    std::atomic<std::uint64_t> tickTime{0};
    WindowHandle theirs = kNullWindow;
    owner.run([&] {
        theirs = createWindow(
            [&](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> MsgResult {
                if (msg == WM_TIMER) {
                    ranOn = currentThreadId();
                    tickTime = getTickCount();
                    ticked.set();
                }
                return 0;
            });
    });
    ASSERT_TRUE(setTimer(theirs, 5, 200));  // set from this thread, runs on the owner's
    clock.advance(200);
    test::awaitOrDie(ticked, "timer on the owner thread");
    EXPECT_EQ(ranOn.load(), owner.id());
    EXPECT_EQ(tickTime.load(), kStart + 200);
    owner.run([&] { destroyWindow(theirs); });
}

TEST(RealTimeTimer, FiresRepeatedlyOnTheSystemClock) {
    // Smoke test on the real clock with generous bounds: three ticks of a 20 ms timer.
    test::LoopThread owner;
    Event thirdTick(EventReset::Manual);
    std::vector<std::uint64_t> times;  // owner thread only
    WindowHandle h = kNullWindow;
    std::uint64_t started = 0;
    owner.run([&] {
        h = createWindow([&](WindowHandle self, std::uint32_t msg, std::uintptr_t id,
                             std::intptr_t) -> MsgResult {
            if (msg == WM_TIMER && id == 1) {
                times.push_back(getTickCount());
                if (times.size() == 3) {
                    killTimer(self, 1);
                    thirdTick.set();
                }
            }
            return 0;
        });
        started = getTickCount();
        setTimer(h, 1, 20);
    });
    test::awaitOrDie(thirdTick, "three real-time ticks");
    owner.run([&] {
        ASSERT_EQ(times.size(), 3u);
        EXPECT_GE(times[0], started + 20);
        EXPECT_GE(times[2], started + 60);
        EXPECT_LT(times[2], started + 10000);
        destroyWindow(h);
    });
}

}  // namespace
}  // namespace platform
