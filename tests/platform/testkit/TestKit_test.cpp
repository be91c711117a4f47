#include "platform/backends/demo/DemoWindow.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/MessageSpy.h"
#include "platform/testkit/UiTestKit.h"

#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::testkit {
namespace {

using draw::Rect;

WindowHandle makeWindow(const std::string& cls, const std::u16string& text, std::uint32_t style,
                        Rect rect, WindowHandle parent = kNullWindow, std::uintptr_t id = 0) {
    ui::CreateParams p;
    p.className = cls;
    p.text = text;
    p.style = style;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return ui::createWindow(p, ui::defWindowProc);
}

std::string golden(const std::string& name) {
    return std::string(TRASA_SOURCE_DIR) + "/tests/platform/testkit/golden/" + name;
}

TEST(TestKit, DumpsTheWindowTreeForGoldenFiles) {
    UiTestKit kit;
    const WindowHandle frame =
        makeWindow("cTabFrame", u"Pelorvant", ui::WS_VISIBLE, Rect{0, 0, 240, 294});
    const WindowHandle host = makeWindow("cTabHost", u"", ui::WS_CHILD | ui::WS_VISIBLE,
                                         Rect{0, 0, 240, 294}, frame, 0xE900);
    makeWindow("cTabStrip", u"Nová záložka", ui::WS_CHILD | ui::WS_VISIBLE, Rect{3, 1, 83, 21},
               host, 452);
    const WindowHandle view = makeWindow("VyberRadu", u"VyberRadu", ui::WS_CHILD | ui::WS_DISABLED,
                                         Rect{0, 25, 240, 294}, host, 4025);
    ui::enableWindow(view, true);
    ui::setFocus(host);
    EXPECT_EQ(kit.dumpTree(),
              "cTabFrame id=0 [0,0 240x294] visible \"Pelorvant\"\n"
              "  cTabHost id=59648 [0,0 240x294] visible focus \"\"\n"
              "    VyberRadu id=4025 [0,25 240x269] hidden \"VyberRadu\"\n"
              "    cTabStrip id=452 [3,1 80x20] visible \"Nová záložka\"\n");
    EXPECT_EQ(kit.find(u"Nová záložka"), ui::getDlgItem(host, 452));
    EXPECT_EQ(kit.find("VyberRadu", 4025), view);
    EXPECT_EQ(kit.find("VyberRadu", 4026), kNullWindow);
}

TEST(TestKit, DragsCarryTheirTimingAndTapsFindTheWindow) {
    UiTestKit kit;
    const WindowHandle frame = makeWindow("Frame", u"f", ui::WS_VISIBLE, Rect{0, 0, 240, 320});
    const WindowHandle list =
        makeWindow("List", u"l", ui::WS_CHILD | ui::WS_VISIBLE, Rect{0, 100, 240, 300}, frame);
    MessageSpy spy(list);
    kit.tap(list);
    auto downs = spy.only({ui::WM_LBUTTONDOWN});
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(ui::xOfLParam(downs[0].lParam), 120);
    EXPECT_EQ(ui::yOfLParam(downs[0].lParam), 100);
    spy.clear();
    const std::uint64_t start = kit.clock().now();
    kit.drag(draw::Point{100, 250}, draw::Point{100, 210}, 100, 4);
    const auto moves = spy.only({ui::WM_MOUSEMOVE});
    ASSERT_EQ(moves.size(), 4u);
    EXPECT_EQ(moves.front().time - start, 25u);
    EXPECT_EQ(moves.back().time - start, 100u);
    EXPECT_EQ(ui::yOfLParam(moves.back().lParam), 110);
    EXPECT_EQ(spy.count(ui::WM_LBUTTONUP), 1u);
}

TEST(TestKit, KeysTypingAndSoftKeysReachTheFocus) {
    UiTestKit kit("240x320-keypad");
    const WindowHandle edit = makeWindow("Edit", u"e", ui::WS_VISIBLE, Rect{0, 0, 100, 20});
    ui::setFocus(edit);
    MessageSpy spy(edit);
    kit.type(u"Ústí");
    kit.softKey(2);
    kit.key(ui::VK_0 + 5);
    std::u16string typed;
    for (const Message& m : spy.only({ui::WM_CHAR})) {
        typed.push_back(static_cast<char16_t>(m.wParam));
    }
    EXPECT_EQ(typed, u"Ústí5");
    const auto keys = spy.only({ui::WM_KEYDOWN});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, ui::VK_TSOFT2);
}

TEST(TestKit, TimersFireInVirtualTime) {
    UiTestKit kit;
    const WindowHandle demo = demo::createDemoWindow();
    kit.pump();  // its first paint
    MessageSpy spy(demo);
    kit.advance(demo::kDemoTickInterval - 1);
    EXPECT_EQ(spy.count(ui::WM_TIMER), 0u);
    kit.advance(1);
    EXPECT_EQ(spy.count(ui::WM_TIMER), 1u);
    kit.advance(2 * demo::kDemoTickInterval);
    EXPECT_EQ(spy.count(ui::WM_TIMER), 3u);
    EXPECT_EQ(spy.count(ui::WM_PAINT), 3u);  // each tick repaints, each before the next tick
}

TEST(TestKit, DemoScreenMatchesItsGoldenImage) {
    UiTestKit kit("240x320", Text::Real);
    demo::createDemoWindow();
    kit.advance(demo::kDemoTickInterval);  // "Tick 1"
    std::string report;
    // Font hinting may differ slightly between machines: allow a little.
    EXPECT_TRUE(matchesGolden(kit.screenshot(), golden("demo_240x320.png"), 48, 400, &report))
        << report;
}

TEST(TestKit, ImageComparisonCountsOnlyClearDifferences) {
    draw::Bitmap a(4, 4, draw::rgb(100, 100, 100));
    draw::Bitmap b(4, 4, draw::rgb(100, 100, 100));
    b.setPixel(0, 0, draw::rgb(110, 100, 100));  // within the tolerance
    b.setPixel(1, 0, draw::rgb(100, 100, 200));
    const ImageDifference d = compareImages(a, b, 20);
    EXPECT_TRUE(d.sameSize);
    EXPECT_EQ(d.differing, 1);
    EXPECT_FALSE(compareImages(a, draw::Bitmap(4, 5), 20).sameSize);
}

}  // namespace
}  // namespace platform::testkit
