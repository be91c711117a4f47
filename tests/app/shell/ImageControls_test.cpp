// The image-name registry and the image controls: picture box, image strip, image button.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ImageStrip.h"
#include "app/shell/PictureBox.h"
#include "app/shell/ShellException.h"

#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;

TEST(ImageNameRegistry, EveryNameLoadsItsBitmap) {
    registerImageNames();
    const std::pair<const char16_t*, std::uint16_t> names[] = {
        {u"infoC", 141},        {u"infoM", 159},        {u"infoMD", 160},
        {u"infoO", 170},        {u"infoR", 171},        {u"infoF", 169},
        {u"infoZ", 168},        {u"sipka", 142},        {u"sipkaS", 143},
        {u"sipkaD", 144},       {u"logo", 191},         {u"tab_add_down", 148},
        {u"tab_add_down_focused", 164},                 {u"tab_add_up", 147},
        {u"tab_close_11", 269}, {u"tab_close_13", 270}, {u"tab_close_15", 271},
        {u"tab_close_17", 272}, {u"tab_close_19", 273}, {u"tab_close_21", 274},
        {u"tab_close_23", 275}, {u"tab_close_25", 276}, {u"tab_close_27", 268}};
    for (const auto& [name, id] : names) {
        EXPECT_EQ(imageIdForName(name), id);
        EXPECT_FALSE(loadNamedImage(name).empty());
    }
}

TEST(ImageNameRegistry, AnUnknownNameHasIdZeroAndLoadsNothing) {
    registerImageNames();
    EXPECT_EQ(imageIdForName(u"nothing"), 0);
    EXPECT_EQ(imageIdForName(u""), 0);
    EXPECT_TRUE(loadImageBitmap(0).empty());
    try {
        loadNamedImage(u"nothing");
        FAIL() << "no exception";
    } catch (const ShellException& e) {
        EXPECT_STREQ(e.what(), "No image loaded Exception");
    }
}

TEST(PictureBox, AMissingPictureThrowsAndMakesNoWindow) {
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    registerImageNames();
    cPictureBox missing(u"nothing");
    EXPECT_THROW(missing.createBox(host.window(), Rect{0, 0, 50, 50}, 1), ShellException);
    EXPECT_EQ(missing.handle(), platform::kNullWindow);
    cPictureBox logo(u"logo");
    EXPECT_TRUE(logo.createBox(host.window(), Rect{0, 0, 50, 50}, 2));
}

class ImageStripTest : public ::testing::Test {
protected:
    void SetUp() override { registerImageNames(); }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
};

