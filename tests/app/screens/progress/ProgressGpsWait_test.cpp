// The progress view waiting for a GPS fix on the program's receiver over the fake position
// source: its texts while the device is looked for and while it waits for a signal, the fix
// handed on to the view that waited, a fix known already, "Storno", a receiver that gives up
// and a program without a receiver.
#include "ProgressHarness.h"

#include "app/core/GpsReceiver.h"
#include "app/screens/progress/ProgressTexts.h"

#include "platform/resources/StringTable.h"
#include "platform/services/gps/FakeGpsSource.h"
#include "platform/ui/WindowObject.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pelorvant::testing {
namespace {

using platform::resources::loadResString;
using platform::services::FakeGpsSource;

constexpr int kWaitingView = 4028;

// The view that waits for the fix: it keeps the GPS messages it is sent.
class WaitingView final : public platform::ui::WindowObject {
public:
    explicit WaitingView(platform::WindowHandle parent) {
        create(shellCreateParams(platform::ui::WS_CHILD, {0, 0, 10, 10}, parent, 2));
    }
    ~WaitingView() override { destroy(); }
    std::vector<std::uint32_t> messages;
    std::vector<GpsPosition> fixes;

protected:
    platform::MsgResult windowProc(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) override {
        if (message == WM_GPS_POSITION) {
            messages.push_back(message);
            if (auto fix = cGpsReceiver::takePosition(wParam))
                fixes.push_back(*fix);
            return 0;
        }
        if (message == WM_GPS_STOPPED || message == WM_GPS_NOFIX) {
            messages.push_back(message);
            return 0;
        }
        return platform::ui::WindowObject::windowProc(message, wParam, lParam);
    }
};

GpsPosition fixAt(double latitude, double longitude) {
    GpsPosition p;
    p.latitude = latitude;
    p.longitude = longitude;
    p.fixQuality = 1;
    p.fixType = 3;
    return p;
}

class ProgressGpsWaitTest : public ProgressTest {
protected:
    void SetUp() override {
        ProgressTest::SetUp();
        auto source = std::make_unique<FakeGpsSource>();
        gps = source.get();
        receiver = std::make_unique<cGpsReceiver>(std::move(source));
        context.gps = receiver.get();
        makeTab();
        waiting = std::make_unique<WaitingView>(tab->handle());
    }
    void TearDown() override {
        waiting.reset();
        tab.reset();
        receiver.reset();
        ProgressTest::TearDown();
    }
    // Feeds the source and handles what the receiver posted for it.
    void feed(const GpsPosition& position) {
        const int before = gps->handedOut();
        gps->pushPosition(position);
        pumpReceiver(before);
    }
    void pumpReceiver(int before) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(gps->handedOut() > before && (gps->waiting() || !gps->isOpen())) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        kit.pump();
    }
    bool detailsSay(std::uint32_t textId) const {
        return tab->progress.state.markupText.find(loadResString(textId)) != std::u16string::npos;
    }
    bool titleSays(std::uint32_t textId) const {
        return tab->progress.title.markupText.find(loadResString(textId)) != std::u16string::npos;
    }

    FakeGpsSource* gps = nullptr;
    std::unique_ptr<cGpsReceiver> receiver;
    std::unique_ptr<WaitingView> waiting;
};

TEST_F(ProgressGpsWaitTest, TheWaitShowsItsStepsAndHandsTheFixOn) {
    tab->progress.startGpsWait(kWaitingView, waiting->handle());
    EXPECT_EQ(tab->progress.mode(), ProgressMode::GpsWait);
    EXPECT_FALSE(settings.idle);
    EXPECT_TRUE(titleSays(kTextGpsConnecting));
    EXPECT_TRUE(detailsSay(429));
    EXPECT_NE(tab->progress.details.markupText.find(loadResString(428)), std::u16string::npos);

    GpsPosition none = fixAt(0, 0);
    none.fixQuality = 0;
    feed(none);
    EXPECT_TRUE(titleSays(kTextGpsWaiting));
    EXPECT_TRUE(detailsSay(431));
    EXPECT_TRUE(waiting->messages.empty());

    feed(fixAt(49.48821, 15.499515));
    EXPECT_EQ(tab->progress.mode(), ProgressMode::None);
    EXPECT_TRUE(settings.idle);
    EXPECT_EQ(tab->progress.barPosition(), 100);
    ASSERT_FALSE(tab->views.empty());
    EXPECT_EQ(tab->views.back(), kWaitingView);
    ASSERT_EQ(waiting->fixes.size(), 1u);
    EXPECT_DOUBLE_EQ(waiting->fixes[0].latitude, 49.48821);
    EXPECT_DOUBLE_EQ(waiting->fixes[0].longitude, 15.499515);
    // The positions after it go to the view that waited, no longer to the progress view.
    feed(fixAt(49.5, 15.5));
    EXPECT_EQ(waiting->fixes.size(), 2u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgressGpsWaitTest, AKnownFixEndsTheWaitAtOnce) {
    tab->progress.startGpsWait(kWaitingView, waiting->handle());
    feed(fixAt(49.48821, 15.499515));
    ASSERT_EQ(waiting->fixes.size(), 1u);
    tab->views.clear();
    // The receiver still has the fix: the next wait needs no new one.
    tab->progress.startGpsWait(kWaitingView, waiting->handle());
    EXPECT_EQ(tab->progress.mode(), ProgressMode::None);
    ASSERT_EQ(waiting->fixes.size(), 2u);
    EXPECT_DOUBLE_EQ(waiting->fixes[1].latitude, 49.48821);
    EXPECT_EQ(tab->views, std::vector<int>{kWaitingView});
}

TEST_F(ProgressGpsWaitTest, StornoStopsTheReceiverAndGoesBackSilently) {
    tab->progress.startGpsWait(kWaitingView, waiting->handle());
    ASSERT_TRUE(receiver->isOpen());
    platform::sendMessage(tab->progress.handle(), platform::ui::WM_COMMAND, kCommandCancel, 0);
    EXPECT_FALSE(receiver->isOpen());
    EXPECT_EQ(tab->progress.mode(), ProgressMode::None);
    EXPECT_TRUE(settings.idle);
    EXPECT_EQ(tab->views.back(), kWaitingView);
    EXPECT_EQ(waiting->messages, std::vector<std::uint32_t>{WM_GPS_STOPPED});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgressGpsWaitTest, AReceiverThatGivesUpIsReported) {
    struct Case {
        const char* what;
        bool openFails;
    };
    for (const Case c : {Case{"no receiver", true}, Case{"the connection breaks", false}}) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        waiting->messages.clear();
        if (c.openFails)
            gps->failOpen("no device");
        tab->progress.startGpsWait(kWaitingView, waiting->handle());
        if (!c.openFails) {
            const int before = gps->handedOut();
            gps->pushFailure();
            pumpReceiver(before);
        }
        kit.pump();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], loadResString(432));
        EXPECT_EQ(tab->progress.mode(), ProgressMode::None);
        EXPECT_TRUE(settings.idle);
        EXPECT_EQ(tab->views.back(), kWaitingView);
        EXPECT_EQ(waiting->messages, std::vector<std::uint32_t>{WM_GPS_STOPPED});
    }
}

TEST_F(ProgressGpsWaitTest, AProgramWithoutAReceiverSaysSo) {
    context.gps = nullptr;
    tab->progress.startGpsWait(kWaitingView, waiting->handle());
    kit.pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], loadResString(432));
    EXPECT_EQ(waiting->messages, std::vector<std::uint32_t>{WM_GPS_STOPPED});
}

}  // namespace
}  // namespace pelorvant::testing
