// The GPS receiver on the fake position source with the virtual clock: fixes and their
// messages, headings, device state, the time-out, the ten-minute switch-off, failed opens and
// stopping.

#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"

#include "platform/services/gps/FakeGpsSource.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace pelorvant {
namespace {

using platform::services::FakeGpsSource;
using platform::services::GpsPosition;

struct Received {
    std::uint32_t message;
    std::intptr_t lParam;
    std::unique_ptr<GpsPosition> position;
};

// A window that keeps every GPS message it receives, taking the positions they carry.
class GpsWindow {
public:
    GpsWindow() : seen_(std::make_shared<std::vector<Received>>()) {
        platform::ui::CreateParams p;
        p.className = "GpsTarget";
        p.rect = {0, 0, 10, 10};
        auto seen = seen_;
        window_ = platform::ui::createWindow(
            p,
            [seen](platform::WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                   std::intptr_t lp) -> platform::MsgResult {
                if (m >= WM_GPS_POSITION && m <= WM_GPS_NOFIX) {
                    seen->push_back(
                        {m, lp, m == WM_GPS_POSITION ? cGpsReceiver::takePosition(wp) : nullptr});
                    return 0;
                }
                return platform::ui::defWindowProc(h, m, wp, lp);
            });
    }
    platform::WindowHandle handle() const { return window_; }
    std::vector<Received>& seen() { return *seen_; }

private:
    std::shared_ptr<std::vector<Received>> seen_;
    platform::WindowHandle window_ = platform::kNullWindow;
};

GpsPosition fix(double heading, double latitude = 50.0755) {
    GpsPosition p;
    p.latitude = latitude;
    p.longitude = 14.4378;
    p.heading = heading;
    p.fixQuality = 1;
    p.fixType = 3;
    return p;
}

class GpsReceiverTest : public ::testing::Test {
protected:
    GpsReceiverTest() {
        auto source = std::make_unique<FakeGpsSource>();
        fake = source.get();
        receiver = std::make_unique<cGpsReceiver>(std::move(source));
    }
    // Handles messages until the condition holds (the poll thread runs on its own).
    bool waitFor(const std::function<bool()>& condition) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            kit.pump();
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    bool waitForMessages(GpsWindow& window, std::size_t count) {
        return waitFor([&] { return window.seen().size() >= count; });
    }
    void startWaiting() {
        ASSERT_EQ(receiver->start(view.handle(), progress.handle()),
                  cGpsReceiver::StartResult::WaitingForFix);
        ASSERT_TRUE(waitFor([&] { return fake->waiting(); }));
    }