TEST_F(ImageStripTest, GridItemsByQuadrant) {
    struct Case {
        Point at;
        int item;
    };
    const Rect client{0, 0, 100, 60};
    const Case cases[] = {{{0, 0}, 0},   {{49, 29}, 0}, {{50, 29}, 1}, {{99, 0}, 1},
                          {{49, 30}, 2}, {{0, 59}, 2},  {{50, 30}, 3}, {{99, 59}, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(cImageStrip::itemAt(client, c.at), c.item) << c.at.x << "," << c.at.y;
    }
}

TEST_F(ImageStripTest, TapsReportTheItemOrTheClickWithTheReportValue) {
    // A grid needs the item pictures "<pressed>1" to "<pressed>3".
    EXPECT_THROW(cImageStrip(u"infoC", u"infoM", u"", true, 5), ShellException);
    for (char16_t i : {u'1', u'2', u'3'}) {
        registerImageName(std::u16string(u"infoM") + i, 160);
    }
    cImageStrip grid(u"infoC", u"infoM", u"", true, 5);
    ASSERT_TRUE(grid.createStrip(host.window(), Rect{100, 100, 200, 160}, 2));
    kit.tap(Point{150, 130});  // the exact centre: right lower
    kit.tap(Point{101, 101});
    ASSERT_EQ(host.seen().size(), 2u);
    EXPECT_EQ(host.seen()[0].message, WM_IMAGESTRIP_ITEM3);
    EXPECT_EQ(host.seen()[0].wParam, 5u);
    EXPECT_EQ(host.seen()[1].message, WM_IMAGESTRIP_ITEM0);
    EXPECT_EQ(grid.activeItem, 0);
    host.seen().clear();

    cImageStrip click(u"tab_add_up", u"tab_add_down", u"tab_add_down_focused", false, 77);
    ASSERT_TRUE(click.createStrip(host.window(), Rect{10, 10, 110, 70}, 1));
    kit.tap(Point{60, 40});
    ASSERT_EQ(host.seen().size(), 1u);
    EXPECT_EQ(host.seen()[0].message, WM_IMAGEBUTTON_CLICK);
    EXPECT_EQ(host.seen()[0].wParam, 77u);
    EXPECT_FALSE(click.pressed);
}

TEST_F(ImageStripTest, KeysReportToTheParent) {
    cImageStrip strip(u"tab_add_up", u"tab_add_down", u"", false, 3);
    ASSERT_TRUE(strip.createStrip(host.window(), Rect{10, 10, 110, 70}, 1));
    ui::setFocus(strip.handle());
    EXPECT_TRUE(strip.focusLook);
    kit.keyDown(ui::VK_RETURN);
    EXPECT_TRUE(strip.pressed);
    EXPECT_TRUE(host.seen().empty());
    kit.keyUp(ui::VK_RETURN);
    EXPECT_FALSE(strip.pressed);
    kit.key(ui::VK_LEFT);
    ASSERT_EQ(host.seen().size(), 2u);
    EXPECT_EQ(host.seen()[0].message, WM_IMAGEBUTTON_ENTER);
    EXPECT_EQ(host.seen()[0].wParam, 13u);
    EXPECT_EQ(host.seen()[1].message, WM_IMAGEBUTTON_KEY);
    EXPECT_EQ(host.seen()[1].wParam, ui::VK_LEFT);
    ui::setFocus(host.window());
    EXPECT_FALSE(strip.focusLook);
}

TEST_F(ImageStripTest, AStripWithoutImagesDrawsNothingUntilItGetsSome) {
    cImageStrip strip(u"", u"", u"", false, 0);
    ASSERT_TRUE(strip.createStrip(host.window(), Rect{0, 0, 40, 40}, 1));
    kit.pump();
    const auto background = kit.screenshot().pixel(20, 20);
    EXPECT_EQ(background, platform::draw::rgb(255, 255, 255));
    strip.setImages(u"tab_close_27", u"", true);
    kit.pump();
    bool differs = false;
    for (int y = 0; y < 40 && !differs; ++y) {
        for (int x = 0; x < 40 && !differs; ++x) {
            differs = kit.screenshot().pixel(x, y) != background;
        }
    }
    EXPECT_TRUE(differs) << "the picture was not drawn";
    EXPECT_THROW(strip.setImages(u"nothing", u"", true), ShellException);
    EXPECT_TRUE(strip.hasImages) << "a failed change keeps the pictures";
}

TEST_F(ImageStripTest, APictureWithTransparentCornersLooksTheSameAfterEveryRepaint) {
    cImageStrip strip(u"tab_add_up", u"tab_add_down", u"", false, 0);
    ASSERT_TRUE(strip.createStrip(host.window(), Rect{0, 0, 23, 23}, 1));
    kit.pump();
    std::vector<platform::draw::Color> first;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x)
            first.push_back(kit.screenshot().pixel(x, y));
    }
    for (int i = 0; i < 3; ++i) {
        ui::invalidateRect(strip.handle(), nullptr, false);  // as the strip asks for its paints
        kit.pump();
    }
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x) {
            ASSERT_EQ(kit.screenshot().pixel(x, y), first[static_cast<std::size_t>(y * 23 + x)])
                << x << "," << y;
        }
    }
}

TEST(ImageButton, ArrowsMoveTheFocusAndASmartphoneShowsABorder) {
    for (const char* profile : {"240x320", "240x320-keypad"}) {
        platform::testkit::UiTestKit kit(profile);
        testing::ViewHost host;
        cImageButton button(4);
        ASSERT_TRUE(button.createButton(host.window(), u"Ok", Rect{10, 10, 90, 40}, 1));
        ui::setFocus(button.handle());
        const bool keypad = std::string(profile).find("keypad") != std::string::npos;
        EXPECT_EQ((ui::getStyle(button.handle()) & ui::WS_BORDER) != 0, keypad) << profile;
        kit.key(ui::VK_DOWN);
        kit.key(ui::VK_UP);
        kit.key(ui::VK_TAB);
        ASSERT_EQ(host.seen().size(), 3u);
        const std::uintptr_t expected[] = {0, 1, 0};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(host.seen()[i].message, WM_MOVE_FOCUS);
            EXPECT_EQ(host.seen()[i].wParam, expected[i]);
            EXPECT_EQ(host.seen()[i].lParam, 4);
        }
        ui::setFocus(host.window());
        EXPECT_EQ(ui::getStyle(button.handle()) & ui::WS_BORDER, 0u);
    }
}

}  // namespace
}  // namespace pelorvant
