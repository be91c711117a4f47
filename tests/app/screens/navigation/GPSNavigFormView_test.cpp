// The navigation view on the real engine and a town whose stops have positions, with a
// receiver that hands over positions the test chooses, on the virtual clock.
#include "CoreTestSupport.h"
#include "tests/app/screens/ScreenTestSupport.h"

#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"
#include "app/screens/navigation/GPSNavigFormView.h"
#include "app/screens/navigation/GpsReceiverLink.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"
#include "platform/services/gps/FakeGpsSource.h"

#include "platform/core/MessageLoop.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <cmath>
#include <optional>

namespace pelorvant::testing {
namespace {

namespace ui = platform::ui;

// Positions posted as the receiver posts them: wParam names the position.
class WalkingReceiver final : public NavigationReceiver {
public:
    GeoPoint positionOf(std::uintptr_t wParam) const override { return positions.at(wParam); }
    int getHeading() const override { return heading; }
    void restartTimeout() override { ++restarts; }
    void start(int viewId, int returnView, int, platform::WindowHandle window) override {
        started.push_back(viewId);
        startedReturn = returnView;
        target = window;
    }
    void detachWindow() override { target = platform::kNullWindow; }

    // One fix a second of virtual time.
    void fix(platform::testkit::UiTestKit& kit, GeoPoint p) {
        positions.push_back(p);
        platform::postMessage(target, WM_GPS_POSITION, positions.size() - 1, 0);
        kit.advance(1000);
    }

    std::vector<GeoPoint> positions;
    int heading = -999999;
    int restarts = 0;
    std::vector<int> started;
    int startedReturn = 0;
    platform::WindowHandle target = platform::kNullWindow;
};

// The tab page as the view sees it: the set and the view switches.
class NavigationTab final : public platform::ui::WindowObject, public TabServices {
public:
    NavigationTab(ProgramContext& context, const Rect& rect) : progress(context) {
        create(shellCreateParams(ui::WS_VISIBLE, rect, platform::kNullWindow, 0));
    }
    ~NavigationTab() override { destroy(); }
    void showView(int viewId, int menuId) override { shown.push_back({viewId, menuId}); }
    std::int32_t setIndex() const override { return set; }
    void setSetIndex(std::int32_t value) override { set = value; }
    void setTabTitle(std::u16string_view) override {}
    void setLoaded(std::int32_t) override {}
    void showResults(std::int32_t) override {}
    cProgressFormView& progressView() override { return progress; }

    std::int32_t set = -1;
    std::vector<std::pair<int, int>> shown;
    cProgressFormView progress;
};

// Walking south-west from near Náměstí to Nádraží (49.5 N, 15.5 E).
constexpr GeoPoint kTarget{49.5, 15.5};
GeoPoint towards(double fraction) { return {49.503 - 0.003 * fraction, 15.504 - 0.004 * fraction}; }

class NavigationViewTest : public RealEngineTest {
protected:
    virtual const char* profile() const { return "480x640"; }
    void SetUp() override {
        RealEngineTest::SetUp();
        kit.emplace(profile(), platform::testkit::Text::Real);
        set = loadFixtureSet(api(), "city_v40.jz");
        ASSERT_GE(set, 0);
        const ShellSettings& device = shellSettings();
        settings.fontHeight = device.fontHeight();
        settings.isNotSmartphone = device.isNotSmartphone();
        settings.createFonts();
        settings.createListFont(false);
        context.settings = &settings;
        context.api = &api();
        const auto size = ui::screenSize();
        tab.emplace(context, Rect{0, 0, size.width, size.height});
        tab->set = set;
        view.emplace(context);
        ASSERT_TRUE(view->createNavigationView(tab->handle(), Rect{0, 0, size.width, size.height}, 4045));
        ui::showWindow(view->handle(), ui::SW_SHOW);
        view->receiver = &receiver;
        view->Layout(0, size.width, size.height);
    }
    void TearDown() override {
        view.reset();
        tab.reset();
        kit.reset();
        api().api_zrusSestavuJizdnichRadu(set);
    }
    std::int32_t stopNamed(std::u16string_view name) const {
        for (std::int32_t stop = 0; stop < 64; ++stop) {
            char* raw = nullptr;
            std::int32_t length = 0;
            if (api().api_GetNazevZastavky(set, 0, stop, &raw, &length) != ENGINE_OK) break;
            const EngineOwned<char> text(raw);
            if (fromNarrowString(text.get(), length) == name) return stop;
        }
        return -1;
    }
    std::u16string labelText() const { return view->infoLabel.markupText; }

