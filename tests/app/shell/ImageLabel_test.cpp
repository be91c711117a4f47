// The rich-text label as a window: scrolling by keys within the text, the tap message, the
// scroll bar, very tall texts, and how one rich text looks on the small and the large screen.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageNameRegistry.h"
#include "tools/shelldemo/ShellDemoScreen.h"

#include "platform/testkit/ImageCompare.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;
using platform::draw::rgb;

std::u16string lines(int n) {
    std::u16string text;
    for (int i = 0; i < n; ++i) {
        text += u"line " + std::u16string(1, char16_t(u'a' + i % 26)) + u"\r";
    }
    return text;
}

class ImageLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerImageNames();
        ASSERT_TRUE(label.createList(host.window(), Rect{0, 0, 200, 100}, 2031));
    }
    platform::testkit::UiTestKit kit;  // 240 × 320, font height 16, synthetic text
    testing::ViewHost host;
    ImageLabel label{true};
};

TEST_F(ImageLabelTest, KeysScrollByLinesWithinTheText) {
    label.SetText(lines(20));
    // 20 lines of 16 pixels and a third of the last one.
    EXPECT_EQ(label.GetTextHeight(), 20 * 16 + 4);
    EXPECT_TRUE(label.scrollBarVisible());
    EXPECT_EQ(label.wrapWidth, 200 - static_cast<int>(1.3 * 13));
    ui::setFocus(label.handle());
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(label.scrollPos, 32);
    kit.key(ui::VK_UP);
    EXPECT_EQ(label.scrollPos, 16);
    for (int i = 0; i < 30; ++i) {
        kit.key(ui::VK_DOWN);
    }
    EXPECT_EQ(label.scrollPos, label.GetTextHeight() - 100);
    for (int i = 0; i < 30; ++i) {
        kit.key(ui::VK_UP);
    }
    EXPECT_EQ(label.scrollPos, 0);
}

TEST_F(ImageLabelTest, AShortTextNeedsNoScrollBar) {
    label.SetText(u"short");
    EXPECT_FALSE(label.scrollBarVisible());
    EXPECT_EQ(label.clientRect.width(), 200);
    ui::setFocus(label.handle());
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(label.scrollPos, 0);
}

TEST_F(ImageLabelTest, AnEmptyTextFillsTheClientWithTheBackground) {
    label.setColors({rgb(255, 255, 201), rgb(0, 0, 0)});
    label.SetText(u"");
    EXPECT_EQ(label.GetTextHeight(), 0);
    EXPECT_EQ(label.offscreen().size(), (platform::draw::Size{200, 100}));
    EXPECT_EQ(label.offscreen().pixel(0, 0), rgb(255, 255, 201));
    EXPECT_EQ(label.offscreen().pixel(199, 99), rgb(255, 255, 201));
}

TEST_F(ImageLabelTest, ATapTellsTheParent) {
    label.SetText(u"tap me");
    kit.tap(Point{50, 50});
    ASSERT_EQ(host.seen().size(), 1u);
    EXPECT_EQ(host.seen()[0].message, WM_LABEL_TAPPED);
}

TEST_F(ImageLabelTest, AVeryTallTextIsDrawnAsItScrollsIntoView) {
    label.SetText(lines(800));  // 12 800 pixels
    EXPECT_LE(label.offscreen().height(), kLabelBitmapMaxHeight);
    const int last = label.maxScrollPos();
    label.SetScrollPos(last);
    kit.pump();
    EXPECT_EQ(label.scrollPos, last);
    // The visible part shows text, not an empty background.
    bool inked = false;
    const auto& shot = kit.screenshot();
    for (int y = 0; y < 100 && !inked; ++y) {
        for (int x = 0; x < 150 && !inked; ++x) {
            inked = shot.pixel(x, y) != rgb(255, 255, 255);
        }
    }
    EXPECT_TRUE(inked);
}

TEST(ImageLabelPixels, ARichTextOnBothScreens) {
    for (const char* profile : {"240x320", "480x640"}) {
        platform::testkit::UiTestKit kit(profile, platform::testkit::Text::Real);
        registerImageNames();
        testing::ViewHost host;
        ImageLabel label(true);
        const auto size = ui::screenSize();
        ASSERT_TRUE(label.createList(host.window(), Rect{0, 0, size.width, size.height}, 1));
        label.SetText(shelldemo::richDemoText());
        kit.pump();
        std::string report;
        const std::string golden = std::string(TRASA_SOURCE_DIR) +
                                   "/tests/app/shell/golden/label_" + profile + ".png";
        EXPECT_TRUE(platform::testkit::matchesGolden(kit.screenshot(), golden, 48, 400, &report))
            << profile << ": " << report;
    }
}

}  // namespace
}  // namespace pelorvant
