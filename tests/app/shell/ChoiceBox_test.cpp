// The choice box on both profiles (the touch screen's combo, the keypad's drop list stepped
// without wrap-around, its full-screen list) and the choice popup: size, Ok, Storno and the
// combo losing the focus.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/ChoicePopup.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace ui = platform::ui;

// A choice box of three items with the first current, on the profile's screen.
class ChoiceBoxFixture {
protected:
    explicit ChoiceBoxFixture(const char* profileName) : profile(profileName), kit(profileName) {}
    void makeBox() {
        ASSERT_TRUE(box.createChoice(host.window(), Rect::fromSize(10, 40, 200, 30), 4321));
        box.items() = {u"Ano", u"Ne", u"Možná"};
        box.fillComboBox();
        box.SetCurSel(0);
        box.Layout();
        ui::setFocus(box.handle());
        kit.pump();
        host.seen().clear();
    }
    bool touch() const { return std::string(profile).find("keypad") == std::string::npos; }
    int changes() {
        int n = 0;
        for (const auto& m : host.seen())
            n += m.message == WM_CHOICE_CHANGED ? 1 : 0;
        return n;
    }

    const char* profile;
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cChoiceBox box{5, 4028};
};

class ChoiceBoxTest : public ChoiceBoxFixture, public ::testing::TestWithParam<const char*> {
protected:
    ChoiceBoxTest() : ChoiceBoxFixture(GetParam()) {}
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(makeBox()); }
};

// The keypad's own drop list.
class KeypadChoiceBoxTest : public ChoiceBoxFixture, public ::testing::Test {
protected:
    KeypadChoiceBoxTest() : ChoiceBoxFixture("240x320-keypad") {}
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(makeBox()); }
};

TEST_P(ChoiceBoxTest, SelectionAndTextInBothProfiles) {
    EXPECT_EQ(box.hasCombo, touch());
    box.SetCurSel(2);
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(box.GetSelectedText(), u"Možná");
    EXPECT_EQ(box.SelectString(u"Ne"), 1);
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(box.GetSelectedText(), u"Ne");
    EXPECT_EQ(box.SelectString(u"ne"), 0);  // exact comparison
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(ui::getFocus(), touch() ? box.combo.handle() : box.dropList.handle());
}

TEST_P(ChoiceBoxTest, LayoutGivesTheBoxOneLineAndTheComboItsPlace) {
    const int fh = shellSettings().fontHeight();
    if (touch()) {
        const Rect combo = ui::getWindowRectInParent(box.combo.handle());
        EXPECT_EQ(combo.left, 10);
        EXPECT_EQ(combo.width(), 200);
        EXPECT_EQ(combo.height(), static_cast<int>(1.3 * fh));
        EXPECT_EQ(ui::getWindowRectInParent(box.handle()).width(), 0);
        EXPECT_EQ(ui::getDlgCtrlId(box.combo.handle()), 4321u);  // the page hears it as the box
    } else {
        EXPECT_EQ(ui::getWindowRectInParent(box.handle()).height(), static_cast<int>(1.3 * fh));
        EXPECT_EQ(ui::getWindowRectInParent(box.dropList.handle()).width(), 200);
    }
}

TEST_F(KeypadChoiceBoxTest, ArrowsStepWithoutWrap) {
    kit.key(ui::VK_LEFT);  // at the first item: nothing
    EXPECT_EQ(box.GetCurSel(), 0);
    EXPECT_EQ(changes(), 0);
    kit.key(ui::VK_RIGHT);
    kit.key(ui::VK_RIGHT);
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(changes(), 2);
    EXPECT_EQ(host.seen().back().wParam, 4321u);
    kit.key(ui::VK_RIGHT);  // at the last item: nothing
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(changes(), 2);
    kit.key(ui::VK_LEFT);
    EXPECT_EQ(box.GetCurSel(), 1);
}

TEST_F(KeypadChoiceBoxTest, TabMovesToThePreviousControl) {
    struct Case {
        std::uint32_t key;
        std::uintptr_t backwards;
    };
    for (const Case c : {Case{ui::VK_TAB, 1}, Case{ui::VK_UP, 1}, Case{ui::VK_DOWN, 0}}) {
        host.seen().clear();
        kit.key(c.key);
        ASSERT_EQ(host.seen().size(), 1u) << c.key;
        EXPECT_EQ(host.seen()[0].message, WM_MOVE_FOCUS);
        EXPECT_EQ(host.seen()[0].wParam, c.backwards) << c.key;
        EXPECT_EQ(host.seen()[0].lParam, 5);
    }
}

