// The search page of the whole program on a keypad phone: T9 turned off and on for the three
// stop boxes and stored, and the boxes and the transfers switched between typing and keys.
#include "tests/app/program/tabs/SampleProgram.h"

#include "app/core/EngineIni.h"
#include "app/core/PrivateMessages.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {
namespace {

class SearchPageKeyboardTest : public SampleProgramTest {
protected:
    SearchPageKeyboardTest() : SampleProgramTest("240x320-keypad") {}
    cZaklFormularView& page() {
        return program->frame()->host().activePage()->searchForm.searchPage();
    }
    // Shown by its own style (the page may lie behind the first-run wizard).
    static bool shown(platform::WindowHandle window) {
        return (platform::ui::getStyle(window) & platform::ui::WS_VISIBLE) != 0;
    }
    bool storedT9() const {
        return EngineIni(*program->context().api).readBool(kSetupSection, u"useT9", true);
    }
};

TEST_F(SearchPageKeyboardTest, ToggleT9TurnsItOffAndOnInEveryBoxAndStoresIt) {
    cZaklFormularView& p = page();
    ASSERT_TRUE(p.from.useT9);
    platform::sendMessage(p.handle(), WM_TOGGLE_T9, 0, 0);
    for (const cTextBox* box : {&p.from, &p.to, &p.via})
        EXPECT_FALSE(box->useT9);
    EXPECT_FALSE(program->settings()->useT9);
    EXPECT_FALSE(storedT9());
    platform::sendMessage(p.handle(), WM_TOGGLE_T9, 0, 0);
    for (const cTextBox* box : {&p.from, &p.to, &p.via})
        EXPECT_TRUE(box->useT9);
    EXPECT_TRUE(program->settings()->useT9);
    EXPECT_TRUE(storedT9());
}

TEST_F(SearchPageKeyboardTest, TypingModeSwitchesEveryBoxAndTheTransfers) {
    cZaklFormularView& p = page();
    ASSERT_FALSE(p.from.editMode);
    p.transfers.SetCurSel(3);
    platform::sendMessage(p.handle(), WM_TOGGLE_T9, 0, 0);
    platform::sendMessage(p.handle(), WM_TEXTBOX_MODE, 1, 0);
    for (const cTextBox* box : {&p.from, &p.to, &p.via}) {
        EXPECT_TRUE(box->editMode);
        EXPECT_TRUE(shown(box->edit.handle()));
        EXPECT_FALSE(shown(box->display.handle()));
    }
    EXPECT_TRUE(p.transfers.hasCombo);
    EXPECT_EQ(p.transfers.GetCurSel(), 3);
    // Back to the keypad: T9 is on again, whatever it was.
    platform::sendMessage(p.handle(), WM_TEXTBOX_MODE, 0, 0);
    for (const cTextBox* box : {&p.from, &p.to, &p.via}) {
        EXPECT_FALSE(box->editMode);
        EXPECT_TRUE(box->useT9);
        EXPECT_TRUE(shown(box->display.handle()));
    }
    EXPECT_FALSE(p.transfers.hasCombo);
    EXPECT_EQ(p.transfers.GetCurSel(), 3);
    EXPECT_TRUE(program->settings()->useT9);
}

}  // namespace
}  // namespace pelorvant
