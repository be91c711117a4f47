// Buttons, check boxes, radio buttons and static text driven by taps and keys.

#include "ControlHost.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;
using Seen = std::vector<std::string>;

ControlHost makeHost() {
    return ControlHost({{BN_CLICKED, "CLICKED"}});
}

TEST(Button, TapClicksOnceAndTakesTheFocus) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle b = host.add(kButtonClass, u"OK", BS_PUSHBUTTON, Rect{10, 10, 90, 40}, 7);
    kit.tap(b);
    EXPECT_EQ(host.seen(), (Seen{"7:CLICKED"}));
    EXPECT_EQ(ui::getFocus(), b);
}

TEST(Button, MovedToAnotherParentNotifiesThatParent) {
    testkit::UiTestKit kit;
    ControlHost first = makeHost();
    ControlHost second = makeHost();
    const WindowHandle b = first.add(kButtonClass, u"OK", BS_PUSHBUTTON, Rect{10, 10, 90, 40}, 7);
    ASSERT_EQ(ui::setParent(b, second.window()), first.window());
    ui::moveWindow(b, 20, 60, 80, 30);
    kit.tap(Point{60, 75});
    EXPECT_TRUE(first.seen().empty());
    EXPECT_EQ(second.seen(), (Seen{"7:CLICKED"}));
}

TEST(Button, ReleaseOutsideDoesNotClickAndPressLooksPushed) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle b = host.add(kButtonClass, u"OK", BS_PUSHBUTTON, Rect{10, 10, 90, 40}, 7);
    kit.press(Point{50, 25});
    EXPECT_EQ(sendMessage(b, BM_GETSTATE) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(kit.screenshot().pixel(20, 15), kPushedColor);
    kit.move(Point{150, 100});
    EXPECT_EQ(sendMessage(b, BM_GETSTATE) & BST_PUSHED, 0);
    kit.release(Point{150, 100});
    EXPECT_TRUE(host.seen().empty());
    EXPECT_EQ(kit.screenshot().pixel(20, 15), kFaceColor);
}

TEST(Button, KeysAndBmClickClickTheFocusedButton) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle b = host.add(kButtonClass, u"OK", BS_PUSHBUTTON, Rect{10, 10, 90, 40}, 7);
    ui::setFocus(b);
    kit.key(ui::VK_SPACE);
    kit.key(ui::VK_RETURN);
    kit.key(ui::VK_LEFT);  // not a click
    sendMessage(b, BM_CLICK);
    EXPECT_EQ(host.seen(), (Seen{"7:CLICKED", "7:CLICKED", "7:CLICKED"}));
}

TEST(CheckBox, AutomaticOnesToggleManualOnesOnlyNotify) {
    struct Case {
        std::uint32_t style;
        MsgResult afterOneTap;
        MsgResult afterTwoTaps;
    };
    const Case cases[] = {{BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED},
                          {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED}};
    for (const Case& c : cases) {
        testkit::UiTestKit kit;
        ControlHost host = makeHost();
        const WindowHandle b =
            host.add(kButtonClass, u"Lůžkový", c.style, Rect{10, 10, 200, 30}, 3);
        kit.tap(b);
        EXPECT_EQ(sendMessage(b, BM_GETCHECK), c.afterOneTap) << c.style;
        kit.tap(b);
        EXPECT_EQ(sendMessage(b, BM_GETCHECK), c.afterTwoTaps) << c.style;
        EXPECT_EQ(host.seen(), (Seen{"3:CLICKED", "3:CLICKED"})) << c.style;
    }
}

TEST(CheckBox, CheckMarkIsDrawnInTheSelectionColour) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle b = host.add(kButtonClass, u"A", BS_AUTOCHECKBOX, Rect{10, 10, 200, 30}, 3);
    kit.pump();
    // The box is 13 pixels (the font height) at the left, centred vertically: 10..23, 13..26.
    EXPECT_EQ(kit.screenshot().pixel(16, 19), kWindowColor);
    sendMessage(b, BM_SETCHECK, 1);
    EXPECT_EQ(kit.screenshot().pixel(16, 19), kSelectionColor);
    EXPECT_EQ(kit.screenshot().pixel(10, 19), kFrameColor);
}

