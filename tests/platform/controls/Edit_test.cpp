// The single-line edit: typing, selection, clipboard, read-only, notification order and
// subclassing, driven by taps, keys and typing.

#include "ControlHost.h"
#include "EditProbe.h"

#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <utility>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;
using Seen = std::vector<std::string>;

// Synthetic text: 6 pixels a character; the text starts 2 pixels into the edit.
constexpr int kCharWidth = 6;
constexpr int kMargin = 2;

class EditTest : public ::testing::Test {
protected:
    EditTest()
        : host({{EN_SETFOCUS, "SETFOCUS"},
                {EN_KILLFOCUS, "KILLFOCUS"},
                {EN_CHANGE, "CHANGE"},
                {EN_UPDATE, "UPDATE"},
                {EN_MAXTEXT, "MAXTEXT"},
                {BN_CLICKED, "CLICKED"}}) {
        clearClipboard();
        edit =
            host.add(kEditClass, u"", ui::WS_BORDER | ES_AUTOHSCROLL, Rect{10, 10, 130, 30}, 100);
    }

    std::u16string text() const { return ui::getWindowText(edit); }
    std::pair<int, int> selection() const { return testing::editSelection(edit); }
    void select(int s, int e) { testing::selectInEdit(edit, s, e); }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle edit = kNullWindow;
};

TEST_F(EditTest, TypingSendsUpdateThenChangeForEveryCharacterAfterTheFocus) {
    kit.tap(edit);
    kit.type(u"ab");
    EXPECT_EQ(text(), u"ab");
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    EXPECT_EQ(host.seen(),
              (Seen{"100:SETFOCUS", "100:UPDATE", "100:CHANGE", "100:UPDATE", "100:CHANGE"}));
}

TEST_F(EditTest, NotificationsSeeTheNewTextAlready) {
    std::vector<std::u16string> textsSeen;
    host.onCommand([&](unsigned, unsigned code) {
        if (code == EN_UPDATE || code == EN_CHANGE) {
            textsSeen.push_back(ui::getWindowText(edit));
        }
    });
    ui::setFocus(edit);
    kit.type(u"x");
    ui::setWindowText(edit, u"Praha");
    EXPECT_EQ(textsSeen, (std::vector<std::u16string>{u"x", u"x", u"Praha", u"Praha"}));
    EXPECT_NE(kit.dumpTree().find("Edit id=100 [10,10 120x20] visible focus \"Praha\""),
              std::string::npos)
        << kit.dumpTree();
}

TEST_F(EditTest, EditingKeysOnTextAndSelection) {
    struct Case {
        const char* name;
        int selStart;
        int selEnd;
        std::uint32_t key;  // 0: type "X"
        std::u16string expected;
        std::pair<int, int> caret;
    };
    const Case cases[] = {
        {"backspace", 2, 2, ui::VK_BACK, u"acde", {1, 1}},
        {"backspace at start", 0, 0, ui::VK_BACK, u"abcde", {0, 0}},
        {"backspace selection", 1, 4, ui::VK_BACK, u"ae", {1, 1}},
        {"delete", 2, 2, ui::VK_DELETE, u"abde", {2, 2}},
        {"delete at end", 5, 5, ui::VK_DELETE, u"abcde", {5, 5}},
        {"type over selection", 1, 3, 0, u"aXde", {2, 2}},
        {"type over everything", 0, -1, 0, u"X", {1, 1}},
        {"left", 3, 3, ui::VK_LEFT, u"abcde", {2, 2}},
        {"left collapses selection", 1, 4, ui::VK_LEFT, u"abcde", {1, 1}},
        {"right at end", 5, 5, ui::VK_RIGHT, u"abcde", {5, 5}},
        {"home", 3, 3, ui::VK_HOME, u"abcde", {0, 0}},
        {"end", 1, 1, ui::VK_END, u"abcde", {5, 5}},
    };
    for (const Case& c : cases) {
        ui::setWindowText(edit, u"abcde");
        ui::setFocus(edit);
        select(c.selStart, c.selEnd);
        host.seen().clear();
        if (c.key == 0) {
            kit.type(u"X");
        } else {
            kit.key(c.key);
        }
        EXPECT_EQ(text(), c.expected) << c.name;
        EXPECT_EQ(selection(), c.caret) << c.name;
        const bool changed = c.expected != u"abcde";
        EXPECT_EQ(host.seen(), changed ? (Seen{"100:UPDATE", "100:CHANGE"}) : Seen{}) << c.name;
    }
}