    std::optional<platform::testkit::UiTestKit> kit;
    std::int32_t set = -1;
    ProgramContext context;
    std::optional<NavigationTab> tab;
    std::optional<cGPSNavigFormView> view;
    WalkingReceiver receiver;
};

TEST_F(NavigationViewTest, FixesWalkingTowardsTheStopBringTheDistanceDown) {
    view->showStop(4026, 7, stopNamed(u"Nádraží"), 0);
    ASSERT_EQ(receiver.started, std::vector<int>{4045});
    EXPECT_EQ(receiver.startedReturn, 4026);
    EXPECT_NE(labelText().find(u"Nádraží"), std::u16string::npos);
    EXPECT_NE(labelText().find(u"(m):<*b*> -"), std::u16string::npos);  // no fix yet
    double last = 1e9;
    for (int step = 0; step < 5; ++step) {
        receiver.fix(*kit, towards(step / 5.0));
        ASSERT_GT(view->distance, 0);
        EXPECT_LT(view->distance, last) << step;
        last = view->distance;
        EXPECT_EQ(view->map.items().size(), 2u);
    }
    EXPECT_EQ(receiver.restarts, 5);
    EXPECT_EQ(view->map.track().count(), 5u);
    EXPECT_NE(labelText().find(u"(m):<*b*> " + distanceText(last)), std::u16string::npos);
}

TEST_F(NavigationViewTest, TheArrowAppearsOnlyOnceAHeadingIsKnown) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    receiver.fix(*kit, towards(0));
    EXPECT_GT(view->distance, 0);
    EXPECT_EQ(view->arrow.angle(), kNoAngle);
    receiver.heading = 180;
    receiver.fix(*kit, towards(0.2));
    ASSERT_NE(view->arrow.angle(), kNoAngle);
    // The stop lies to the south-west: seen from a walker heading south it is ahead, a little right.
    EXPECT_GT(view->arrow.angle(), 0);
    EXPECT_LT(view->arrow.angle(), 90);
}

TEST_F(NavigationViewTest, StandingStillKeepsOnePointAndRefitEmptiesTheTrack) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    for (int i = 0; i < 4; ++i) receiver.fix(*kit, towards(0.5));
    EXPECT_EQ(view->map.track().count(), 1u);
    const double scale = view->map.scale();
    EXPECT_GT(scale, 0);
    platform::sendMessage(view->handle(), ui::WM_COMMAND, kRefitButtonId, 0);
    EXPECT_EQ(view->map.track().count(), 0u);
    EXPECT_EQ(view->map.scale(), kFitScale);
    receiver.fix(*kit, towards(0.9));
    EXPECT_GT(view->map.scale(), 0);
    EXPECT_LT(view->map.scale(), scale);  // nearer the stop, a closer map
}

TEST_F(NavigationViewTest, StandingOnTheStopShowsZeroMetresWithoutDividingByZero) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    receiver.heading = 90;
    receiver.fix(*kit, kTarget);
    EXPECT_EQ(view->distance, 0);
    EXPECT_NE(labelText().find(u"(m):<*b*> 0"), std::u16string::npos);
    kit->pump();  // the map and the arrow paint
    EXPECT_EQ(view->map.items()[0].pixel, view->map.items()[1].pixel);
}

