// The soft input panel: shown and hidden, the visible desktop it leaves, the announcement to
// the windows, and a backend's driver.

#include "platform/shell/InputPanel.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::shell {
namespace {

using draw::Rect;

class InputPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::CreateParams p;
        p.className = "Frame";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 240, 294};
        frame = ui::createWindow(p,
                                 [this](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                        std::intptr_t lp) -> MsgResult {
                                     if (m == WM_SETTINGCHANGE && wp == SPI_SETSIPINFO) {
                                         SipInfo info;
                                         sipGetInfo(info);
                                         heard.push_back(info.visibleDesktop.bottom);
                                     }
                                     return ui::defWindowProc(h, m, wp, lp);
                                 });
    }
    void TearDown() override {
        sipShowIM(SIPF_OFF);
        setInputPanelDriver({});
    }
    testkit::UiTestKit kit;
    WindowHandle frame = kNullWindow;
    std::vector<int> heard;  // the visible desktop's bottom at each announcement
};

TEST_F(InputPanelTest, DrawnPanelCoversTheScreenAboveTheMenuBar) {
    SipInfo info;
    sipGetInfo(info);
    EXPECT_EQ(info.flags, SIPF_OFF);
    EXPECT_EQ(info.visibleDesktop, (Rect{0, 0, 240, 294}));
    EXPECT_EQ(info.panel, (Rect{0, 214, 240, 294}));
    ASSERT_TRUE(sipShowIM(SIPF_ON));
    EXPECT_TRUE(sipIsOn());
    sipGetInfo(info);
    EXPECT_EQ(info.flags, SIPF_ON);
    EXPECT_EQ(info.visibleDesktop, (Rect{0, 0, 240, 214}));
    EXPECT_NE(kit.dumpTree().find("InputPanel id=0 [0,214 240x80] visible"), std::string::npos)
        << kit.dumpTree();
    EXPECT_EQ(kit.screenshot().pixel(0, 216), controls::kFaceColor);    // between the keys
    EXPECT_EQ(kit.screenshot().pixel(5, 220), controls::kWindowColor);  // a key
    sipShowIM(SIPF_ON);                                                 // already on: nothing new
    info.flags = SIPF_OFF;
    sipSetInfo(info);
    EXPECT_FALSE(sipIsOn());
    EXPECT_EQ(kit.dumpTree().find("InputPanel"), std::string::npos);
    EXPECT_EQ(heard, (std::vector<int>{214, 294}));
}

TEST(InputPanel, HighResolutionPanelIsTwiceAsHighAndGoesWithTheWindows) {
    {
        testkit::UiTestKit big("480x640");
        sipShowIM(SIPF_ON);
        SipInfo info;
        sipGetInfo(info);
        EXPECT_EQ(info.panel.height(), 2 * kInputPanelHeight);
        EXPECT_EQ(info.panel.bottom, 640 - ui::systemMetrics().captionHeight);
    }
    // The kit destroyed every window, the panel too: it is off, and shows again when asked.
    EXPECT_FALSE(sipIsOn());
    testkit::UiTestKit again;
    sipShowIM(SIPF_ON);
    EXPECT_NE(again.dumpTree().find("InputPanel"), std::string::npos);
    sipShowIM(SIPF_OFF);
}

TEST_F(InputPanelTest, DriverStartsAndStopsTheBackendKeyboardInstead) {
    std::vector<bool> calls;
    setInputPanelDriver([&](bool on) { calls.push_back(on); });
    sipShowIM(SIPF_ON);
    sipShowIM(SIPF_OFF);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(kit.dumpTree().find("InputPanel"), std::string::npos);
    EXPECT_EQ(heard.size(), 2u);
}

}  // namespace
}  // namespace platform::shell
