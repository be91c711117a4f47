// The shell's keys as a person presses them: through the test kit and the ui message loop
// (no call of translateShellKey by hand), soft keys reach the menu bar, keys reach an open
// popup, and an overridden Back key reaches the bar's owner instead of the focus.

#include "platform/shell/Menu.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::shell {
namespace {

using draw::Rect;
using Seen = std::vector<std::string>;

class ShellKeys : public ::testing::Test {
protected:
    ShellKeys() {
        ui::CreateParams p;
        p.className = "Frame";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 240, 294};
        auto seen = seen_;
        frame =
            ui::createWindow(p,
                             [seen](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                    std::intptr_t lp) -> MsgResult {
                                 if (m == ui::WM_COMMAND) {
                                     seen->push_back("command " + std::to_string(ui::lowWord(wp)));
                                     return 0;
                                 }
                                 if (m == WM_HOTKEY) {
                                     seen->push_back("hotkey " + std::to_string(ui::xOfLParam(lp)) +
                                                     " " + std::to_string(ui::yOfLParam(lp)));
                                     return 0;
                                 }
                                 if (m == ui::WM_KEYDOWN) {
                                     seen->push_back("key " + std::to_string(wp));
                                     return 0;
                                 }
                                 return ui::defWindowProc(h, m, wp, lp);
                             });
        MenuPtr menu = Menu::create();
        menu->append(MF_STRING, 32786, u"Zpět");
        MenuPtr popup = Menu::create();
        popup->append(MF_STRING, 32787, u"Aktualizace dat");
        popup->append(MF_STRING, 32788, u"Stažení dat");
        menu->append(MF_POPUP, 402, u"Menu", popup);
        bar = createMenuBar(frame, menu);
        ui::setFocus(frame);
    }
    ~ShellKeys() override { closeMenuPopups(); }
    Seen& seen() { return *seen_; }

    testkit::UiTestKit kit;
    std::shared_ptr<Seen> seen_ = std::make_shared<Seen>();
    WindowHandle frame = kNullWindow;
    WindowHandle bar = kNullWindow;
};

TEST_F(ShellKeys, RightSoftKeyOpensThePopupAndKeysPickACommand) {
    kit.softKey(2);
    ASSERT_EQ(openMenuPopups().size(), 1u);
    EXPECT_EQ(ui::getWindowRect(openMenuPopups()[0]).right, ui::getWindowRect(bar).right);
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_RETURN);
    EXPECT_TRUE(openMenuPopups().empty());
    // The popup held the keys: the focus heard none of them.
    EXPECT_EQ(seen(), (Seen{"command 32788"}));
    kit.key(ui::VK_DOWN);  // closed: keys go to the focus again
    EXPECT_EQ(seen(), (Seen{"command 32788", "key " + std::to_string(ui::VK_DOWN)}));
}

TEST_F(ShellKeys, LeftSoftKeySendsItsCommandAndEscapeClosesAPopup) {
    kit.softKey(1);
    EXPECT_EQ(seen(), (Seen{"command 32786"}));
    kit.softKey(2);
    kit.key(ui::VK_ESCAPE);
    EXPECT_TRUE(openMenuPopups().empty());
    EXPECT_EQ(seen(), (Seen{"command 32786"}));
}

TEST_F(ShellKeys, BackKeyReachesTheOwnerAsHotKeyOnlyWhenOverridden) {
    kit.key(ui::VK_ESCAPE);
    EXPECT_EQ(seen(), (Seen{"key 27"}));
    sendMessage(bar, SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE,
                ui::makeLParam(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    kit.key(ui::VK_ESCAPE);
    EXPECT_EQ(seen(), (Seen{"key 27", "hotkey 0 27", "hotkey 4096 27"}));
}

}  // namespace
}  // namespace platform::shell