    platform::testkit::UiTestKit kit;
    GpsWindow view;
    GpsWindow progress;
    FakeGpsSource* fake = nullptr;
    std::unique_ptr<cGpsReceiver> receiver;
};

TEST_F(GpsReceiverTest, ClosedReceiverHasNoHeadingAndCannotBeStopped) {
    EXPECT_EQ(receiver->getHeading(), kGpsNoHeading);
    EXPECT_EQ(receiver->state(), -1);
    EXPECT_EQ(receiver->stop(), kGpsUnexpected);
}

TEST_F(GpsReceiverTest, ValidFixReachesTheProgressWindowAsACopy) {
    startWaiting();
    fake->pushPosition(fix(90.0, 50.1));
    ASSERT_TRUE(waitForMessages(progress, 1));
    fake->pushPosition(fix(95.0, 49.2));
    ASSERT_TRUE(waitForMessages(progress, 2));

    auto& seen = progress.seen();
    EXPECT_EQ(seen[0].message, WM_GPS_POSITION);
    EXPECT_EQ(seen[0].lParam, -1);  // the state before the first position
    EXPECT_EQ(seen[1].lParam, 1);
    // The first message still shows its own position after the second one arrived.
    ASSERT_TRUE(seen[0].position && seen[1].position);
    EXPECT_DOUBLE_EQ(seen[0].position->latitude, 50.1);
    EXPECT_DOUBLE_EQ(seen[1].position->latitude, 49.2);
    EXPECT_EQ(receiver->getHeading(), 95);
    EXPECT_EQ(receiver->state(), 1);
    EXPECT_TRUE(view.seen().empty());
}

TEST_F(GpsReceiverTest, FixWithoutQualityOrTypeIsNoFix) {
    struct Case {
        int quality;
        int type;
        std::uint32_t expected;
    };
    const Case cases[] = {{0, 0, WM_GPS_NOFIX},
                          {1, 0, WM_GPS_NOFIX},
                          {0, 3, WM_GPS_NOFIX},
                          {1, 2, WM_GPS_POSITION},
                          {1, 3, WM_GPS_POSITION}};
    startWaiting();
    std::size_t n = 0;
    for (const Case& c : cases) {
        GpsPosition p = fix(10.0);
        p.fixQuality = c.quality;
        p.fixType = c.type;
        fake->pushPosition(p);
        ASSERT_TRUE(waitForMessages(progress, ++n));
        EXPECT_EQ(progress.seen().back().message, c.expected) << c.quality << "/" << c.type;
    }
    // Only the two valid fixes recorded a heading.
    EXPECT_EQ(receiver->headings().size(), 2u);
}

TEST_F(GpsReceiverTest, HeadingHistoryKeepsTheTenNewest) {
    startWaiting();
    for (int i = 1; i <= 11; ++i) {
        fake->pushPosition(fix(i * 10.0));
    }
    ASSERT_TRUE(waitForMessages(progress, 11));
    const auto headings = receiver->headings();
    ASSERT_EQ(headings.size(), kGpsHeadingHistory);
    EXPECT_EQ(headings.front(), 110.0);
    EXPECT_EQ(headings.back(), 20.0);  // the first one fell off
    EXPECT_EQ(receiver->getHeading(), 110);
}

TEST_F(GpsReceiverTest, DeviceStateChangeIsPostedAndRemembered) {
    startWaiting();
    fake->pushPosition(fix(1.0));
    fake->pushDeviceState();
    fake->pushPosition(fix(2.0));
    ASSERT_TRUE(waitForMessages(progress, 3));
    EXPECT_EQ(progress.seen()[1].message, WM_GPS_DEVICESTATE);
    EXPECT_EQ(progress.seen()[2].lParam, 0);  // the position after the device change
}

TEST_F(GpsReceiverTest, StartWithAKnownPositionShowsTheViewAtOnce) {
    startWaiting();
    fake->pushPosition(fix(1.0));
    ASSERT_TRUE(waitForMessages(progress, 1));
    EXPECT_EQ(receiver->start(view.handle(), progress.handle()),
              cGpsReceiver::StartResult::ShowViewNow);
    EXPECT_EQ(receiver->getHeading(), kGpsNoHeading);  // the history starts anew
    fake->pushPosition(fix(2.0));
    ASSERT_TRUE(waitForMessages(view, 1));
    EXPECT_EQ(progress.seen().size(), 1u);
    EXPECT_EQ(fake->openCount(), 1);
}

TEST_F(GpsReceiverTest, SilentDeviceStopsAfterTenSeconds) {
    startWaiting();
    kit.clock().advance(kGpsWaitMs - 1);
    kit.pump();
    EXPECT_TRUE(receiver->isOpen());
    kit.clock().advance(1);
    ASSERT_TRUE(waitForMessages(progress, 1));
    EXPECT_EQ(progress.seen()[0].message, WM_GPS_STOPPED);
    ASSERT_TRUE(waitFor([&] { return !receiver->isOpen(); }));
    EXPECT_FALSE(fake->isOpen());
    EXPECT_EQ(receiver->state(), -1);
    EXPECT_EQ(receiver->stop(), kGpsUnexpected);
}

TEST_F(GpsReceiverTest, BrokenConnectionStopsLikeATimeOut) {
    startWaiting();
    fake->pushFailure();
    ASSERT_TRUE(waitForMessages(progress, 1));
    EXPECT_EQ(progress.seen()[0].message, WM_GPS_STOPPED);
    ASSERT_TRUE(waitFor([&] { return !fake->isOpen(); }));
}

TEST_F(GpsReceiverTest, DeviceGoesOffTenMinutesAfterTheLastStart) {
    startWaiting();
    std::size_t posted = 0;
    std::uint64_t elapsed = 0;
    // A position every 9.9 s: no time-out, until the ten minutes are over.
    while (elapsed <= kGpsSwitchOffMs) {
        fake->pushPosition(fix(5.0));
        ASSERT_TRUE(waitForMessages(progress, ++posted));
        ASSERT_TRUE(waitFor([&] { return fake->waiting(); }));
        kit.clock().advance(9900);
        elapsed += 9900;
    }
    fake->pushPosition(fix(6.0));
    ASSERT_TRUE(waitFor([&] { return !receiver->isOpen(); }));
    kit.pump();
    EXPECT_EQ(progress.seen().size(), posted);  // nothing posted for the last one
    EXPECT_FALSE(fake->isOpen());
}

TEST_F(GpsReceiverTest, RestartingTheTimeoutKeepsTheDeviceOn) {
    startWaiting();
    fake->pushPosition(fix(5.0));
    ASSERT_TRUE(waitForMessages(progress, 1));
    for (std::uint64_t elapsed = 0; elapsed <= kGpsSwitchOffMs; elapsed += 9900) {
        ASSERT_TRUE(waitFor([&] { return fake->waiting(); }));
        kit.clock().advance(9900);
        receiver->restartTimeout();
        fake->pushPosition(fix(5.0));
    }
    ASSERT_TRUE(waitFor([&] { return fake->waiting(); }));
    EXPECT_TRUE(receiver->isOpen());
}

TEST_F(GpsReceiverTest, FailedOpenReportsNoSignalAtOnce) {
    fake->failOpen("no device");
    EXPECT_EQ(receiver->start(view.handle(), progress.handle()),
              cGpsReceiver::StartResult::OpenFailed);
    kit.pump();
    ASSERT_EQ(progress.seen().size(), 1u);
    EXPECT_EQ(progress.seen()[0].message, WM_GPS_STOPPED);
    EXPECT_FALSE(receiver->isOpen());
}

TEST_F(GpsReceiverTest, StopJoinsThePollThreadAndAllowsAReopen) {
    startWaiting();
    EXPECT_EQ(receiver->open(), kGpsUnexpected);
    EXPECT_EQ(receiver->stop(), kGpsOk);
    EXPECT_FALSE(fake->isOpen());
    EXPECT_EQ(receiver->stop(), kGpsUnexpected);
    startWaiting();
    fake->pushPosition(fix(7.0));
    ASSERT_TRUE(waitForMessages(progress, 1));
    EXPECT_EQ(fake->openCount(), 2);
}

TEST_F(GpsReceiverTest, DetachedReceiverPostsNothing) {
    startWaiting();
    receiver->detachWindow();
    fake->pushPosition(fix(3.0));
    ASSERT_TRUE(waitFor([&] { return receiver->state() == 1 && fake->waiting(); }));
    kit.pump();
    EXPECT_TRUE(progress.seen().empty());
    EXPECT_EQ(receiver->getHeading(), kGpsNoHeading);
}

}  // namespace
}  // namespace pelorvant
