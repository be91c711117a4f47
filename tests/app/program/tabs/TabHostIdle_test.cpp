#include "tests/app/program/tabs/SampleProgram.h"

#include "platform/ui/WindowTree.h"

namespace pelorvant {
namespace {

// The whole program on the sample, with two tabs.
class TabHostIdleTest : public SampleProgramTest {
protected:
    void SetUp() override {
        SampleProgramTest::SetUp();
        host().addTabByUser();
        kit.pump();
        boxes.clear();
        ASSERT_EQ(host().tabCount(), 2);
    }
};

TEST_F(TabHostIdleTest, WhileALoadRunsTabsAreNeitherSwitchedAddedNorClosed) {
    ASSERT_EQ(host().tabCount(), 2);
    ASSERT_EQ(host().activeIndex, 1);
    program->settings()->idle = false;
    kit.tap(platform::draw::Point{20, 12});
    host().addTabByUser();
    host().CloseActiveTab();
    EXPECT_EQ(host().activeIndex, 1);
    EXPECT_EQ(host().tabCount(), 2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(platform::ui::isWindowVisible(host().pages[1]->handle()));
    EXPECT_FALSE(platform::ui::isWindowVisible(host().pages[0]->handle()));
    program->settings()->idle = true;
    kit.tap(platform::draw::Point{20, 12});
    EXPECT_EQ(host().activeIndex, 0);
}

TEST_F(TabHostIdleTest, ARenamedTabShortensItsTitleWhenTheRowIsFull) {
    host().SetActiveTabTitle(u"Velmi dlouhý název jízdního řádu, který se do záhlaví nevejde celý");
    const cTabStrip& header = *host().headers[1];
    EXPECT_LT(header.width, header.naturalWidth);
    ASSERT_GE(header.shownText.size(), 2u);
    EXPECT_EQ(header.shownText.substr(header.shownText.size() - 2), u"..");
    EXPECT_LE(host().nextTabX + host().addButtonSize, platform::ui::getClientRect(host().handle()).width());
}

}  // namespace
}  // namespace pelorvant