TEST_F(EditTest, ShiftArrowsExtendTheSelectionAndSetSelHasItsSpecialValues) {
    ui::setWindowText(edit, u"abcde");
    ui::setFocus(edit);
    select(1, 1);
    kit.keyDown(ui::VK_SHIFT);
    kit.key(ui::VK_RIGHT);
    kit.key(ui::VK_RIGHT);
    kit.keyUp(ui::VK_SHIFT);
    EXPECT_EQ(selection(), std::make_pair(1, 3));
    select(0, -1);
    EXPECT_EQ(selection(), std::make_pair(0, 5));
    select(-1, 0);  // removes the selection, the caret stays at the end
    EXPECT_EQ(selection(), std::make_pair(5, 5));
    select(9, 99);  // beyond the text: clamped
    EXPECT_EQ(selection(), std::make_pair(5, 5));
    EXPECT_EQ(sendMessage(edit, EM_GETSEL), ui::makeLParam(5, 5));
}

TEST_F(EditTest, ClipboardCopyCutAndPaste) {
    ui::setWindowText(edit, u"Brno hl.n.");
    ui::setFocus(edit);
    select(0, 4);
    kit.type(u"\x03");  // Ctrl+C
    EXPECT_EQ(clipboardText(), u"Brno");
    EXPECT_EQ(text(), u"Brno hl.n.");
    select(4, -1);
    kit.type(u"\x18");  // Ctrl+X
    EXPECT_EQ(clipboardText(), u" hl.n.");
    EXPECT_EQ(text(), u"Brno");
    select(0, 0);
    host.seen().clear();
    kit.type(u"\x16");  // Ctrl+V
    EXPECT_EQ(text(), u" hl.n.Brno");
    EXPECT_EQ(selection(), std::make_pair(6, 6));
    EXPECT_EQ(host.seen(), (Seen{"100:UPDATE", "100:CHANGE"}));
    select(0, 1);
    sendMessage(edit, WM_CLEAR);
    EXPECT_EQ(text(), u"hl.n.Brno");
    sendMessage(edit, WM_PASTE);
    EXPECT_EQ(text(), u" hl.n.hl.n.Brno");
}

TEST_F(EditTest, CopyWithoutSelectionKeepsTheClipboard) {
    setClipboardText(u"old");
    ui::setWindowText(edit, u"abc");
    sendMessage(edit, WM_COPY);
    sendMessage(edit, WM_CUT);
    EXPECT_EQ(clipboardText(), u"old");
    EXPECT_EQ(text(), u"abc");
}

TEST_F(EditTest, ReadOnlyEditSelectsAndCopiesButNeverChanges) {
    ui::setWindowText(edit, u"abc");
    sendMessage(edit, EM_SETREADONLY, 1);
    ui::setFocus(edit);
    select(0, -1);
    host.seen().clear();
    kit.type(u"\x03");  // Ctrl+C copies
    EXPECT_EQ(clipboardText(), u"abc");
    setClipboardText(u"zz");
    kit.type(u"x");
    kit.key(ui::VK_BACK);
    kit.key(ui::VK_DELETE);
    kit.type(u"\x18\x16");
    EXPECT_EQ(text(), u"abc");
    EXPECT_TRUE(host.seen().empty());
    EXPECT_EQ(clipboardText(), u"zz");  // cutting is changing: it does nothing
    EXPECT_NE(ui::getStyle(edit) & ES_READONLY, 0u);
    sendMessage(edit, EM_SETREADONLY, 0);
    kit.type(u"x");
    EXPECT_EQ(text(), u"x");
}

TEST_F(EditTest, ReadOnlyLooksLikeAnEditWithBlackTextOnANeutralGround) {
    ui::setWindowText(edit, u"Brno");
    // The edit's client area starts at (11, 11) inside its border; synthetic glyphs are solid.
    const Point ground{11 + 40, 15};
    const Point ink{11 + kMargin + 1, 20};
    struct Case {
        bool readOnly;
        bool enabled;
        draw::Color ground;
        draw::Color ink;
    };
    for (const Case c :
         {Case{false, true, kWindowColor, kTextColor}, Case{true, true, kReadOnlyColor, kTextColor},
          Case{false, false, kWindowColor, kDisabledTextColor}}) {
        sendMessage(edit, EM_SETREADONLY, c.readOnly ? 1 : 0);
        ui::enableWindow(edit, c.enabled);
        EXPECT_EQ(kit.screenshot().pixel(ground.x, ground.y), c.ground) << c.readOnly;
        EXPECT_EQ(kit.screenshot().pixel(ink.x, ink.y), c.ink) << c.readOnly;
    }
    EXPECT_NE(kReadOnlyColor, kWindowColor);
}

