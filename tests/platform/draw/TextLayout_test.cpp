#include "platform/draw/TextLayout.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace platform::draw {
namespace {

constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kBlack = rgb(0, 0, 0);

// Synthetic text 10 pixels high: every character is exactly 5 pixels wide.
const Font& fixedFont() {
    static const Font font{[] {
        setTextMetricMode(TextMetricMode::Synthetic);
        return FontSpec{"Verdana", 10, 400};
    }()};
    setTextMetricMode(TextMetricMode::Real);
    return font;
}

std::vector<std::u16string> linesOf(std::u16string_view text, int width, LineBreaks breaks) {
    std::vector<std::u16string> out;
    for (const TextLine& l : layoutLines(fixedFont(), text, width, breaks)) {
        out.emplace_back(text.substr(l.start, l.length));
    }
    return out;
}

struct WrapCase {
    const char* name;
    std::u16string text;
    int width;
    LineBreaks breaks;
    std::vector<std::u16string> lines;
};

TEST(TextLayout, BreaksAtLineBreaksAndBetweenWords) {
    const std::vector<WrapCase> cases = {
        {"empty text has one empty line", u"", 100, LineBreaks::WordWrap, {u""}},
        {"fits on one line", u"Praha hl.n.", 100, LineBreaks::WordWrap, {u"Praha hl.n."}},
        {"wraps between words",
         u"Brno hlavní nádraží",
         50,
         LineBreaks::WordWrap,
         {u"Brno", u"hlavní", u"nádraží"}},
        {"keeps words together that fit",
         u"a b c d e f",
         25,
         LineBreaks::WordWrap,
         {u"a b c", u"d e f"}},
        {"spaces where it wrapped are dropped",
         u"ab    cd",
         20,
         LineBreaks::WordWrap,
         {u"ab", u"cd"}},
        {"a word wider than the line is cut between characters",
         u"Děčín-Podmokly",
         30,
         LineBreaks::WordWrap,
         {u"Děčín-", u"Podmok", u"ly"}},
        {"line breaks and CR LF", u"Ano\r\nNe\n", 100, LineBreaks::WordWrap, {u"Ano", u"Ne", u""}},
        {"explicit breaks only",
         u"Brno hlavní\nnádraží",
         20,
         LineBreaks::Explicit,
         {u"Brno hlavní", u"nádraží"}},
        {"single line keeps everything", u"a\nb", 5, LineBreaks::Single, {u"a\nb"}},
        {"no width does not wrap", u"a b", 0, LineBreaks::WordWrap, {u"a b"}},
        {"narrower than one character still moves on",
         u"abc",
         2,
         LineBreaks::WordWrap,
         {u"a", u"b", u"c"}},
        {"surrogate pairs stay whole",
         u"\U0001F68C\U0001F68C",
         5,
         LineBreaks::WordWrap,
         {u"\U0001F68C", u"\U0001F68C"}},
    };
    for (const WrapCase& c : cases) {
        EXPECT_EQ(linesOf(c.text, c.width, c.breaks), c.lines) << c.name;
    }
}

TEST(TextLayout, LinesCoverTheTextForCaretMovement) {
    const std::u16string text = u"Jízdní řád\nčeských vlaků";
    const auto lines = layoutLines(fixedFont(), text, 45, LineBreaks::WordWrap);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (TextLine{0, 6, 7}));    // "Jízdní", the space skipped
    EXPECT_EQ(lines[1], (TextLine{7, 3, 11}));   // "řád", then the line break
    EXPECT_EQ(lines[2], (TextLine{11, 7, 19}));  // "českých"
    EXPECT_EQ(lines[3], (TextLine{19, 5, 24}));  // "vlaků", to the end
}

TEST(TextLayout, AnyTextAndWidthGiveLinesThatFitAndFollowOneAnother) {
    // Random texts of words, spaces, line breaks and two-unit characters, at every width.
    const std::u16string pieces[] = {u"a",    u"ž",  u" ",      u"  ",         u"\n",
                                     u"\r\n", u"\r", u"Přerov", u"\U0001F68C", u"-"};
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        for (int k = next() % 12; k > 0; --k) {
            text += pieces[next() % std::size(pieces)];
        }
        for (int width = 0; width <= 40; width += 3) {
            const auto lines = layoutLines(fixedFont(), text, width, LineBreaks::WordWrap);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.front().start, 0u);
            EXPECT_EQ(lines.back().next, text.size());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const TextLine& l = lines[i];
                const std::u16string_view drawn =
                    std::u16string_view(text).substr(l.start, l.length);
                EXPECT_LE(l.start + l.length, l.next);
                if (i + 1 < lines.size()) {
                    EXPECT_EQ(l.next, lines[i + 1].start);
                }
                // What is left out between lines is only spaces and line breaks.
                for (std::size_t p = l.start + l.length; p < l.next; ++p) {
                    EXPECT_TRUE(text[p] == u' ' || text[p] == u'\r' || text[p] == u'\n');
                }
                EXPECT_EQ(drawn.find_first_of(u"\r\n"), std::u16string_view::npos);
                // A line is too wide only when it holds a single character.
                if (width > 0 && fixedFont().measure(drawn).width > width) {
                    EXPECT_LE(fixedFont().measure(drawn).width, 5);
                }
                if (!drawn.empty()) {
                    EXPECT_FALSE(drawn.front() >= 0xDC00 && drawn.front() < 0xE000);
                }
            }
        }
    }
}