TEST_F(NavigationViewTest, NoFixEmptiesTheMapAndTheDistance) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    receiver.heading = 90;
    receiver.fix(*kit, towards(0));
    platform::postMessage(view->handle(), WM_GPS_NOFIX, 0, 0);
    kit->pump();
    EXPECT_TRUE(view->map.items().empty());
    EXPECT_EQ(view->arrow.angle(), kNoAngle);
    EXPECT_NE(labelText().find(u"(m):<*b*> -"), std::u16string::npos);
}

TEST_F(NavigationViewTest, AStopWithoutPositionShowsNoMap) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    view->map.setTarget(set, 0, -1, u"");
    receiver.fix(*kit, towards(0));
    EXPECT_TRUE(view->map.items().empty());
    EXPECT_LT(view->distance, 0);
}

TEST_F(NavigationViewTest, TheReceiverGivingUpIsToldAndOkGoesBack) {
    view->showStop(4026, 3, stopNamed(u"Nádraží"), 0);
    std::vector<std::u16string> boxes;
    platform::shell::setMessageBoxAnswerer([&](const platform::shell::MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return static_cast<int>(platform::shell::IDOK);
    });
    platform::postMessage(view->handle(), WM_GPS_STOPPED, 0, 0);
    kit->pump();
    platform::shell::setMessageBoxAnswerer({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], u"GPS modul byl odpojen.");
    platform::sendMessage(view->handle(), ui::WM_COMMAND, kCommandNavigationOk, 0);
    EXPECT_EQ(receiver.target, platform::kNullWindow);
    ASSERT_EQ(tab->shown.size(), 1u);
    EXPECT_EQ(tab->shown[0], (std::pair<int, int>{4026, -2}));
}

// A scale the engine gives back as zero or below places nothing and is asked for again.
double returnedScale = 0;
std::int32_t brokenScale(std::int32_t, double, double, double* scale, const std::uint16_t*, const std::int32_t*,
                         std::int32_t, std::uint16_t, std::int32_t, std::int32_t, std::int32_t, TrasaPixel** pixels,
                         char*** names, std::int32_t** lengths, double** distances, double** bearings,
                         std::uint8_t* placed) {
    *scale = returnedScale;
    *pixels = static_cast<TrasaPixel*>(std::malloc(sizeof(TrasaPixel)));
    **pixels = TrasaPixel{2000000000, -2000000000};
    *names = static_cast<char**>(std::calloc(1, sizeof(char*)));
    *lengths = static_cast<std::int32_t*>(std::calloc(1, sizeof(std::int32_t)));
    *distances = static_cast<double*>(std::malloc(sizeof(double)));
    **distances = 10;
    *bearings = static_cast<double*>(std::malloc(sizeof(double)));
    **bearings = 0;
    *placed = 1;
    return ENGINE_OK;
}

TEST_F(NavigationViewTest, AScaleOfZeroOrBelowShowsNoMapAndIsChosenAgain) {
    EngineApi broken = api();
    broken.api_gpsGetMapActualCenter = &brokenScale;
    cGpsMapControl map(broken);
    ASSERT_TRUE(map.createMap(view->handle(), 1));
    ui::moveWindow(map.handle(), 0, 0, 200, 200);
    map.setTarget(set, 0, 0, u"");
    for (const double scale : {0.0, -3.0, std::nan("")}) {
        returnedScale = scale;
        EXPECT_LT(map.update(towards(0)).distance, 0) << scale;
        EXPECT_TRUE(map.items().empty());
        EXPECT_EQ(map.scale(), kFitScale);
    }
    // A usable scale with the stop far off the map: the cross and its name stay clipped to it.
    returnedScale = 5;
    EXPECT_EQ(map.update(towards(0)).distance, 10);
    platform::draw::Bitmap picture(200, 200);
    map.paintInto(picture);
    EXPECT_EQ(map.items().size(), 2u);
}

