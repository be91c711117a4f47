// The menu bar: soft keys, popups reached by soft key, tap and keys, menus changed at run
// time, and the Back key handed to the program.

#include "platform/shell/MenuBar.h"
#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/MenuFromTemplate.h"
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

using draw::Point;
using draw::Rect;
using Seen = std::vector<std::string>;
using resources::MenuItemKind;
using resources::MenuItemTemplate;

// A menu as the resource compiler writes it: "Zpět" on the left, the "Menu" popup (button
// 402) on the right with a nested popup.
const MenuItemTemplate kSub[] = {{MenuItemKind::Command, 500, u"A", nullptr, 0},
                                 {MenuItemKind::Command, 501, u"B", nullptr, 0}};
const MenuItemTemplate kMenuItems[] = {
    {MenuItemKind::Command, 32787, u"Aktualizace dat", nullptr, 0},
    {MenuItemKind::Separator, 0, u"", nullptr, 0},
    {MenuItemKind::Popup, 0, u"Sub", kSub, 2},
    {MenuItemKind::Command, 32788, u"Stažení dat", nullptr, 0}};
const MenuItemTemplate kTop[] = {{MenuItemKind::Command, 32786, u"Zpět", nullptr, 0},
                                 {MenuItemKind::Popup, 402, u"Menu", kMenuItems, 4}};
const resources::MenuTemplate kMenu351{351, kTop, 2};

class MenuBarTest : public ::testing::Test {
protected:
    MenuBarTest() {
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
                                 return ui::defWindowProc(h, m, wp, lp);
                             });
        bar = createMenuBar(frame, menuFromTemplate(kMenu351));
    }
    ~MenuBarTest() override { closeMenuPopups(); }

    bool key(std::uint32_t vk) {
        const bool down = translateShellKey(Message{ui::getFocus(), ui::WM_KEYDOWN, vk, 0, 0});
        const bool up = translateShellKey(Message{ui::getFocus(), ui::WM_KEYUP, vk, 0, 0});
        EXPECT_EQ(down, up);
        return down;
    }
    // A point in row `row` of open popup `level` (rows are 21 high, separators 5).
    Point inPopup(std::size_t level, int top) const {
        const Rect r = ui::getWindowRect(openMenuPopups().at(level));
        return Point{r.left + 20, r.top + 1 + top + 10};
    }
    Seen& seen() { return *seen_; }

    testkit::UiTestKit kit;
    std::shared_ptr<Seen> seen_ = std::make_shared<Seen>();
    WindowHandle frame = kNullWindow;
    WindowHandle bar = kNullWindow;
};

TEST_F(MenuBarTest, BarLiesAlongTheBottomAndTheLeftSoftKeySendsItsCommand) {
    EXPECT_EQ(ui::getWindowRect(bar), (Rect{0, 294, 240, 320}));
    EXPECT_EQ(findMenuBar(frame), bar);
    EXPECT_TRUE(key(ui::VK_TSOFT1));
    kit.tap(Point{40, 305});
    EXPECT_EQ(seen(), (Seen{"command 32786", "command 32786"}));
    EXPECT_EQ(kit.screenshot().pixel(2, 300), controls::kSelectionColor);
}

TEST_F(MenuBarTest, RightSoftKeyOpensThePopupAboveTheBarAtTheRightEdge) {
    EXPECT_TRUE(key(ui::VK_TSOFT2));
    ASSERT_EQ(openMenuPopups().size(), 1u);
    // Width: "Aktualizace dat" (90) and room for a mark and an arrow (2 × 21); height: three
    // rows, a separator and the border.
    EXPECT_EQ(ui::getWindowRect(openMenuPopups()[0]), (Rect{108, 224, 240, 294}));
    kit.tap(inPopup(0, 0));
    EXPECT_EQ(seen(), (Seen{"command 32787"}));
    EXPECT_TRUE(openMenuPopups().empty());
}

TEST_F(MenuBarTest, TapsReachNestedPopupsAndATapOutsideClosesThemAll) {
    kit.tap(Point{200, 305});  // the right soft key; its own finger-up keeps the popup open
    ASSERT_EQ(openMenuPopups().size(), 1u);
    kit.tap(inPopup(0, 26));  // "Sub"
    ASSERT_EQ(openMenuPopups().size(), 2u);
    // No room on the right: the nested popup opens to the left of its parent, at "Sub" but
    // raised so that it does not cover the menu bar (two rows and the border: 44 high).
    EXPECT_EQ(ui::getWindowRect(openMenuPopups()[1]).right, 108);
    EXPECT_EQ(ui::getWindowRect(openMenuPopups()[1]).bottom, ui::getWindowRect(bar).top);
    EXPECT_EQ(ui::getWindowRect(openMenuPopups()[1]).top, 294 - 44);
    kit.tap(inPopup(1, 21));  // "B"
    EXPECT_EQ(seen(), (Seen{"command 501"}));
    EXPECT_TRUE(openMenuPopups().empty());

    kit.tap(Point{200, 305});
    kit.tap(Point{20, 20});  // over the frame: closes, sends nothing, the frame hears nothing
    EXPECT_TRUE(openMenuPopups().empty());
    EXPECT_EQ(seen(), (Seen{"command 501"}));
}

