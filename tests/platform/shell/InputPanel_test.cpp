// The soft input panel: shown and hidden, the visible desktop it leaves, the announcement to
// the windows, and a backend's driver.

#include "platform/shell/InputPanel.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/InputPanelKeys.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
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

// Taps the key of the layer that `matches`, at its centre on the screen.
template <class Match>
void tapKey(testkit::UiTestKit& kit, PanelLayer layer, Match matches) {
    SipInfo info;
    sipGetInfo(info);
    const draw::Size size{info.panel.width(), info.panel.height()};
    const auto& rows = panelRows(layer);
    for (int r = 0; r < kPanelRows; ++r) {
        int column = 0;
        for (const PanelKey& key : rows[static_cast<std::size_t>(r)]) {
            if (matches(key)) {
                const Rect k = panelKeyRect(size, r, column, key.span);
                kit.tap(draw::Point{info.panel.left + (k.left + k.right) / 2,
                                    info.panel.top + (k.top + k.bottom) / 2});
                return;
            }
            column += key.span;
        }
    }
    ADD_FAILURE() << "no such key";
}

void tapCharacter(testkit::UiTestKit& kit, PanelLayer layer, char16_t c) {
    tapKey(kit, layer,
           [c](const PanelKey& k) { return k.action == PanelAction::Type && k.character == c; });
}

void tapAction(testkit::UiTestKit& kit, PanelLayer layer, PanelAction a,
               PanelLayer target = PanelLayer::Letters) {
    tapKey(kit, layer, [&](const PanelKey& k) {
        return k.action == a && (a != PanelAction::Layer || k.target == target);
    });
}

TEST_F(InputPanelTest, TapsTypeIntoTheFocusedEditCzechLettersAndCapitalsIncluded) {
    controls::registerControlClasses();
    ui::CreateParams p;
    p.className = std::string(controls::kEditClass);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER;
    p.rect = Rect{10, 10, 230, 30};
    p.parent = frame;
    const WindowHandle edit = ui::createWindow(p);
    ui::setFocus(edit);
    sipShowIM(SIPF_ON);
    using L = PanelLayer;
    tapAction(kit, L::Letters, PanelAction::Shift);  // one capital, then small letters again
    for (char16_t c : std::u16string(u"brno")) {
        tapCharacter(kit, L::Letters, c);
    }
    tapCharacter(kit, L::Letters, u' ');
    tapAction(kit, L::Letters, PanelAction::Layer, L::Accents);
    tapAction(kit, L::Accents, PanelAction::Shift);
    tapCharacter(kit, L::Accents, u'ž');
    tapCharacter(kit, L::Accents, u'ď');
    tapAction(kit, L::Accents, PanelAction::Backspace);
    tapCharacter(kit, L::Accents, u'ľ');
    tapAction(kit, L::Accents, PanelAction::Layer, L::Digits);
    tapCharacter(kit, L::Digits, u'7');
    EXPECT_EQ(ui::getWindowText(edit), u"Brno Žľ7");
    EXPECT_EQ(ui::getFocus(), edit);  // the panel never takes the focus
}

TEST_F(InputPanelTest, KeysCarryTheirLabelsAndShiftShowsCapitals) {
    EXPECT_EQ(panelKeyLabel(PanelKey{u'ř'}, false), u"ř");
    EXPECT_EQ(panelKeyLabel(PanelKey{u'ř'}, true), u"Ř");
    EXPECT_EQ(panelKeyLabel(PanelKey{u'7'}, true), u"7");
    EXPECT_EQ(panelKeyLabel(PanelKey{0, PanelAction::Layer, PanelLayer::Digits}, false), u"123");
    for (PanelLayer layer : {PanelLayer::Letters, PanelLayer::Accents, PanelLayer::Digits}) {
        ASSERT_EQ(panelRows(layer).size(), static_cast<std::size_t>(kPanelRows));
        for (const auto& row : panelRows(layer)) {
            int columns = 0;
            for (const PanelKey& k : row) {
                columns += k.span;
                EXPECT_FALSE(panelKeyLabel(k, false).empty());
            }
            EXPECT_EQ(columns, kPanelColumns);
        }
    }
    // The label is drawn in the key: synthetic glyphs are solid boxes in the text colour.
    sipShowIM(SIPF_ON);
    const Rect q = panelKeyRect(draw::Size{240, 80}, 0, 0, 1);
    EXPECT_EQ(kit.screenshot().pixel((q.left + q.right) / 2, 214 + (q.top + q.bottom) / 2),
              controls::kTextColor);
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