// The view on the program's receiver over the fake position source: the receiver's thread
// posts the fixes, the view shows them; a receiver that cannot open is reported.
class NavigationOnReceiverTest : public NavigationViewTest {
protected:
    void SetUp() override {
        NavigationViewTest::SetUp();
        auto fake = std::make_unique<platform::services::FakeGpsSource>();
        source = fake.get();
        gps = std::make_unique<cGpsReceiver>(std::move(fake));
        context.gps = gps.get();
        view->receiver = &link;
    }
    void TearDown() override {
        gps->stop();
        view->receiver = nullptr;
        NavigationViewTest::TearDown();
    }
    // Lets the receiver's thread hand over what was queued (real time for the thread, virtual
    // time for the messages), until the test sees what it waits for.
    template <typename Done>
    bool until(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            kit->advance(5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
    static platform::services::GpsPosition fixAt(GeoPoint p, double heading) {
        platform::services::GpsPosition position;
        position.latitude = p.latitude;
        position.longitude = p.longitude;
        position.heading = heading;
        position.fixQuality = 1;
        position.fixType = 3;
        return position;
    }

    platform::services::FakeGpsSource* source = nullptr;
    std::unique_ptr<cGpsReceiver> gps;
    GpsReceiverLink link{context};
};

TEST_F(NavigationOnReceiverTest, FixesFromTheReceiverBringTheStopNearer) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    ASSERT_EQ(tab->shown.size(), 1u);
    EXPECT_EQ(tab->shown[0].first, 4045);
    double last = 1e9;
    for (int step = 0; step < 4; ++step) {
        source->pushPosition(fixAt(towards(step / 4.0), 200));
        ASSERT_TRUE(until([&] { return view->distance > 0 && view->distance < last; })) << step;
        last = view->distance;
    }
    EXPECT_NE(view->arrow.angle(), kNoAngle);
    platform::sendMessage(view->handle(), ui::WM_COMMAND, kCommandNavigationOk, 0);
    EXPECT_EQ(tab->shown.back(), (std::pair<int, int>{4026, -2}));
}

TEST_F(NavigationOnReceiverTest, AReceiverThatCannotOpenIsReported) {
    source->failOpen("no gpsd");
    std::vector<std::u16string> boxes;
    platform::shell::setMessageBoxAnswerer([&](const platform::shell::MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return static_cast<int>(platform::shell::IDOK);
    });
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    EXPECT_TRUE(until([&] { return !boxes.empty(); }));
    platform::shell::setMessageBoxAnswerer({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], u"GPS modul byl odpojen.");
    EXPECT_TRUE(view->map.items().empty());
}

class NavigationShotsTest : public NavigationViewTest, public ::testing::WithParamInterface<const char*> {
protected:
    const char* profile() const override { return GetParam(); }
};

// Half way to the stop with a heading: map, arrow, label, caption and button as a person sees them.
TEST_P(NavigationShotsTest, TheViewMatchesItsGoldenImage) {
    view->showStop(4026, 0, stopNamed(u"Nádraží"), 0);
    receiver.heading = 200;
    for (int step = 0; step < 6; ++step) receiver.fix(*kit, towards(step / 10.0));
    kit->pump();
    std::string name = GetParam();
    if (const char* dir = std::getenv("TRASA_SHOT_DIR")) kit->saveScreenshot(std::string(dir) + "/nav" + name + ".png");
    const std::string file = std::string(TRASA_SOURCE_DIR) + "/tests/app/screens/navigation/golden/navigation_" + name + ".png";
    std::string report;
    EXPECT_TRUE(platform::testkit::matchesGolden(kit->screenshot(), file, 48, 400, &report)) << report;
}

INSTANTIATE_TEST_SUITE_P(Profiles, NavigationShotsTest, ::testing::Values("480x640", "240x320", "240x320-keypad"),
                         profileTestName);

}  // namespace
}  // namespace pelorvant::testing