TEST_F(MenuBarTest, KeysWalkThePopupsSkippingSeparators) {
    key(ui::VK_TSOFT2);
    EXPECT_TRUE(key(ui::VK_DOWN));  // "Aktualizace dat"
    key(ui::VK_DOWN);               // over the separator to "Sub"
    key(ui::VK_RIGHT);              // opens it
    ASSERT_EQ(openMenuPopups().size(), 2u);
    key(ui::VK_UP);    // from nothing upwards: the last, "B"
    key(ui::VK_LEFT);  // closes "Sub" again
    ASSERT_EQ(openMenuPopups().size(), 1u);
    key(ui::VK_DOWN);  // "Stažení dat"
    key(ui::VK_RETURN);
    EXPECT_EQ(seen(), (Seen{"command 32788"}));
    EXPECT_FALSE(key(ui::VK_DOWN));  // closed: keys go on to the program
}

TEST_F(MenuBarTest, ItemsChangedAtRunTimeShowTheNextTimeThePopupOpens) {
    auto* menu = reinterpret_cast<Menu*>(sendMessage(bar, SHCMBM_GETSUBMENU, 0, 402));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(sendMessage(bar, SHCMBM_GETSUBMENU, 0, 999), 0);
    // As the data explorer does: items before the placeholder, then the placeholder goes.
    ASSERT_TRUE(menu->insert(0, MF_BYPOSITION, 4000, u"Aktualizovat vše ČR"));
    ASSERT_TRUE(menu->insert(1, MF_BYPOSITION | MF_SEPARATOR, 0, u""));
    ASSERT_TRUE(menu->remove(32787, MF_BYCOMMAND));
    EXPECT_EQ(menu->check(501, MF_BYCOMMAND | MF_CHECKED), 0);  // found inside "Sub"
    EXPECT_EQ(menu->enable(32788, MF_BYCOMMAND | MF_GRAYED), 0);
    EXPECT_EQ(menu->check(12345, MF_BYCOMMAND), -1);
    EXPECT_EQ(menu->itemId(0), 4000);
    EXPECT_EQ(menu->itemId(2), 0);   // the old separator
    EXPECT_EQ(menu->itemId(3), -1);  // "Sub"
    EXPECT_TRUE(menu->subMenu(3)->item(1)->checked);

    key(ui::VK_TSOFT2);
    // Rows: "Aktualizovat vše ČR", separator, separator, "Sub", "Stažení dat" (grayed).
    kit.tap(inPopup(0, 21 + 5 + 5 + 21));  // the grayed item does nothing
    EXPECT_EQ(openMenuPopups().size(), 1u);
    kit.tap(inPopup(0, 0));
    EXPECT_EQ(seen(), (Seen{"command 4000"}));
    // A grayed soft key does nothing either.
    menuBarMenu(bar)->enable(32786, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_FALSE(pressSoftKey(bar, 1));
}

TEST_F(MenuBarTest, DoneButtonSendsIdOkAndLeavesTheSoftKeysTheirPlace) {
    kit.tap(Point{230, 305});  // without the button: the right soft key
    EXPECT_EQ(openMenuPopups().size(), 1u);
    closeMenuPopups();
    setMenuBarDoneButton(bar, true);
    kit.tap(Point{230, 305});  // the button is the bar's last 26 pixels
    kit.tap(Point{200, 305});
    EXPECT_EQ(seen(), (Seen{"command 1"}));
    EXPECT_EQ(openMenuPopups().size(), 1u);
}

TEST_F(MenuBarTest, BackKeyOverrideArrivesAsHotKeyOnPressAndRelease) {
    EXPECT_FALSE(key(ui::VK_ESCAPE));  // not overridden: the key goes on to the focus
    sendMessage(bar, SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE,
                ui::makeLParam(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    EXPECT_TRUE(key(ui::VK_ESCAPE));
    EXPECT_EQ(seen(), (Seen{"hotkey 0 27", "hotkey 4096 27"}));
    // Notify without taking the key: the program hears it, and the key goes on as well.
    sendMessage(bar, SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE, ui::makeLParam(SHMBOF_NODEFAULT, 0));
    EXPECT_FALSE(key(ui::VK_ESCAPE));
    EXPECT_EQ(seen().size(), 4u);
}

}  // namespace
}  // namespace platform::shell
