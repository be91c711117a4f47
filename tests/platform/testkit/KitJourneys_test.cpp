// The kit as a person uses the program: menus by their path, the device turned, message boxes
// answered by tapping, and control contents read from the tree dump.

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/Menu.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace platform::testkit {
namespace {

using draw::Rect;
namespace ctl = platform::controls;

// A full-screen frame with the focus that records the commands it receives.
WindowHandle makeFrame(std::vector<unsigned>& commands) {
    ui::CreateParams p;
    p.className = "Frame";
    p.text = u"Frame";
    p.style = ui::WS_VISIBLE;
    p.rect = Rect{0, 0, ui::screenSize().width, ui::screenSize().height};
    const WindowHandle frame =
        ui::createWindow(p,
                         [&commands](WindowHandle h, std::uint32_t m, std::uintptr_t wp,
                                     std::intptr_t lp) -> MsgResult {
                             if (m == ui::WM_COMMAND) {
                                 commands.push_back(ui::lowWord(wp));
                                 return 0;
                             }
                             return ui::defWindowProc(h, m, wp, lp);
                         });
    ui::setFocus(frame);
    return frame;
}

// "Najdi" on the left; "Menu" on the right with a separator, a grayed item and a submenu.
void addMenuBar(WindowHandle frame) {
    using namespace shell;
    MenuPtr settings = Menu::create();
    settings->append(MF_STRING, 601, u"Obecné");
    settings->append(MF_STRING, 602, u"Data");
    MenuPtr popup = Menu::create();
    popup->append(MF_STRING, 501, u"Možnosti");
    popup->append(MF_SEPARATOR, 0, u"");
    popup->append(MF_STRING | MF_GRAYED, 502, u"Tisk");
    popup->append(MF_POPUP, 0, u"Nastavení", settings);
    popup->append(MF_STRING, 503, u"Konec");
    MenuPtr menu = Menu::create();
    menu->append(MF_STRING, 400, u"Najdi");
    menu->append(MF_POPUP, 402, u"Menu", popup);
    createMenuBar(frame, menu);
}

TEST(KitMenus, ChoosesByPathThroughSoftKeysAndSubmenus) {
    for (const char* profile : {"240x320", "240x320-keypad"}) {
        SCOPED_TRACE(profile);
        UiTestKit kit(profile);
        std::vector<unsigned> commands;
        const WindowHandle frame = makeFrame(commands);
        addMenuBar(frame);
        kit.chooseMenu(u"Menu › Nastavení › Data");
        kit.chooseMenu(u"Menu›Konec");
        kit.chooseMenu(u"Najdi");
        EXPECT_EQ(commands, (std::vector<unsigned>{602, 503, 400}));
        EXPECT_TRUE(shell::openMenuPopups().empty());
    }
}

TEST(KitMenus, NamesTheStepThatCannotBeTaken) {
    UiTestKit kit;
    std::vector<unsigned> commands;
    addMenuBar(makeFrame(commands));
    const char16_t* wrong[] = {u"Nabídka", u"Menu › Tisk", u"Menu › Nic", u"Najdi › Dál",
                               u"Menu › Nastavení › Obecné › Dál"};
    for (const char16_t* path : wrong) {
        EXPECT_THROW(kit.chooseMenu(path), std::runtime_error);
        shell::closeMenuPopups();
        kit.pump();
    }
    EXPECT_EQ(commands, (std::vector<unsigned>{400, 601}))
        << "what could be chosen before the wrong step was chosen";
}

TEST(KitMenus, WithoutAMenuBarSaysSo) {
    UiTestKit kit;
    EXPECT_THROW(kit.chooseMenu(u"Menu"), std::runtime_error);
}

TEST(KitDevice, RotateTurnsTheScreenAndFullScreenWindowsFollow) {
    UiTestKit kit("240x320");
    std::vector<unsigned> commands;
    const WindowHandle frame = makeFrame(commands);
    kit.rotate();
    EXPECT_EQ(ui::screenSize(), (draw::Size{320, 240}));
    EXPECT_EQ(ui::getWindowRect(frame), (Rect{0, 0, 320, 240}));
    EXPECT_EQ(kit.screenshot().width(), 320);
    kit.rotate();
    EXPECT_EQ(ui::getWindowRect(frame), (Rect{0, 0, 240, 320}));
}

TEST(KitModal, AMessageBoxOnTheInterfaceThreadIsAnsweredByATap) {
    UiTestKit kit;
    std::vector<unsigned> commands;
    const WindowHandle frame = makeFrame(commands);
    bool boxSeen = false;
    kit.duringModal([&] {
        boxSeen =
            kit.dumpTree().find("MessageBox") != std::string::npos && !ui::isWindowEnabled(frame);
    });
    kit.answerMessageBox(u"Ne");
    EXPECT_EQ(shell::messageBox(frame, u"Smazat oblíbené?", u"Otázka",
                                shell::MB_YESNO | shell::MB_ICONQUESTION),
              static_cast<int>(shell::IDNO));
    EXPECT_TRUE(boxSeen);
    EXPECT_TRUE(ui::isWindowEnabled(frame));

    // Keys given while the box waits are the box's: Enter takes the first button.
    kit.duringModal([&] { kit.key(ui::VK_RETURN); });
    EXPECT_EQ(shell::messageBox(frame, u"Pokračovat?", u"Otázka", shell::MB_YESNO),
              static_cast<int>(shell::IDYES));
    EXPECT_EQ(kit.find(u"Otázka"), kNullWindow);
}

TEST(KitModalDeathTest, AnAnswerForAButtonTheBoxLacksEndsTheTestProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            UiTestKit kit;
            std::vector<unsigned> commands;
            const WindowHandle frame = makeFrame(commands);
            kit.answerMessageBox(u"Ano");
            shell::messageBox(frame, u"Hotovo", u"Info", shell::MB_OK);
        },
        "no button \"Ano\" in the message box");
}