TEST_F(KeypadChoiceBoxTest, FullScreenListAnswerBecomesCurrent) {
    platform::sendMessage(box.dropList.handle(), WM_LIST_CHOICE_DONE, 2, 0);
    EXPECT_EQ(box.GetCurSel(), 2);
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(ui::getFocus(), box.dropList.handle());
}

INSTANTIATE_TEST_SUITE_P(Profiles, ChoiceBoxTest, ::testing::Values("240x320", "240x320-keypad"),
                         [](const auto& info) {
                             return std::string(info.param).find("keypad") == std::string::npos
                                        ? "Touch"
                                        : "Keypad";
                         });

class ChoicePopupTest : public ::testing::TestWithParam<const char*> {
protected:
    ChoicePopupTest() : kit(GetParam()) {}
    void SetUp() override {
        popup.showView = [this](int id) { views.push_back(id); };
        popup.ShowChoice(
            u"Kolik spojení poslat?", {u"1", u"2", u"3"},
            [this](std::u16string_view chosen, platform::WindowHandle asking) {
                answers.emplace_back(chosen);
                askers.push_back(asking);
            },
            host.window(), 4028);
        kit.pump();
    }
    bool touch() const { return std::string(GetParam()).find("keypad") == std::string::npos; }

    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cChoicePopup popup;
    std::vector<int> views;
    std::vector<std::u16string> answers;
    std::vector<platform::WindowHandle> askers;
};

TEST_P(ChoicePopupTest, OneLineQuestionIsThreeAndAHalfFontHeightsTallerThanItsLine) {
    ASSERT_TRUE(popup.shown);
    const int fh = shellSettings().fontHeight();
    const int line = popup.label.GetTextHeight();
    ASSERT_GE(line, fh);
    ASSERT_LT(line, 2 * fh);  // one line
    const Rect r = ui::getWindowRect(popup.handle());
    EXPECT_EQ(r.height(), static_cast<int>(line + 3.5 * fh));
    // The choice box sits a font height below the question, within the popup.
    const Rect choiceRect = ui::getWindowRect(popup.choice.hasCombo ? popup.choice.combo.handle()
                                                                    : popup.choice.handle());
    EXPECT_LE(choiceRect.bottom, r.bottom);
    EXPECT_GE(choiceRect.top, r.top + line);
    EXPECT_EQ(r.width(), popup.label.layout().longestLineWidth() + fh);
    const Rect asking = ui::getWindowRect(host.window());
    EXPECT_LE(std::abs((r.left - asking.left) - (asking.right - r.right)), 1);  // centred
    EXPECT_TRUE(ui::getExStyle(popup.handle()) & ui::WS_EX_TOPMOST);
    EXPECT_EQ(views, std::vector<int>{kChoicePopupViewId});
    EXPECT_NE(ui::getDlgCtrlId(popup.label.handle()), ui::getDlgCtrlId(popup.choice.handle()));
}

TEST_P(ChoicePopupTest, OkAnswersTheChosenTextAndCloses) {
    popup.choice.SetCurSel(1);
    popup.routeCommand(kCommandChoiceOk, 0);
    EXPECT_EQ(answers, std::vector<std::u16string>{u"2"});
    EXPECT_EQ(askers, std::vector<platform::WindowHandle>{host.window()});
    EXPECT_FALSE(popup.shown);
    EXPECT_EQ(popup.handle(), platform::kNullWindow);
    EXPECT_EQ(views, (std::vector<int>{kChoicePopupViewId, 4028}));
}

TEST_P(ChoicePopupTest, StornoClosesWithoutAnswer) {
    popup.routeCommand(kCommandChoiceCancel, 0);
    EXPECT_TRUE(answers.empty());
    EXPECT_FALSE(popup.shown);
    // Shown again, the popup makes a new window.
    popup.ShowChoice(u"Znovu?", {u"Ano"}, {}, host.window(), 4028);
    EXPECT_TRUE(popup.shown);
    EXPECT_EQ(popup.choice.GetSelectedText(), u"Ano");
}

TEST_P(ChoicePopupTest, ComboLosingTheFocusCancels) {
    if (!touch()) {
        // The keypad's drop list reports no focus loss: the popup stays.
        ui::setFocus(host.window());
        kit.pump();
        EXPECT_TRUE(popup.shown);
        return;
    }
    ASSERT_EQ(ui::getFocus(), popup.choice.combo.handle());
    ui::setFocus(host.window());
    kit.pump();
    EXPECT_FALSE(popup.shown);
    EXPECT_TRUE(answers.empty());
}

INSTANTIATE_TEST_SUITE_P(Profiles, ChoicePopupTest, ::testing::Values("240x320", "240x320-keypad"),
                         [](const auto& info) {
                             return std::string(info.param).find("keypad") == std::string::npos
                                        ? "Touch"
                                        : "Keypad";
                         });

}  // namespace
}  // namespace pelorvant
