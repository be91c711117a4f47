// Finger scrolling of a list on the virtual clock: drags, flicks, the direction rule, the decay
// and the ends of the list.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/KineticScroller.h"
#include "app/shell/ScrollList.h"

#include "platform/testkit/MessageSpy.h"

#include <gtest/gtest.h>

#include <cmath>

namespace pelorvant {
namespace {

using platform::draw::Point;

// A 200 × 320 list over a content of 2000 pixels.
class KineticTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.createList(host.window(), Rect{0, 0, 200, 320}, 1));
        list.SetContentHeight(2000);
    }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cScrollList list;
};

TEST_F(KineticTest, AFlickGoesOnAfterTheFingerLifts) {
    kit.drag(Point{100, 200}, Point{100, 160}, 100);
    // The drag itself scrolled the content along with the finger.
    EXPECT_EQ(list.scrollPos, 40);
    EXPECT_TRUE(list.scroller.running());
    EXPECT_NEAR(list.scroller.speed, 8.4, 1e-9);
    kit.advance(10);  // the first tick: 8.4 × 10/11 = 7.6
    EXPECT_EQ(list.scrollPos, 47);
    kit.advance(1000);
    EXPECT_FALSE(list.scroller.running());
    const int stopped = list.scrollPos;
    EXPECT_GT(stopped, 47);
    kit.advance(1000);
    EXPECT_EQ(list.scrollPos, stopped);
}

TEST_F(KineticTest, AFlickDownScrollsBack) {
    list.SetScrollPos(500);
    kit.drag(Point{100, 100}, Point{100, 160}, 100);
    EXPECT_EQ(list.scrollPos, 440);
    EXPECT_LT(list.scroller.speed, 0);
    kit.advance(1000);
    EXPECT_LT(list.scrollPos, 440);
}

TEST_F(KineticTest, SlowOrShortMovesDoNotFlick) {
    struct Case {
        int distance;
        std::uint64_t ms;
    };
    // Slower than 500 ms, or shorter than a thirtieth of the list's height (10 pixels).
    const Case cases[] = {{40, 600}, {9, 50}};
    for (const Case& c : cases) {
        list.SetScrollPos(100);
        kit.drag(Point{100, 200}, Point{100, 200 - c.distance}, c.ms);
        EXPECT_FALSE(list.scroller.running()) << c.distance << " in " << c.ms;
        kit.advance(500);
        // A slow drag still moves the content with the finger, but no further.
        EXPECT_EQ(list.scrollPos, c.distance >= 4 ? 100 + c.distance : 100);
    }
}

TEST_F(KineticTest, SmallMovesAreStillATap) {
    platform::testkit::MessageSpy spy(list.handle());
    kit.drag(Point{100, 200}, Point{100, 197}, 200, 3);
    EXPECT_EQ(spy.count(WM_KINETIC_SCROLL), 0u);
    EXPECT_EQ(list.scrollPos, 0);
}

TEST_F(KineticTest, AChangeOfHorizontalDirectionSkipsOneSample) {
    list.scroller.press(100, 200, list.handle());
    list.scroller.drag(98, 190);  // starts moving: 10
    list.scroller.drag(96, 185);  // 5
    list.scroller.drag(94, 180);  // 5, three samples in one direction
    EXPECT_EQ(list.scrollPos, 20);
    list.scroller.drag(98, 175);  // turned right: no step
    EXPECT_EQ(list.scrollPos, 20);
    list.scroller.drag(100, 170);  // on from the skipped sample
    EXPECT_EQ(list.scrollPos, 25);
}

TEST_F(KineticTest, MotionStopsAtTheEndsOfTheList) {
    const int last = list.maxScrollPos();
    EXPECT_EQ(last, 2000 - 2 - 320);
    list.SetScrollPos(last - 30);
    // A very fast flick towards the end.
    kit.drag(Point{100, 300}, Point{100, 20}, 20, 4);
    EXPECT_EQ(list.scrollPos, last);
    kit.advance(20);
    EXPECT_FALSE(list.scroller.running()) << "the motion ends at the end of the list";
    EXPECT_EQ(list.scrollPos, last);

    // And towards the top.
    list.SetScrollPos(30);
    kit.drag(Point{100, 20}, Point{100, 300}, 20, 4);
    kit.advance(1000);
    EXPECT_EQ(list.scrollPos, 0);
    EXPECT_FALSE(list.scroller.running());
}

TEST_F(KineticTest, ContentThatFitsDoesNotScroll) {
    list.SetContentHeight(100);
    EXPECT_FALSE(list.scrollBarVisible());
    EXPECT_EQ(list.clientRect.width(), 200);
    kit.drag(Point{100, 200}, Point{100, 100}, 50);
    kit.advance(500);
    EXPECT_EQ(list.scrollPos, 0);
}

TEST_F(KineticTest, TheScrollBarShowsAtTheRightEdge) {
    EXPECT_TRUE(list.scrollBarVisible());
    EXPECT_EQ(platform::ui::getWindowRectInParent(list.scrollBar),
              (Rect{200 - 13, 0, 200, 320}));
    EXPECT_EQ(list.clientRect.right, 200 - 13);
    // Positions outside the bar's range are refused.
    list.SetScrollPos(5000);
    EXPECT_EQ(list.scrollPos, 0);
    list.SetScrollPos(-1);
    EXPECT_EQ(list.scrollPos, 0);
}

}  // namespace
}  // namespace pelorvant
