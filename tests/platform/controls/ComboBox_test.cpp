// The drop-down-list combo box: strings, selection by keys and taps, the open list, losing
// the focus while open.

#include "ControlHost.h"

#include "platform/controls/ComboBox.h"
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

// Synthetic text: 13 pixels high, so each row of the open list is 21 pixels.
constexpr int kRow = 21;

class ComboTest : public ::testing::Test {
protected:
    ComboTest()
        : host({{CBN_SELCHANGE, "SELCHANGE"},
                {CBN_SETFOCUS, "SETFOCUS"},
                {CBN_KILLFOCUS, "KILLFOCUS"},
                {CBN_DROPDOWN, "DROPDOWN"},
                {CBN_CLOSEUP, "CLOSEUP"},
                {BN_CLICKED, "CLICKED"}}) {
        combo = host.add(kComboBoxClass, u"", CBS_DROPDOWNLIST | ui::WS_BORDER | ui::WS_VSCROLL,
                         Rect{10, 40, 150, 60}, 2048);
        for (const char16_t* s : {u"Vše", u"Vlak", u"Autobus", u"Tramvaj", u"vlak noční"}) {
            add(s);
        }
    }
    MsgResult add(std::u16string s) {
        return sendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&s));
    }
    MsgResult cur() const { return sendMessage(combo, CB_GETCURSEL); }
    bool open() const { return sendMessage(combo, CB_GETDROPPEDSTATE) != 0; }
    WindowHandle list() const { return kit.find("ComboLBox", kComboListId); }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle combo = kNullWindow;
};

TEST_F(ComboTest, StringsAndSelectionByMessageSendNothing) {
    EXPECT_EQ(sendMessage(combo, CB_GETCOUNT), 5);
    EXPECT_EQ(cur(), CB_ERR);
    EXPECT_EQ(sendMessage(combo, CB_SETCURSEL, 2), 2);
    EXPECT_EQ(cur(), 2);
    std::u16string got;
    EXPECT_EQ(sendMessage(combo, CB_GETLBTEXT, 2, reinterpret_cast<std::intptr_t>(&got)), 7);
    EXPECT_EQ(got, u"Autobus");
    EXPECT_EQ(sendMessage(combo, CB_SETCURSEL, 9), CB_ERR);
    EXPECT_EQ(cur(), CB_ERR);
    EXPECT_EQ(sendMessage(combo, CB_GETLBTEXT, 9, reinterpret_cast<std::intptr_t>(&got)), CB_ERR);
    sendMessage(combo, CB_SETCURSEL, 1);
    sendMessage(combo, CB_RESETCONTENT);
    EXPECT_EQ(sendMessage(combo, CB_GETCOUNT), 0);
    EXPECT_EQ(cur(), CB_ERR);
    EXPECT_TRUE(host.seen().empty());
}

TEST_F(ComboTest, FindStringIgnoresCaseAndWrapsAround) {
    struct Case {
        std::uint32_t message;
        std::intptr_t after;
        std::u16string text;
        MsgResult expected;
    };
    const Case cases[] = {
        {CB_FINDSTRING, -1, u"vl", 1},
        {CB_FINDSTRING, 1, u"vl", 4},
        {CB_FINDSTRING, 4, u"vl", 1},  // from the end it goes on at the start
        {CB_FINDSTRING, -1, u"x", CB_ERR},
        {CB_FINDSTRINGEXACT, -1, u"vlak", 1},
        {CB_FINDSTRINGEXACT, -1, u"Vla", CB_ERR},
        {CB_FINDSTRINGEXACT, 1, u"VLAK", 1},
        {CB_FINDSTRING, 2, u"vŠ", 0},  // Czech letters fold too
        {CB_FINDSTRINGEXACT, -1, u"VŠE", 0},
        {CB_FINDSTRINGEXACT, -1, u"VSE", CB_ERR},  // but keep their accents
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sendMessage(combo, c.message, static_cast<std::uintptr_t>(c.after),
                              reinterpret_cast<std::intptr_t>(&c.text)),
                  c.expected)
            << c.after;
    }
}

TEST_F(ComboTest, KeysChangeTheSelectionOfTheClosedBox) {
    ui::setFocus(combo);
    sendMessage(combo, CB_SETCURSEL, 3);
    host.seen().clear();
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_DOWN);  // already the last: nothing
    kit.key(ui::VK_UP);
    EXPECT_EQ(cur(), 3);
    EXPECT_EQ(host.seen(), (Seen{"2048:SELCHANGE", "2048:SELCHANGE"}));
}

