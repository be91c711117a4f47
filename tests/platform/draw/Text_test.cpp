#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <gtest/gtest.h>

namespace platform::draw {
namespace {

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);

// The box around every pixel that is not the background.
Rect inkBox(const Bitmap& b, Color background) {
    Rect r{b.width(), b.height(), 0, 0};
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            if (b.pixel(x, y) != background) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
        }
    }
    return r.empty() ? Rect{} : r;
}

class RealText : public ::testing::Test {
protected:
    void SetUp() override { setTextMetricMode(TextMetricMode::Real); }
};

TEST_F(RealText, FontsByPixelHeightAndWeight) {
    const Font regular(FontSpec{"Verdana", 16, 400});
    const Font bold(FontSpec{"Verdana", 16, 700});
    const Font em(FontSpec{"Verdana", -16, 400});
    EXPECT_NEAR(regular.metrics().height, 16, 1);
    EXPECT_EQ(regular.metrics().height, regular.metrics().ascent + regular.metrics().descent);
    EXPECT_GT(em.metrics().height, regular.metrics().height);  // -16 is the em, not the cell
    const Size r = regular.measure(u"Praha hl.n.");
    EXPECT_GT(bold.measure(u"Praha hl.n.").width, r.width);
    EXPECT_GT(r.width, regular.measure(u"Praha").width);
    EXPECT_EQ(regular.measure(u"").width, 0);
    EXPECT_EQ(r.height, regular.metrics().height);
    EXPECT_GT(regular.metrics().averageCharWidth, 0);
}

TEST_F(RealText, TextLandsInItsRectangleAndIsClippedToIt) {
    const Font font(FontSpec{"Verdana", 16, 400});
    Bitmap b(120, 40, kWhite);
    DeviceContext dc(b);
    dc.selectFont(&font);
    dc.setBkMode(BackgroundMode::Transparent);
    dc.setTextColor(kBlack);
    const Rect rect{10, 5, 40, 25};  // narrower than the text
    dc.drawText(u"Brno hlavní nádraží", rect);
    const Rect ink = inkBox(b, kWhite);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, rect.left);
    EXPECT_LE(ink.left, rect.left + 3);
    EXPECT_GE(ink.top, rect.top);
    EXPECT_LE(ink.right, rect.right);
    EXPECT_EQ(ink.right, rect.right);  // cut off at the edge, not before
    EXPECT_LE(ink.bottom, rect.top + font.metrics().height);
}

TEST_F(RealText, BackgroundModeAndUnderline) {
    const Font plain(FontSpec{"Verdana", 14, 400});
    const Font underlined(FontSpec{"Verdana", 14, 400, false, true});
    const Color bk = rgb(177, 213, 254);
    Bitmap b(100, 40, kWhite);
    DeviceContext dc(b);
    dc.selectFont(&plain);
    dc.setBkColor(bk);
    dc.textOut(0, 0, u"ab");
    EXPECT_EQ(b.pixel(1, 1), bk);  // opaque: the cell is filled
    dc.setBkMode(BackgroundMode::Transparent);
    dc.selectFont(&underlined);
    dc.setTextColor(kBlack);
    dc.textOut(0, 20, u"    ");  // spaces: only the underline shows
    const Rect ink = inkBox(b, kWhite);
    const int width = underlined.measure(u"    ").width;
    const int line = 20 + underlined.metrics().ascent + underlined.underlineOffset();
    int dark = 0;
    for (int x = 0; x < width; ++x) {
        dark += b.pixel(x, line) == kBlack ? 1 : 0;
    }
    EXPECT_EQ(dark, width);
    EXPECT_EQ(b.pixel(width, line), kWhite);
    EXPECT_EQ(ink.top, 0);
}

TEST(SyntheticText, FixedWidthMakesLayoutExact) {
    setTextMetricMode(TextMetricMode::Synthetic);
    const Font font(FontSpec{"Verdana", 12, 700});
    setTextMetricMode(TextMetricMode::Real);
    EXPECT_TRUE(font.synthetic());
    EXPECT_EQ(font.measure(u"Nová záložka").width, 12 * 6);
    EXPECT_EQ(font.measure(u"\U0001F68C").width, 6);  // one character, two code units
    EXPECT_EQ(font.metrics().height, 12);
    Bitmap b(40, 20, kWhite);
    DeviceContext dc(b);
    dc.selectFont(&font);
    dc.setBkMode(BackgroundMode::Transparent);
    dc.setTextColor(kBlack);
    dc.textOut(2, 3, u"a b");
    // Glyph boxes: columns 2..6 and 14..18, rows from the descent to the baseline.
    EXPECT_EQ(b.pixel(2, 3 + font.metrics().descent), kBlack);
    EXPECT_EQ(b.pixel(7, 8), kWhite);   // the gap after each box
    EXPECT_EQ(b.pixel(10, 8), kWhite);  // the space
    EXPECT_EQ(b.pixel(14, 8), kBlack);
    EXPECT_EQ(b.pixel(2, 3 + font.metrics().ascent), kWhite);
}

}  // namespace
}  // namespace platform::draw