TEST_F(EditTest, LimitCutsLongInsertsAndTellsTheParent) {
    sendMessage(edit, EM_LIMITTEXT, 3);
    ui::setFocus(edit);
    host.seen().clear();
    setClipboardText(u"12345");
    sendMessage(edit, WM_PASTE);
    EXPECT_EQ(text(), u"123");
    kit.type(u"4");
    EXPECT_EQ(text(), u"123");
    EXPECT_EQ(host.seen(), (Seen{"100:MAXTEXT", "100:UPDATE", "100:CHANGE", "100:MAXTEXT"}));
}

TEST_F(EditTest, TapPlacesTheCaretAndLongTextScrollsToIt) {
    ui::setWindowText(edit, u"abcdef");
    kit.tap(Point{10 + 1 + kMargin + 2 * kCharWidth + 1, 20});  // near the end of "ab"
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    // 40 characters do not fit in 120 pixels: typing them scrolls, so a tap at the left edge
    // lands far into the text, not at its start.
    ui::setWindowText(edit, std::u16string(40, u'w'));
    select(40, 40);
    sendMessage(edit, EM_SCROLLCARET);
    kit.tap(Point{10 + 1 + kMargin, 20});
    EXPECT_GT(selection().first, 20);
    kit.key(ui::VK_HOME);
    kit.tap(Point{10 + 1 + kMargin, 20});
    EXPECT_EQ(selection(), std::make_pair(0, 0));
}

TEST_F(EditTest, SelectionIsDrawnWhiteOnBlueWithTheFocus) {
    ui::setWindowText(edit, u"abcd");
    ui::setFocus(edit);
    select(1, 3);
    const draw::Bitmap& shot = kit.screenshot();
    const int y = 20;
    const int inside = 10 + 1 + kMargin;
    EXPECT_EQ(shot.pixel(inside + 1, y), kTextColor);                        // 'a'
    EXPECT_EQ(shot.pixel(inside + kCharWidth + 1, y), kSelectionTextColor);  // 'b' selected
    // Between the glyph boxes the selection colour shows.
    bool blue = false;
    for (int x = inside + kCharWidth; x < inside + 3 * kCharWidth; ++x) {
        blue = blue || shot.pixel(x, y) == kSelectionColor;
    }
    EXPECT_TRUE(blue);
    ui::setFocus(kNullWindow);
    EXPECT_EQ(kit.screenshot().pixel(inside + kCharWidth + 1, y), kTextColor);
}

// A window that subclasses the edit sees every message first, can swallow keys, and passes
// the rest on; focus moves report which window took the focus.
TEST_F(EditTest, SubclassSeesMessagesFirstAndFocusChangesNameTheOtherWindow) {
    auto previous = std::make_shared<WindowProc>();
    std::vector<std::string> order;
    WindowHandle lostTo = kNullWindow;
    *previous = setWindowProc(
        edit, [&, previous](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
            if (m == ui::WM_KEYDOWN && wp == ui::VK_RETURN) {
                order.push_back("enter swallowed");
                return MsgResult{0};
            }
            if (m == ui::WM_CHAR && wp == u'\r') {
                return MsgResult{0};
            }
            if (m == ui::WM_KILLFOCUS) {
                lostTo = static_cast<WindowHandle>(wp);
                order.push_back("killfocus");
            }
            if (m == ui::WM_CHAR) {
                order.push_back("char");
            }
            return (*previous)(h, m, wp, lp);
        });
    host.onCommand([&](unsigned id, unsigned code) {
        order.push_back(std::to_string(id) + ":" + std::to_string(code));
    });
    const WindowHandle button =
        host.add(kButtonClass, u"X", BS_PUSHBUTTON, Rect{140, 10, 170, 30}, 2059);
    kit.tap(edit);
    kit.type(u"a");
    kit.key(ui::VK_RETURN);
    kit.tap(button);
    EXPECT_EQ(text(), u"a");
    EXPECT_EQ(lostTo, button);
    EXPECT_EQ(order,
              (std::vector<std::string>{"100:256", "char", "100:1024", "100:768", "enter swallowed",
                                        "killfocus", "100:512", "2059:0"}));
}

}  // namespace
}  // namespace platform::controls