TEST(KitDump, ShowsWhatTheControlsHold) {
    UiTestKit kit;
    ctl::registerControlClasses();
    std::vector<unsigned> commands;
    const WindowHandle frame = makeFrame(commands);
    const auto add = [frame](std::string_view cls, std::u16string text, std::uint32_t style, Rect r,
                             std::uintptr_t id) {
        ui::CreateParams p;
        p.className = std::string(cls);
        p.text = std::move(text);
        p.style = ui::WS_CHILD | ui::WS_VISIBLE | style;
        p.rect = r;
        p.parent = frame;
        p.id = id;
        return ui::createWindow(p);
    };
    const WindowHandle combo =
        add(ctl::kComboBoxClass, u"", ctl::CBS_DROPDOWNLIST, Rect{0, 0, 200, 20}, 1);
    for (std::u16string s : {u"Vlak", u"Autobus"}) {
        sendMessage(combo, ctl::CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&s));
    }
    const WindowHandle empty =
        add(ctl::kComboBoxClass, u"", ctl::CBS_DROPDOWNLIST, Rect{0, 20, 200, 40}, 2);
    const WindowHandle edit = add(ctl::kEditClass, u"Brno hl.n.", 0, Rect{0, 40, 200, 60}, 3);
    const WindowHandle check =
        add(ctl::kButtonClass, u"Lůžkový", ctl::BS_AUTOCHECKBOX, Rect{0, 60, 200, 80}, 4);
    const WindowHandle list =
        add(ctl::kListViewClass, u"", ctl::LVS_REPORT, Rect{0, 80, 200, 200}, 5);
    sendMessage(list, ctl::LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ctl::LVS_EX_CHECKBOXES);
    for (int i = 0; i < 2; ++i) {
        ctl::ListColumn column{i == 0 ? u"Zastávka" : u"Km", 80};
        sendMessage(list, ctl::LVM_INSERTCOLUMN, static_cast<std::uintptr_t>(i),
                    reinterpret_cast<std::intptr_t>(&column));
    }
    const char16_t* stops[] = {u"Praha", u"Kolín"};
    for (int i = 0; i < 2; ++i) {
        ctl::ListItem item;
        item.mask = ctl::LVIF_TEXT;
        item.item = i;
        item.text = stops[i];
        sendMessage(list, ctl::LVM_INSERTITEM, 0, reinterpret_cast<std::intptr_t>(&item));
    }
    ctl::ListItem km;
    km.subItem = 1;
    km.text = u"62";
    sendMessage(list, ctl::LVM_SETITEMTEXT, 1, reinterpret_cast<std::intptr_t>(&km));
    (void)empty;

    // What a person does; the dump shows the result.
    kit.tap(combo);
    kit.key(ui::VK_DOWN);  // the first row
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_RETURN);
    kit.tap(check);
    ui::setFocus(edit);
    sendMessage(edit, ctl::EM_SETSEL, 2, 6);
    const Rect row = [&] {
        Rect r{};
        sendMessage(list, ctl::LVM_GETITEMRECT, 1, reinterpret_cast<std::intptr_t>(&r));
        return r;
    }();
    kit.tap(ui::clientToScreen(list, draw::Point{row.left + 60, (row.top + row.bottom) / 2}));
    kit.key(ui::VK_SPACE);

    const std::string dump = kit.dumpTree();
    for (const char* expected : {
             "ComboBox id=1 [0,0 200x20] visible \"\" selected=1 \"Autobus\" of 2\n",
             "ComboBox id=2 [0,20 200x20] visible \"\" selected=none of 0\n",
             "Edit id=3 [0,40 200x20] visible \"Brno hl.n.\" selection=2-6\n",
             "Button id=4 [0,60 200x20] visible \"Lůžkový\" checked\n",
             "ListView id=5 [0,80 200x120] visible focus \"\" rows=2\n"
             "    row 0 [ ] \"Praha\"\n"
             "    row 1 [x] \"Kolín\" \"62\" selected focused\n",
         }) {
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\nin:\n" << dump;
    }
}

}  // namespace
}  // namespace platform::testkit
