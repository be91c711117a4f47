// The message box's layout and icons: the text wraps to the box, the box grows to fit it up to
// the screen, and each kind of box has its own drawn icon.

#include "platform/shell/MessageBoxLayout.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/TextLayout.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageBoxIcon.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::shell {
namespace {

using draw::Rect;

// Synthetic text 13 pixels high: every character 6 pixels wide.
const draw::Font& font13() {
    static const draw::Font font{[] {
        draw::setTextMetricMode(draw::TextMetricMode::Synthetic);
        return draw::FontSpec{"Verdana", 13, 400};
    }()};
    draw::setTextMetricMode(draw::TextMetricMode::Real);
    return font;
}

constexpr draw::Size kScreen{240, 320};

TEST(MessageBoxLayout, LongTextWrapsAndTheBoxGrowsToFitIt) {
    const std::u16string shortText = u"Hotovo";
    const std::u16string longText =
        u"Jízdní řád pro tento den není k dispozici. Stáhněte prosím novou verzi dat, nebo "
        u"zvolte jiné datum odjezdu.";
    const MessageBoxLayout one = layoutMessageBox(font13(), shortText, true, kScreen, 1);
    const MessageBoxLayout many = layoutMessageBox(font13(), longText, true, kScreen, 1);
    const int lines = static_cast<int>(
        draw::layoutLines(font13(), longText, many.text.width(), draw::LineBreaks::WordWrap)
            .size());
    ASSERT_GT(lines, 3);
    EXPECT_EQ(many.text.height(), lines * 13);
    EXPECT_EQ(many.window.height() - one.window.height(), lines * 13 - one.text.height());
    for (const MessageBoxLayout& l : {one, many}) {
        // The text beside the icon, the buttons below both, all inside the box and the screen.
        EXPECT_EQ(l.icon.width(), 26);
        EXPECT_GE(l.text.left, l.icon.right);
        EXPECT_GE(l.buttons.top, std::max(l.text.bottom, l.icon.bottom));
        EXPECT_LE(l.buttons.bottom + 2, l.window.height());
        EXPECT_LE(l.text.right, l.window.width() - 2);
        EXPECT_EQ(Rect::fromSize(0, 0, kScreen.width, kScreen.height).intersect(l.window),
                  l.window);
        EXPECT_EQ(l.window.top, (kScreen.height - l.window.height()) / 2);  // centred
    }
}

TEST(MessageBoxLayout, WithoutAnIconTheTextTakesTheWholeWidth) {
    const MessageBoxLayout l = layoutMessageBox(font13(), u"Text", false, kScreen, 1);
    EXPECT_TRUE(l.icon.empty());
    EXPECT_EQ(l.text.left, 8);
    EXPECT_EQ(l.text.height(), 13);
}

TEST(MessageBoxLayout, TextTallerThanTheScreenLeavesTheButtonsOnIt) {
    std::u16string text;
    for (int i = 0; i < 60; ++i) {
        text += u"Řádek číslo " + std::u16string(1, char16_t(u'0' + i % 10)) + u"\n";
    }
    const MessageBoxLayout l = layoutMessageBox(font13(), text, true, kScreen, 1);
    EXPECT_EQ(l.window.top, 0);
    EXPECT_EQ(l.window.height(), kScreen.height);
    EXPECT_LE(l.buttons.bottom, l.window.height() - 2);
    EXPECT_GE(l.buttons.top, l.text.bottom);
}

TEST(MessageBoxIcons, EachKindIsDrawnInItsOwnColours) {
    EXPECT_EQ(messageBoxIconOf(MB_OK), MessageBoxIcon::None);
    EXPECT_EQ(messageBoxIconOf(MB_YESNO | MB_ICONQUESTION), MessageBoxIcon::Question);
    struct Spot {
        int x, y;  // in a 40 × 40 icon
        draw::Color color;
    };
    struct Case {
        unsigned type;
        MessageBoxIcon icon;
        std::vector<Spot> spots;
    };
    const draw::Color white = draw::rgb(255, 255, 255);
    const draw::Color paper = draw::rgb(200, 200, 200);
    const std::vector<Case> cases = {
        // A blue disc, a white stem below a white dot on its centre line, paper in the corners.
        {MB_ICONINFORMATION,
         MessageBoxIcon::Information,
         {{20, 24, white},
          {20, 10, white},
          {20, 15, draw::rgb(0x1E, 0x6E, 0xD0)},
          {8, 20, draw::rgb(0x1E, 0x6E, 0xD0)},
          {1, 1, paper}}},
        // A yellow triangle with a black "!", paper beside its apex.
        {MB_ICONWARNING,
         MessageBoxIcon::Warning,
         {{20, 18, draw::rgb(0, 0, 0)},
          {20, 30, draw::rgb(0, 0, 0)},
          {12, 34, draw::rgb(0xF5, 0xC2, 0x18)},
          {4, 4, paper},
          {36, 4, paper}}},
        // A red disc with a white cross through its centre.
        {MB_ICONERROR,
         MessageBoxIcon::Error,
         {{20, 20, white},
          {13, 13, white},
          {25, 25, white},
          {20, 6, draw::rgb(0xD0, 0x28, 0x28)},
          {1, 1, paper}}},
        {MB_ICONQUESTION,
         MessageBoxIcon::Question,
         {{20, 4, draw::rgb(0x1E, 0x6E, 0xD0)}, {1, 1, paper}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(messageBoxIconOf(c.type), c.icon);
        draw::Bitmap b(60, 40, paper);
        draw::DeviceContext dc(b);
        // A wider box: the icon is the square in its middle.
        drawMessageBoxIcon(dc, Rect{0, 0, 60, 40}, c.icon);
        for (const Spot& s : c.spots) {
            EXPECT_EQ(b.pixel(s.x + 10, s.y), s.color) << c.type << " at " << s.x << "," << s.y;
        }
        EXPECT_EQ(b.pixel(5, 20), paper) << c.type;  // nothing outside the square
    }
}

TEST(MessageBoxIcons, QuestionMarkIsWhiteInk) {
    draw::Bitmap b(40, 40, draw::rgb(0, 0, 0));
    draw::DeviceContext dc(b);
    drawMessageBoxIcon(dc, Rect{0, 0, 40, 40}, MessageBoxIcon::Question);
    int white = 0;
    for (int y = 8; y < 32; ++y) {
        for (int x = 8; x < 32; ++x) {
            white += b.pixel(x, y) == draw::rgb(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 20);
}

}  // namespace
}  // namespace platform::shell
