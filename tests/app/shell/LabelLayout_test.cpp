// Parsing and wrapping of label markup with the synthetic fixed-width font (every character
// half the font height wide), so that line breaks and heights are exact.

#include "app/shell/ImageNameRegistry.h"
#include "app/shell/LabelImages.h"
#include "app/shell/LabelLayout.h"
#include "app/shell/ShellException.h"

#include "platform/draw/Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelorvant {
namespace {

using platform::draw::TextMetricMode;

class LabelLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = platform::draw::textMetricMode();
        platform::draw::setTextMetricMode(TextMetricMode::Synthetic);
        registerImageNames();
    }
    void TearDown() override { platform::draw::setTextMetricMode(previous); }

    // Font height 10: five pixels a character.
    LabelLayout layOut(std::u16string_view text, int wrapWidth, bool highResolution = false,
                       bool indent = false) {
        LabelLayoutOptions o;
        o.wrapWidth = wrapWidth;
        o.fontHeight = 10;
        o.highResolution = highResolution;
        o.indentWraps = indent;
        return layOutLabelText(text, o, fonts);
    }
    // "line:text" of every text run.
    static std::vector<std::string> texts(const LabelLayout& l) {
        std::vector<std::string> out;
        for (const LabelRun& r : l.runs) {
            if (r.type == LabelRunType::Text) {
                out.push_back(std::to_string(r.line) + ":" + std::string(r.text.begin(), r.text.end()));
            }
        }
        return out;
    }

    LabelFonts fonts;
    TextMetricMode previous = TextMetricMode::Real;
};

using Texts = std::vector<std::string>;

TEST_F(LabelLayoutTest, LineEndsAndTabs) {
    EXPECT_EQ(texts(layOut(u"A\rB", 100)), (Texts{"0:A", "1:B"}));
    EXPECT_EQ(texts(layOut(u"A\tB", 100)), (Texts{"0:A", "0:     ", "0:B"}));
    // LF is an ordinary character.
    EXPECT_EQ(texts(layOut(u"A\nB", 100)), (Texts{"0:A\nB"}));
    // An empty line still has its height.
    const LabelLayout blank = layOut(u"A\r\rB", 100);
    EXPECT_EQ(blank.lineHeights, (std::vector<int>{10, 10, 10}));
}

TEST_F(LabelLayoutTest, WrappingAndTextHeightAtTwoWidths) {
    struct Case {
        const char16_t* text;
        int width;
        Texts lines;
        int textHeight;
    };
    const Case cases[] = {
        {u"aaaa bbbb cccc", 100, {"0:aaaa bbbb cccc"}, 13},
        {u"aaaa bbbb cccc", 50, {"0:aaaa bbbb", "1:cccc"}, 23},
        // A word longer than the width is broken where it overflows...
        {u"abcdefghijklmnop", 50, {"0:abcdefghi", "1:jklmnop"}, 23},
        {u"abcdefghijklmnop", 100, {"0:abcdefghijklmnop"}, 13},
        // ...a shorter one moves whole to the next line.
        {u"aaaa bbbbbbb", 50, {"0:aaaa", "1:bbbbbbb"}, 23},
        // A bigger font on the second line makes that line taller.
        {u"ab\r<*20*>cd", 100, {"0:ab", "1:cd"}, 10 + 20 + 6},
    };
    for (const Case& c : cases) {
        const LabelLayout l = layOut(c.text, c.width);
        EXPECT_EQ(texts(l), c.lines) << c.width;
        EXPECT_EQ(l.textHeight, c.textHeight) << c.width;
    }
}

TEST_F(LabelLayoutTest, IndentedWrapsStartWithASpace) {
    EXPECT_EQ(texts(layOut(u"aaaa bbbb cccc", 50, false, true)),
              (Texts{"0:aaaa bbbb", "1:  cccc"}));
}