TEST_F(ComboTest, TapOpensTheListBelowAndATapOnAnItemChoosesIt) {
    kit.tap(combo);
    ASSERT_TRUE(open());
    EXPECT_EQ(ui::getWindowRect(list()), (Rect{10, 60, 150, 60 + 5 * kRow + 2}));
    kit.tap(Point{50, 60 + 1 + 2 * kRow + 5});  // the third row
    EXPECT_FALSE(open());
    EXPECT_EQ(list(), kNullWindow);
    EXPECT_EQ(cur(), 2);
    EXPECT_EQ(host.seen(),
              (Seen{"2048:SETFOCUS", "2048:DROPDOWN", "2048:CLOSEUP", "2048:SELCHANGE"}));
    // Choosing the item that is selected already changes nothing.
    host.seen().clear();
    kit.tap(combo);
    kit.tap(Point{50, 60 + 1 + 2 * kRow + 5});
    EXPECT_EQ(host.seen(), (Seen{"2048:DROPDOWN", "2048:CLOSEUP"}));
}

TEST_F(ComboTest, TapOutsideTheOpenListClosesItUnchanged) {
    const WindowHandle button = host.add(kButtonClass, u"OK", 0, Rect{10, 250, 100, 280}, 1);
    sendMessage(combo, CB_SETCURSEL, 1);
    kit.tap(combo);
    host.seen().clear();
    kit.tap(button);  // the list holds the finger: the button does not hear this tap
    EXPECT_FALSE(open());
    EXPECT_EQ(cur(), 1);
    EXPECT_EQ(host.seen(), (Seen{"2048:CLOSEUP"}));
}

TEST_F(ComboTest, KeysInTheOpenList) {
    struct Case {
        std::uint32_t finalKey;
        MsgResult expected;
        Seen seen;
    };
    const Case cases[] = {
        {ui::VK_RETURN, 2, {"2048:DROPDOWN", "2048:CLOSEUP", "2048:SELCHANGE"}},
        {ui::VK_ESCAPE, 0, {"2048:DROPDOWN", "2048:CLOSEUP"}},
    };
    for (const Case& c : cases) {
        ui::setFocus(combo);
        sendMessage(combo, CB_SETCURSEL, 0);
        host.seen().clear();
        kit.key(ui::VK_RETURN);  // opens
        ASSERT_TRUE(open());
        kit.key(ui::VK_DOWN);
        kit.key(ui::VK_DOWN);
        EXPECT_EQ(cur(), 0);  // the highlight moves, the selection waits
        kit.key(c.finalKey);
        EXPECT_FALSE(open());
        EXPECT_EQ(cur(), c.expected);
        EXPECT_EQ(host.seen(), c.seen);
    }
}

TEST_F(ComboTest, LosingTheFocusWhileOpenClosesTheListFirst) {
    const WindowHandle other = host.add(kButtonClass, u"OK", 0, Rect{10, 250, 100, 280}, 1);
    kit.tap(combo);
    ASSERT_TRUE(open());
    host.seen().clear();
    ui::setFocus(other);
    EXPECT_FALSE(open());
    EXPECT_EQ(host.seen(), (Seen{"2048:CLOSEUP", "2048:KILLFOCUS"}));
    EXPECT_EQ(kit.dumpTree().find("ComboLBox"), std::string::npos) << kit.dumpTree();
}

TEST_F(ComboTest, OpenListHeightFollowsTheVisibleCountAndOpensUpwardsAtTheBottom) {
    sendMessage(combo, CB_SETMINVISIBLE, 3);
    sendMessage(combo, CB_SETCURSEL, 4);
    kit.tap(combo);
    ASSERT_TRUE(open());
    EXPECT_EQ(ui::getWindowRect(list()).height(), 3 * kRow + 2);
    // The highlight (the last item) is scrolled into view: its row is drawn selected.
    EXPECT_EQ(kit.screenshot().pixel(148, 60 + 1 + 2 * kRow + 1), kSelectionColor);
    sendMessage(combo, CB_SHOWDROPDOWN, 0);

    ui::moveWindow(combo, 10, 290, 140, 20);
    kit.tap(combo);
    ASSERT_TRUE(open());
    EXPECT_EQ(ui::getWindowRect(list()).bottom, 290);
    sendMessage(combo, CB_SHOWDROPDOWN, 0);
    EXPECT_FALSE(open());
}

TEST_F(ComboTest, ClosedBoxShowsTheSelectionWhiteOnBlueWithTheFocus) {
    sendMessage(combo, CB_SETCURSEL, 1);
    ui::setFocus(combo);
    const draw::Bitmap& shot = kit.screenshot();
    EXPECT_EQ(shot.pixel(12, 42), kSelectionColor);
    ui::setFocus(kNullWindow);
    EXPECT_EQ(kit.screenshot().pixel(12, 42), kWindowColor);
}

}  // namespace
}  // namespace platform::controls