class DrawTextTest : public ::testing::Test {
protected:
    DrawTextTest() : bitmap_(100, 60, kWhite), dc_(bitmap_) {
        dc_.selectFont(&fixedFont());
        dc_.setBkMode(BackgroundMode::Transparent);
        dc_.setTextColor(kBlack);
    }

    // The box around the ink.
    Rect ink() const {
        Rect r{bitmap_.width(), bitmap_.height(), 0, 0};
        for (int y = 0; y < bitmap_.height(); ++y) {
            for (int x = 0; x < bitmap_.width(); ++x) {
                if (bitmap_.pixel(x, y) != kWhite) {
                    r = Rect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                             std::max(r.bottom, y + 1)};
                }
            }
        }
        return r.empty() ? Rect{} : r;
    }

    // The leftmost inked column of a pixel row, -1 when the row is blank.
    int firstInk(int y) const {
        for (int x = 0; x < bitmap_.width(); ++x) {
            if (bitmap_.pixel(x, y) != kWhite) {
                return x;
            }
        }
        return -1;
    }

    Bitmap bitmap_;
    DeviceContext dc_;
};

TEST_F(DrawTextTest, AlignsEachLineHorizontally) {
    // 4 characters are 20 pixels wide in a 60 pixel rectangle from x = 10.
    struct Case {
        unsigned flags;
        int left;
    };
    for (const Case c : {Case{kTextLeft, 10}, Case{kTextCenter, 30}, Case{kTextRight, 50}}) {
        bitmap_.fill(bitmap_.bounds(), kWhite);
        const Rect rect{10, 0, 70, 30};
        EXPECT_EQ(dc_.drawText(u"Brno", rect, c.flags), 10);
        EXPECT_EQ(ink().left, c.left) << c.flags;
        EXPECT_EQ(ink().right, c.left + 19) << c.flags;  // each glyph box leaves a 1 pixel gap
    }
}

TEST_F(DrawTextTest, WrapsCentresAndPlacesTheBlockVertically) {
    const Rect rect{0, 0, 50, 60};
    // "Nová" (20 px) over "záložka" (35 px), centred line by line, the block in the middle.
    const int block =
        dc_.drawText(u"Nová záložka", rect, kTextCenter | kTextVCenter | kTextWordBreak);
    EXPECT_EQ(block, 20);
    const int top = (60 - 20) / 2;
    const int descent = fixedFont().metrics().descent;
    EXPECT_EQ(firstInk(top + descent), 15);      // (50 - 20) / 2
    EXPECT_EQ(firstInk(top + 10 + descent), 7);  // (50 - 35) / 2
    EXPECT_EQ(ink().bottom, top + 10 + fixedFont().metrics().ascent);

    bitmap_.fill(bitmap_.bounds(), kWhite);
    dc_.drawText(u"Ne", rect, kTextBottom | kTextRight);
    EXPECT_EQ(ink().right, 49);
    EXPECT_EQ(ink().bottom, 50 + fixedFont().metrics().ascent);
}

TEST_F(DrawTextTest, ALineWiderThanTheRectangleStartsAtItsLeftEdge) {
    const Rect rect{10, 0, 32, 10};
    dc_.drawText(u"Pardubice", rect, kTextCenter | kTextSingleLine);
    EXPECT_EQ(ink().left, 10);
    EXPECT_EQ(ink().right, 32);  // and is clipped at the right edge
}

TEST_F(DrawTextTest, CalcRectMeasuresWithoutDrawing) {
    const Rect bounds{5, 7, 55, 100};
    EXPECT_EQ(dc_.calcTextRect(u"Nová záložka", bounds, kTextWordBreak), (Rect{5, 7, 40, 27}));
    EXPECT_EQ(dc_.calcTextRect(u"Nová záložka", bounds, kTextSingleLine), (Rect{5, 7, 65, 17}));
    EXPECT_EQ(dc_.calcTextRect(u"", bounds, kTextWordBreak), (Rect{5, 7, 5, 17}));
    EXPECT_TRUE(ink().empty());
}

}  // namespace
}  // namespace platform::draw