TEST(RadioButton, TapChecksItAndUnchecksItsSiblingsBeforeTheParentHears) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle dep =
        host.add(kButtonClass, u"Odjezd", BS_AUTORADIOBUTTON, Rect{10, 10, 110, 30}, 2057);
    const WindowHandle arr =
        host.add(kButtonClass, u"Příjezd", BS_AUTORADIOBUTTON, Rect{120, 10, 220, 30}, 2058);
    sendMessage(dep, BM_SETCHECK, 1);
    MsgResult depAtClick = -1;
    MsgResult arrAtClick = -1;
    host.onCommand([&](unsigned, unsigned) {
        depAtClick = sendMessage(dep, BM_GETCHECK);
        arrAtClick = sendMessage(arr, BM_GETCHECK);
    });
    kit.tap(arr);
    EXPECT_EQ(host.seen(), (Seen{"2058:CLICKED"}));
    EXPECT_EQ(depAtClick, BST_UNCHECKED);
    EXPECT_EQ(arrAtClick, BST_CHECKED);
    kit.tap(arr);  // tapping the checked one keeps it checked
    EXPECT_EQ(sendMessage(arr, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(sendMessage(dep, BM_GETCHECK), BST_UNCHECKED);
}

TEST(RadioButton, IsDrawnRoundWithADiscWhenChosen) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    // The mark is 13 pixels (the font height) at the left, centred: 10..23 by 13..26.
    const WindowHandle b =
        host.add(kButtonClass, u"Odjezd", BS_AUTORADIOBUTTON, Rect{10, 10, 110, 30}, 2057);
    const auto at = [&](int x, int y) { return kit.screenshot().pixel(x, y); };
    // Round: the corners of the mark's square stay the window's colour, the ring's sides not.
    EXPECT_EQ(at(10, 13), kWindowColor);
    EXPECT_EQ(at(22, 25), kWindowColor);
    EXPECT_NE(at(10, 19), kWindowColor);
    EXPECT_NE(at(16, 13), kWindowColor);
    EXPECT_EQ(at(16, 19), kWindowColor);
    sendMessage(b, BM_SETCHECK, 1);
    EXPECT_EQ(at(16, 19), kSelectionColor);
    EXPECT_EQ(at(10, 13), kWindowColor);
}

TEST(Button, DisabledButtonIgnoresTaps) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle b =
        host.add(kButtonClass, u"X", BS_AUTOCHECKBOX | ui::WS_DISABLED, Rect{10, 10, 90, 40}, 4);
    kit.tap(b);
    EXPECT_TRUE(host.seen().empty());
    EXPECT_EQ(sendMessage(b, BM_GETCHECK), BST_UNCHECKED);
}

// Synthetic text: every character is a solid box 6 pixels wide and 13 high.
TEST(StaticText, AlignmentPlacesTheTextInItsRectangle) {
    struct Case {
        std::uint32_t style;
        int firstInkX;
    };
    // "abcd" is 24 pixels wide in a 100 pixel wide control at x 20.
    const Case cases[] = {{SS_LEFT, 20}, {SS_CENTER, 20 + 38}, {SS_RIGHT, 20 + 76}};
    for (const Case& c : cases) {
        testkit::UiTestKit kit;
        ControlHost host = makeHost();
        host.add(kStaticClass, u"abcd", c.style, Rect{20, 50, 120, 70}, 0);
        const draw::Bitmap& shot = kit.screenshot();
        int first = -1;
        for (int x = 20; x < 120 && first < 0; ++x) {
            if (shot.pixel(x, 60) != kWindowColor) {
                first = x;
            }
        }
        EXPECT_EQ(first, c.firstInkX) << c.style;
    }
}

TEST(StaticText, NewTextIsShownAndDumped) {
    testkit::UiTestKit kit;
    ControlHost host = makeHost();
    const WindowHandle s = host.add(kStaticClass, u"", SS_LEFT, Rect{20, 50, 120, 70}, 9);
    EXPECT_EQ(kit.screenshot().pixel(22, 60), kWindowColor);
    ui::setWindowText(s, u"Brno");
    EXPECT_EQ(kit.screenshot().pixel(22, 60), kTextColor);
    EXPECT_NE(kit.dumpTree().find("Static id=9 [20,50 100x20] visible \"Brno\""), std::string::npos)
        << kit.dumpTree();
}

}  // namespace
}  // namespace platform::controls