TEST_F(LabelLayoutTest, StyleAndHeightTokens) {
    const LabelLayout l = layOut(u"x<*b*>y<*b*>z<*20*>w", 200);
    std::string kinds;
    for (const LabelRun& r : l.runs) {
        kinds += std::to_string(static_cast<int>(r.type));
    }
    EXPECT_EQ(kinds, "0202030");
    EXPECT_EQ(l.runs[1].style, u'b');
    EXPECT_EQ(l.runs[5].fontHeight, 20);
    EXPECT_EQ(l.runs[6].height, 20);
    EXPECT_EQ(l.runs[4].height, 10);
    // A tag after text starts the next word with a space: "x", " y", " z", " w". Style and
    // height runs count -1 in the line width, like empty text runs.
    EXPECT_EQ(l.lineWidths[0], 5 + 10 + 10 + 20 - 3);
}

TEST_F(LabelLayoutTest, InlineImages) {
    const auto& info = labelImage(imageIdForName(u"infoC"));
    ASSERT_GT(info.width(), 10);
    const LabelLayout l = layOut(u"aaaaaaaa#*infoC*#b", 50);
    ASSERT_EQ(l.runs.size(), 3u);
    EXPECT_EQ(l.runs[1].type, LabelRunType::Image);
    EXPECT_EQ(l.runs[1].line, 1) << "an image that does not fit starts the next line";
    EXPECT_EQ(l.runs[1].width, info.width());
    EXPECT_EQ(l.runs[1].height, info.height() + 2);
    const LabelLayout doubled = layOut(u"#*infoC*#", 500, true);
    EXPECT_EQ(doubled.runs[0].width, 2 * info.width());
    EXPECT_EQ(doubled.runs[0].height, 2 * info.height() + 2);
}

TEST_F(LabelLayoutTest, AnUnregisteredImageNameIsAnError) {
    try {
        layOut(u"see #*nothing*# here", 100);
        FAIL() << "no exception";
    } catch (const ShellException& e) {
        EXPECT_STREQ(e.what(), "ImageLabel wrong text Exception");
    }
}

TEST_F(LabelLayoutTest, AnEmptyTextHasNoHeight) {
    const LabelLayout l = layOut(u"", 100);
    EXPECT_TRUE(l.runs.empty());
    EXPECT_EQ(l.textHeight, 0);
}

// Markup from timetable files and downloads: whatever it holds, the label shows something
// sensible, keeps every character that is not markup and reads nothing past the text.
TEST_F(LabelLayoutTest, MalformedMarkupIsShownAsWritten) {
    struct Case {
        std::u16string text;
        Texts lines;
    };
    const Case cases[] = {
        {u"end <*", {"0:end <*"}},
        {u"end #*", {"0:end #*"}},
        {u"a #*infoC", {"0:a #*infoC"}},
        {u"a #**# b", {"0:a #**# b"}},
        {u"x<*b", {"0:x<*b"}},
        {u"x<*b*", {"0:x<*b*"}},
        {u"x<*20", {"0:x<*20"}},
        {u"#", {"0:#"}},
        {u"<", {"0:<"}},
        {u"a<b #c", {"0:a<b #c"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(texts(layOut(c.text, 200)), c.lines)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(LabelLayoutTest, FontHeightsAreKeptDrawable) {
    struct Case {
        const char16_t* text;
        int height;
    };
    const Case cases[] = {{u"<*0*>x", 10},   {u"<*abc*>x", 10}, {u"<*500*>x", kLabelMaxFontHeight},
                          {u"<*-5*>x", kLabelMinFontHeight}, {u"<*99999999999*>x", kLabelMaxFontHeight},
                          {u"<*14*>x", 14}};
    for (const Case& c : cases) {
        const LabelLayout l = layOut(c.text, 200);
        ASSERT_FALSE(l.runs.empty());
        EXPECT_EQ(l.runs.back().height, c.height) << std::string(c.text, c.text + 8);
    }
}

TEST_F(LabelLayoutTest, AVeryLongWordBreaksIntoFullLines) {
    const std::u16string word(10000, u'w');
    const LabelLayout l = layOut(word, 50);
    std::size_t kept = 0;
    for (const LabelRun& r : l.runs) {
        kept += r.text.size();
        EXPECT_LE(r.width, 50);
    }
    EXPECT_EQ(kept, word.size());
    EXPECT_EQ(l.runs.back().line, 9999 / 9);
}

}  // namespace
}  // namespace pelorvant
