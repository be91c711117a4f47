// The multi-line edit: Enter breaks the line, Up and Down move between lines, the text wraps
// to the width and the view follows the caret.

#include "ControlHost.h"
#include "EditProbe.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <utility>

namespace platform::controls {
namespace {

using draw::Point;
using draw::Rect;
using testing::ControlHost;

// Synthetic text: 6 pixels a character, lines 13 high. The edit's client area is 62 × 38 at
// (11, 11): 9 characters to a line within the 2-pixel margins, and two whole lines.
constexpr int kCharWidth = 6;
constexpr int kLine = 13;
constexpr Point kText{11 + 2, 11 + 2};

class MultiLineEditTest : public ::testing::Test {
protected:
    MultiLineEditTest() : host({}) {
        edit = host.add(kEditClass, u"", ui::WS_BORDER | ES_MULTILINE, Rect{10, 10, 74, 50}, 100);
        ui::setFocus(edit);
    }

    std::u16string text() const { return ui::getWindowText(edit); }
    std::pair<int, int> selection() const { return testing::editSelection(edit); }
    void select(int s, int e) { testing::selectInEdit(edit, s, e); }
    // Whether the synthetic glyph of column `column` on shown row `row` is inked.
    bool inked(int row, int column) {
        const Point p{kText.x + column * kCharWidth + 2, kText.y + row * kLine + 6};
        return kit.screenshot().pixel(p.x, p.y) == kTextColor;
    }

    testkit::UiTestKit kit;
    ControlHost host;
    WindowHandle edit = kNullWindow;
};

TEST_F(MultiLineEditTest, KeysWorkLineByLineAndTreatALineBreakAsOneCharacter) {
    struct Case {
        const char* name;
        int caret;
        std::uint32_t key;  // 0: Enter typed
        std::u16string expected;
        int after;
    };
    const std::u16string start = u"abc\r\ndefgh";
    const Case cases[] = {
        {"enter breaks the line", 1, 0, u"a\r\nbc\r\ndefgh", 3},
        {"down keeps the column", 2, ui::VK_DOWN, start, 7},
        {"down on the last line stays", 8, ui::VK_DOWN, start, 8},
        {"up to a shorter line ends it", 9, ui::VK_UP, start, 3},
        {"up on the first line stays", 1, ui::VK_UP, start, 1},
        {"home goes to the line's start", 8, ui::VK_HOME, start, 5},
        {"end goes to the line's end", 0, ui::VK_END, start, 3},
        {"backspace joins the lines", 5, ui::VK_BACK, u"abcdefgh", 3},
        {"delete joins the lines", 3, ui::VK_DELETE, u"abcdefgh", 3},
        {"left steps over the break", 5, ui::VK_LEFT, start, 3},
        {"right steps over the break", 3, ui::VK_RIGHT, start, 5},
    };
    for (const Case& c : cases) {
        ui::setWindowText(edit, start);
        select(c.caret, c.caret);
        if (c.key == 0) {
            kit.key(ui::VK_RETURN);
        } else {
            kit.key(c.key);
        }
        EXPECT_EQ(text(), c.expected) << c.name;
        EXPECT_EQ(selection(), std::make_pair(c.after, c.after)) << c.name;
    }
}

TEST_F(MultiLineEditTest, TextWrapsBetweenWordsAndTheCaretWalksTheWrappedLines) {
    ui::setWindowText(edit, u"Praha hlavní nádraží");
    // "Praha" / "hlavní" / "nádraží": the first two lines are shown.
    EXPECT_TRUE(inked(0, 4));
    EXPECT_FALSE(inked(0, 5));
    EXPECT_TRUE(inked(1, 5));
    EXPECT_FALSE(inked(1, 6));
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(6, 6));
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(13, 13));
    // The caret's line came into view: now "hlavní" is on top and "nádraží" below.
    EXPECT_TRUE(inked(0, 5));
    EXPECT_TRUE(inked(1, 6));
    kit.key(ui::VK_END);
    EXPECT_EQ(selection(), std::make_pair(20, 20));
    // A tap on the top line puts the caret there, by x and by y.
    kit.tap(Point{kText.x + 2 * kCharWidth, kText.y + 5});
    EXPECT_EQ(selection(), std::make_pair(8, 8));
}

TEST_F(MultiLineEditTest, TypingFollowsTheCaretDownAndUpAgain) {
    kit.type(u"a\rbb\rccc\rdddd");
    EXPECT_EQ(text(), u"a\r\nbb\r\nccc\r\ndddd");
    // The last two lines are shown.
    EXPECT_TRUE(inked(0, 2));
    EXPECT_FALSE(inked(0, 3));
    EXPECT_TRUE(inked(1, 3));
    for (int i = 0; i < 3; ++i) {
        kit.key(ui::VK_UP);
    }
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    EXPECT_TRUE(inked(0, 0));
    EXPECT_FALSE(inked(0, 1));
    EXPECT_TRUE(inked(1, 1));
}

TEST_F(MultiLineEditTest, ABoxHardlyTallerThanALineShowsTheCaretLineWhole) {
    // 1.3 times the font height, as the options pages make it: 16 high, 14 inside the border.
    const WindowHandle low =
        host.add(kEditClass, u"", ui::WS_BORDER | ES_MULTILINE, Rect{10, 60, 74, 76}, 101);
    ui::setFocus(low);
    const auto ink = [&](int column, int y) {
        return kit.screenshot().pixel(kText.x + column * kCharWidth + 2, y) == kTextColor;
    };
    kit.type(u"Praha");
    EXPECT_TRUE(ink(4, 61 + 6));
    EXPECT_FALSE(ink(5, 61 + 6));
    // The caret goes to the wrapped second line, which is then shown from the client's top
    // (61), glyphs from their top row to their bottom row inside the box.
    kit.type(u" hlavní");
    EXPECT_EQ(testing::editSelection(low), std::make_pair(12, 12));
    EXPECT_TRUE(ink(5, 61 + 2));
    EXPECT_TRUE(ink(5, 61 + 10));
}

TEST_F(MultiLineEditTest, ASingleLineEditTakesNoLineBreaks) {
    const WindowHandle single =
        host.add(kEditClass, u"Brno", ui::WS_BORDER, Rect{10, 60, 130, 80}, 101);
    ui::setFocus(single);
    testing::selectInEdit(single, 4, 4);
    kit.key(ui::VK_RETURN);
    kit.key(ui::VK_UP);
    EXPECT_EQ(ui::getWindowText(single), u"Brno");
    EXPECT_EQ(testing::editSelection(single), std::make_pair(4, 4));
}

}  // namespace
}  // namespace platform::controls
