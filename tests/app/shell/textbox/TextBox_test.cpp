// The object text box on the sample network: typing finds names, keypad keys run the T9
// search, the list shows history, favourites and the rest in their colours, rows are chosen
// with keys and taps, the "X" button clears, tap-and-hold adds and removes favourites, and an
// empty box with the GPS flag shows the GPS placeholder.

#include "SampleNetwork.h"

#include "app/shell/PrivateMessages.h"
#include "app/shell/TextBox.h"
#include "../ViewHost.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ModalLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;

const std::u16string kNamestiMiru = u"N\u00e1m\u011bst\u00ed M\u00edru";

class TextBoxTest : public ::testing::Test {
protected:
    explicit TextBoxTest(const char* profile = "240x320", bool gps = false)
        : kit(profile), box(0, platform::kNullWindow, gps, network.names()) {}
    void SetUp() override {
        ASSERT_TRUE(network.ok());
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return 1;
        });
        ASSERT_TRUE(box.createBox(host.window(), Rect::fromSize(5, 30, 230, 26), 1001));
        box.listHeight = 150;
        box.Layout();
        ui::setFocus(box.handle());
        kit.pump();
    }
    void TearDown() override {
        platform::shell::setMessageBoxAnswerer({});
        platform::shell::setModalIdle({});
    }
    std::u16string chosenName() {
        return box.chosen.count > 0 ? box.chosen.GetName(0, network.names()) : std::u16string();
    }
    // The list row's screen point.
    Point rowPoint(int row) {
        const Rect r = ui::getWindowRect(box.list.handle());
        return {r.left + 20, r.top + row * cTextBoxList::rowHeight() + cTextBoxList::rowHeight() / 2};
    }
    int pixelsOfColour(int row, platform::draw::Color colour) {
        const auto& shot = kit.screenshot();
        const Rect r = ui::getWindowRect(box.list.handle());
        int n = 0;
        const int h = cTextBoxList::rowHeight();
        for (int y = r.top + row * h; y < r.top + (row + 1) * h; ++y) {
            for (int x = r.left; x < r.right; ++x) n += shot.pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    testing::SampleNetwork network;
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cTextBox box;
    std::vector<std::u16string> boxes;
};

TEST_F(TextBoxTest, TypingNamMirFindsNamestiMiru) {
    kit.type(u"nam mir");
    EXPECT_EQ(chosenName(), kNamestiMiru);
    EXPECT_EQ(box.editText(), kNamestiMiru);
    EXPECT_FALSE(box.listShown());
    EXPECT_TRUE(boxes.empty());
    // The completed name stays while further characters arrive.
    kit.type(u"x");
    EXPECT_EQ(box.editText(), kNamestiMiru);
}

TEST_F(TextBoxTest, TypingAFewLettersShowsSuggestions) {
    kit.type(u"n");
    ASSERT_TRUE(box.listShown());
    EXPECT_GT(box.list.rowCount(), 1);
    EXPECT_LE(box.list.rowCount(), kSuggestionSlots);
    EXPECT_EQ(box.chosen.count, 0);
    EXPECT_EQ(box.text, u"n");
}

}  // namespace
}  // namespace pelorvant
