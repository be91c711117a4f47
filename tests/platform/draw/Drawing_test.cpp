#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Utf.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace platform::draw {
namespace {

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(49, 150, 214);

int countColor(const Bitmap& b, const Rect& r, Color c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            n += b.pixel(x, y) == c ? 1 : 0;
        }
    }
    return n;
}

TEST(Colors, KeepTheRedInTheLowestByte) {
    EXPECT_EQ(rgb(49, 150, 214), 0xD69631u);
    EXPECT_EQ(redOf(0xD69631), 49);
    EXPECT_EQ(greenOf(0xD69631), 150);
    EXPECT_EQ(blueOf(0xD69631), 214);
    Bitmap b(2, 2);
    b.setPixel(1, 1, 0xD69631);
    EXPECT_EQ(b.pixel(1, 1), 0xD69631u);
    EXPECT_EQ(b.pixel(5, 5), 0u);  // outside: nothing, no fault
}

TEST(Shapes, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Bitmap b(20, 20);
    DeviceContext dc(b);
    dc.selectPen(Pen{kBlack});
    dc.selectBrush(Brush{kRed});
    dc.rectangle(Rect{2, 2, 10, 8});
    EXPECT_EQ(b.pixel(2, 2), kBlack);
    EXPECT_EQ(b.pixel(9, 7), kBlack);  // right and bottom edges are the last pixels inside
    EXPECT_EQ(b.pixel(10, 7), kWhite);
    EXPECT_EQ(b.pixel(5, 5), kRed);
    dc.selectPen(Pen::none());
    dc.selectBrush(Brush::none());
    dc.rectangle(Rect{0, 0, 20, 20});  // draws nothing at all
    EXPECT_EQ(countColor(b, b.bounds(), kWhite), 400 - 8 * 6);
}

TEST(Shapes, LinesLeaveOutTheirEndPointAndStayInTheClip) {
    Bitmap b(20, 20);
    DeviceContext dc(b, Point{5, 5}, Rect{5, 5, 15, 15});
    dc.selectPen(Pen{kBlack});
    dc.moveTo(0, 0);
    dc.lineTo(4, 0);
    EXPECT_EQ(countColor(b, b.bounds(), kBlack), 4);
    EXPECT_EQ(b.pixel(5, 5), kBlack);
    EXPECT_EQ(b.pixel(9, 5), kWhite);
    const std::array<Point, 3> diagonal = {Point{0, 2}, Point{3, 5}, Point{-20, 5}};
    dc.polyline(diagonal);
    EXPECT_EQ(b.pixel(6, 8), kBlack);   // (1, 3) on the diagonal
    EXPECT_EQ(b.pixel(4, 10), kWhite);  // left of the clip
    EXPECT_EQ(countColor(b, Rect{0, 0, 5, 20}, kBlack), 0);
}

TEST(Shapes, FilledTriangle) {
    Bitmap b(20, 20);
    DeviceContext dc(b);
    dc.selectPen(Pen::none());
    dc.selectBrush(Brush{kBlue});
    const std::array<Point, 3> tri = {Point{0, 0}, Point{18, 0}, Point{0, 18}};
    dc.polygon(tri);
    EXPECT_EQ(b.pixel(3, 3), kBlue);
    EXPECT_EQ(b.pixel(16, 16), kWhite);
    EXPECT_EQ(b.pixel(19, 0), kWhite);
}

TEST(Copies, SourceClippingStretchingAndColourKey) {
    Bitmap src(4, 4, kRed);
    src.fill(Rect{0, 0, 2, 2}, kBlue);  // blue top-left quarter
    Bitmap dst(20, 20);
    DeviceContext dc(dst);
    // Half of the source rectangle lies outside the source: only the inside part is copied.
    dc.bitBlt(0, 0, 8, 8, src, -4, -4);
    EXPECT_EQ(dst.pixel(3, 3), kWhite);
    EXPECT_EQ(dst.pixel(4, 4), kBlue);
    EXPECT_EQ(dst.pixel(7, 7), kRed);
    EXPECT_EQ(dst.pixel(8, 8), kWhite);

    Bitmap big(20, 20);
    DeviceContext bdc(big);
    bdc.stretchBlt(Rect{0, 0, 8, 8}, src, src.bounds());  // doubled
    EXPECT_EQ(big.pixel(3, 3), kBlue);
    EXPECT_EQ(big.pixel(4, 3), kRed);
    EXPECT_EQ(big.pixel(8, 8), kWhite);
    bdc.fillRect(big.bounds(), kBlack);
    bdc.transparentBlt(Rect{0, 0, 8, 8}, src, src.bounds(), kRed);  // red is left out
    EXPECT_EQ(big.pixel(1, 1), kBlue);
    EXPECT_EQ(big.pixel(6, 6), kBlack);
}

TEST(Copies, MemoryContextsDoubleBufferAndScrollWithinOneBitmap) {
    Bitmap back(10, 10, kWhite);
    DeviceContext mem(back);
    mem.fillRect(Rect{0, 0, 10, 5}, kRed);
    Bitmap screen(30, 30, kBlack);
    DeviceContext window(screen, Point{10, 10}, Rect{10, 10, 20, 20});
    window.bitBlt(0, 0, 10, 10, mem, 0, 0);
    EXPECT_EQ(screen.pixel(10, 10), kRed);
    EXPECT_EQ(screen.pixel(19, 19), kWhite);
    EXPECT_EQ(screen.pixel(9, 9), kBlack);
    // Moving content down by 3 within one bitmap reads what was there before.
    mem.bitBlt(0, 3, 10, 7, mem, 0, 0);
    EXPECT_EQ(back.pixel(0, 7), kRed);
    EXPECT_EQ(back.pixel(0, 8), kWhite);
}

TEST(Pngs, RoundTripAndRefuseGarbage) {
    Bitmap b(3, 2, kBlue);
    b.setPixel(2, 1, kRed);
    const std::string path = ::testing::TempDir() + "/draw_roundtrip.png";
    ASSERT_TRUE(b.savePng(path));
    Bitmap again = Bitmap::loadPng(path);
    ASSERT_EQ(again.size(), (Size{3, 2}));
    EXPECT_EQ(again.pixel(0, 0), kBlue);
    EXPECT_EQ(again.pixel(2, 1), kRed);
    EXPECT_TRUE(Bitmap::loadPngBytes("\x89PNG not really").empty());
    EXPECT_TRUE(Bitmap::loadPng(path + ".missing").empty());
    std::remove(path.c_str());
    EXPECT_THROW(Bitmap(Bitmap::kMaxSide + 1, 1), std::length_error);
}

TEST(Utf, ConvertsBothWaysAndReplacesBrokenSequences) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"Nová záložka", u"Nová záložka"},
        {"\xF0\x9F\x9A\x8C", u"\U0001F68C"},
        {"a\xC3", u"a\uFFFD"},                    // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // a surrogate written as UTF-8
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fromUtf8(c.utf8), c.utf16) << c.utf8;
    }
    EXPECT_EQ(toUtf8(u"Nová"), "Nová");
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace platform::draw
