// The hint window on the virtual clock: its delay and display time, and where it goes beside
// targets near the top and the bottom of the page.

#include "app/shell/HintWindow.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ShellSettings.h"
#include "ViewHost.h"

#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;

class HintTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerImageNames();
        ASSERT_TRUE(hint.createHint(host.window()));
    }
    platform::WindowHandle target(const Rect& r) {
        ui::CreateParams p;
        p.className = "Target";
        p.style = ui::WS_CHILD | ui::WS_VISIBLE;
        p.rect = r;
        p.parent = host.window();
        return ui::createWindow(p, ui::defWindowProc);
    }
    bool visible() const { return ui::isWindowVisible(hint.handle()); }
    Rect placed() const { return ui::getWindowRectInParent(hint.handle()); }

    platform::testkit::UiTestKit kit;  // 240 × 320, font height 16
    testing::ViewHost host;
    cHintWindow hint;
};

TEST_F(HintTest, ShownAfterTheDelayAndHiddenAfterTheDisplayTime) {
    hint.ShowHintForControl(target(Rect{20, 150, 120, 170}), u"Tip", 2000, 0, 0, 0, 0);
    kit.advance(699);
    EXPECT_FALSE(visible());
    kit.advance(1);
    EXPECT_TRUE(visible());
    EXPECT_EQ(kit.screenshot().pixel(placed().left + 2, placed().top + 1), kHintColor);
    kit.advance(1999);
    EXPECT_TRUE(visible());
    kit.advance(1);
    EXPECT_FALSE(visible());
    kit.advance(5000);
    EXPECT_FALSE(visible());
}

TEST_F(HintTest, ATapHidesIt) {
    hint.ShowHintForControl(target(Rect{20, 150, 120, 170}), u"Tip", 5000, 0, 0, 0, 0);
    kit.advance(700);
    ASSERT_TRUE(visible());
    kit.tap(Point{placed().left + 5, placed().top + 5});
    EXPECT_FALSE(visible());
}

TEST_F(HintTest, PreparedTwiceItShowsOnceWithTheSecondText) {
    const auto t = target(Rect{20, 150, 120, 170});
    hint.ShowHintForControl(t, u"first", 1000, 0, 0, 0, 0);
    kit.advance(400);
    hint.ShowHintForControl(t, u"second", 1000, 0, 0, 0, 0);
    kit.advance(400);
    EXPECT_FALSE(visible());
    kit.advance(300);
    EXPECT_TRUE(visible());
    EXPECT_EQ(hint.hintText, u"second");
    kit.advance(1000);
    EXPECT_FALSE(visible());
}

TEST_F(HintTest, PlacementBesideTheTarget) {
    const int fh = shellSettings().fontHeight();
    const int g = fh / 4;
    struct Case {
        Rect target;
        int mode;  // -1 automatic, 0 above, 1 below
        bool above;
    };
    const Case cases[] = {
        {{20, 250, 120, 270}, -1, true},   // room above
        {{20, 5, 120, 25}, -1, false},     // near the top: below
        {{20, 250, 120, 270}, 1, false},   // asked for below
        {{20, 5, 120, 25}, 0, true},       // asked for above (even off the page)
    };
    for (const Case& c : cases) {
        const auto t = target(c.target);
        if (c.mode < 0) {
            hint.ShowHintForControl(t, u"Nápověda", 1000, 0, 0, 0, 0);
        } else {
            hint.ShowHintForControl(t, u"Nápověda", 1000, 0, 0, 0, 0, c.mode == 1);
        }
        const Rect r = placed();
        if (c.above) {
            EXPECT_EQ(r.bottom, c.target.top - g) << c.target.top;
        } else {
            EXPECT_GE(r.top, c.target.bottom) << c.target.top;
            EXPECT_LE(r.top, c.target.bottom + g) << c.target.top;
        }
        if (c.mode == 1) {
            // Below: against the page's right edge.
            EXPECT_EQ(r.right, 240 + fh / 3 - fh / 5 - fh / 3) << c.target.top;
        } else {
            EXPECT_EQ(r.left, fh / 3) << c.target.top;
        }
        EXPECT_LE(r.right, 240);
    }
}

TEST_F(HintTest, WithoutRoomAboveOrBelowTheCallersOffsetsPlaceIt) {
    // A target as tall as the page: neither above nor below has room.
    const int fh = shellSettings().fontHeight();
    hint.ShowHintForControl(target(Rect{20, 0, 120, 320}), u"Tip", 1000, 0, 100, 0, 40);
    const Rect r = placed();
    const int height = r.height();
    EXPECT_EQ(r.top, 100 - fh / 4 - height);
}

}  // namespace
}  // namespace pelorvant
