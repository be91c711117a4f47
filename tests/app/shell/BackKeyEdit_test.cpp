// The back-key edit: the Back key deletes before the caret, the arrows hand the focus on, and
// a tap-and-hold opens Copy / Paste / Cut while a short tap places the caret.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/BackKeyEdit.h"

#include "platform/controls/Clipboard.h"
#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/MessageSources.h"
#include "platform/core/Timer.h"
#include "platform/shell/Menu.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/MessageSpy.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"

#include <gtest/gtest.h>

#include <utility>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::draw::Point;

class BackKeyEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(edit.createEdit(host.window(), Rect{10, 10, 210, 40}, 5, u"abcd"));
    }
    void TearDown() override { platform::setIdleWait({}); }
    std::pair<int, int> selection() {
        int start = -1;
        int end = -1;
        platform::sendMessage(edit.handle(), controls::EM_GETSEL,
                              reinterpret_cast<std::uintptr_t>(&start),
                              reinterpret_cast<std::intptr_t>(&end));
        return {start, end};
    }
    void select(int start, int end) {
        platform::sendMessage(edit.handle(), controls::EM_SETSEL, static_cast<std::uintptr_t>(start),
                              end);
    }
    std::u16string text() const { return ui::getWindowText(edit.handle()); }

    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cBackKeyEdit edit{6};
};

TEST_F(BackKeyEditTest, TheBackKeyDeletesBeforeTheCaret) {
    ui::setFocus(edit.handle());
    select(3, 3);
    platform::sendMessage(edit.handle(), platform::shell::WM_HOTKEY, 0, 0);
    EXPECT_EQ(text(), u"abd");
    EXPECT_EQ(selection(), (std::pair<int, int>{2, 2}));
    select(0, 0);
    platform::sendMessage(edit.handle(), platform::shell::WM_HOTKEY, 0, 0);
    EXPECT_EQ(text(), u"abd");
    EXPECT_EQ(selection(), (std::pair<int, int>{0, 0}));
    ui::setWindowText(edit.handle(), u"");
    platform::sendMessage(edit.handle(), platform::shell::WM_HOTKEY, 0, 0);
    EXPECT_EQ(text(), u"");
}

TEST_F(BackKeyEditTest, WithTheFocusTheBackKeyGoesToTheProgram) {
    platform::shell::MenuPtr menu = platform::shell::Menu::create();
    menu->append(platform::shell::MF_STRING, 32786, u"Zpět");
    ASSERT_NE(platform::shell::createMenuBar(host.window(), menu), platform::kNullWindow);
    platform::testkit::MessageSpy spy(host.window());
    ui::setFocus(edit.handle());
    kit.key(ui::VK_ESCAPE);
    const auto hotKeys = spy.only({platform::shell::WM_HOTKEY});
    ASSERT_FALSE(hotKeys.empty());
    EXPECT_EQ(ui::highWord(static_cast<std::uintptr_t>(hotKeys.back().lParam)), ui::VK_ESCAPE);
    EXPECT_EQ(text(), u"abcd") << "the edit itself does not take the key";
}

TEST_F(BackKeyEditTest, ArrowsHandTheFocusOn) {
    ui::setFocus(edit.handle());
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_UP);
    ASSERT_EQ(host.seen().size(), 2u);
    EXPECT_EQ(host.seen()[0].message, WM_MOVE_FOCUS);
    EXPECT_EQ(host.seen()[0].wParam, 0u);
    EXPECT_EQ(host.seen()[0].lParam, 6);
    EXPECT_EQ(host.seen()[1].wParam, 1u);
}

TEST_F(BackKeyEditTest, AShortTapPlacesTheCaret) {
    const Point at{200, 25};
    int waited = 0;
    platform::setIdleWait([&](std::uint32_t) {
        kit.clock().advance(1);
        if (++waited == 80) {
            ui::fingerUp(at);  // lifted well before the hold time
        }
    });
    kit.press(at);
    kit.pump();
    EXPECT_EQ(ui::getFocus(), edit.handle());
    EXPECT_EQ(selection(), (std::pair<int, int>{4, 4}));
    EXPECT_TRUE(platform::shell::openMenuPopups().empty());
}

TEST_F(BackKeyEditTest, TapAndHoldOffersCopyPasteAndCut) {
    struct Case {
        int row;
        std::u16string text;
        std::u16string clipboard;
    };
    // "bc" selected, "XY" on the clipboard before.
    const Case cases[] = {{0, u"abcd", u"bc"}, {1, u"aXYd", u"XY"}, {2, u"ad", u"bc"}};
    for (const Case& c : cases) {
        ui::setWindowText(edit.handle(), u"abcd");
        ui::setFocus(edit.handle());
        select(1, 3);
        controls::setClipboardText(u"XY");
        const Point at{60, 25};
        int rows = 0;
        bool chosen = false;
        platform::setIdleWait([&](std::uint32_t) {
            kit.clock().advance(1);
            const auto popups = platform::shell::openMenuPopups();
            if (popups.empty() || chosen) {
                return;
            }
            const Rect r = ui::getWindowRect(popups.front());
            const int rowHeight = 21;
            rows = (r.height() - 2) / rowHeight;
            chosen = true;
            ui::fingerUp(at);
            const Point item{r.left + 20, r.top + 1 + rowHeight * c.row + rowHeight / 2};
            ui::fingerDown(item);
            ui::fingerUp(item);
        });
        kit.press(at);
        kit.pump();
        EXPECT_EQ(rows, 3);
        EXPECT_EQ(text(), c.text) << c.row;
        EXPECT_EQ(controls::clipboardText(), c.clipboard) << c.row;
        platform::setIdleWait({});
    }
}

}  // namespace
}  // namespace pelorvant
