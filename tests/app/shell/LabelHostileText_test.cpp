// Timetable and download texts put into label markup show as they are written: hostile names
// and notes through plainLabelText lay out as plain text (no image, style or height runs of
// their own, nothing read as markup after them), and a label given faulty markup shows it
// instead of ending the program.

#include "ViewHost.h"
#include "app/core/LabelPlainText.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/LabelLayout.h"

#include "platform/draw/Font.h"
#include "platform/draw/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorvant {
namespace {

constexpr char16_t kZeroWidthSpace = u'\u200B';

// The characters a reader sees, without the spaces the layout moves between runs.
std::u16string shownLetters(const LabelLayout& layout) {
    std::u16string out;
    for (const LabelRun& r : layout.runs) {
        if (r.type != LabelRunType::Text)
            continue;
        for (const char16_t c : r.text) {
            if (c != u' ' && c != kZeroWidthSpace)
                out += c;
        }
    }
    return out;
}

std::u16string withoutSpaces(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\r' && c != u'\t')
            out += c;
    }
    return out;
}

class LabelHostileTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = platform::draw::textMetricMode();
        platform::draw::setTextMetricMode(platform::draw::TextMetricMode::Synthetic);
        registerImageNames();
    }
    void TearDown() override { platform::draw::setTextMetricMode(previous); }
    LabelFonts fonts;
    platform::draw::TextMetricMode previous = platform::draw::TextMetricMode::Real;
};

TEST_F(LabelHostileTextTest, HostileTextsShowAsTheyAreWritten) {
    const std::u16string cases[] = {
        u"Gama #*nic*# konec",
        u"*#*#*",
        u"Delta <*b*> tučně",
        u"Omega <*b*",
        u"výška <*40*> obří",
        u"#*infoC*# a registered image's name",
        u"řádek\rdalší\ttab",
        u"#",
        u"konec <",
        u"<*b*><*u*><*i*>",
        u"\u200B<*b*>",
    };
    for (const std::u16string& name : cases) {
        // As the program builds its texts: its own bold marks around the timetable's text.
        const std::u16string markup = u"<*b*>Z:<*b*> " + plainLabelText(name) + u"<*b*>konec<*b*>";
        LabelLayoutOptions options;
        options.wrapWidth = 2000;
        options.fontHeight = 10;
        const LabelLayout layout = layOutLabelText(markup, options, fonts);
        int styles = 0;
        int lines = 0;
        for (const LabelRun& r : layout.runs) {
            EXPECT_NE(r.type, LabelRunType::Image) << platform::draw::toUtf8(name);
            EXPECT_NE(r.type, LabelRunType::FontHeight) << platform::draw::toUtf8(name);
            if (r.type == LabelRunType::Style)
                ++styles;
            lines = std::max(lines, r.line);
        }
        EXPECT_EQ(styles, 4) << "only the program's own marks: " << platform::draw::toUtf8(name);
        EXPECT_EQ(lines, 0) << "the name stays on its line: " << platform::draw::toUtf8(name);
        std::u16string expected = u"Z:" + withoutSpaces(name) + u"konec";
        std::erase(expected, kZeroWidthSpace);
        EXPECT_EQ(shownLetters(layout), expected) << platform::draw::toUtf8(name);
    }
}

TEST_F(LabelHostileTextTest, PlainTextIsLeftAsItIs) {
    EXPECT_EQ(plainLabelText(u"Náměstí Míru 3 > 2 * 1 # x"), u"Náměstí Míru 3 > 2 * 1 # x");
}

class LabelFaultyMarkupTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerImageNames();
        ASSERT_TRUE(label.createList(host.window(), Rect{0, 0, 200, 100}, 2031));
    }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    ImageLabel label{true};
};

TEST_F(LabelFaultyMarkupTest, AnUnknownImageIsShownAsWrittenAndTheLabelGoesOn) {
    EXPECT_NO_THROW(label.SetText(u"Gama #*nic*# konec #*infoC*# x"));
    int images = 0;
    std::u16string shown;
    for (const LabelRun& r : label.layout().runs) {
        if (r.type == LabelRunType::Image)
            ++images;
        if (r.type == LabelRunType::Text)
            shown += r.text;
    }
    EXPECT_EQ(images, 1) << "the registered image is still drawn";
    EXPECT_NE(shown.find(u"#*nic*#"), std::u16string::npos);
    EXPECT_GT(label.GetTextHeight(), 0);
    EXPECT_NO_THROW(kit.pump());
}

}  // namespace
}  // namespace pelorvant
