// The message-box view opened from another view: Ok and Done return to the view and menu that
// opened it, the focus goes back where asked, and a picked row reaches the control that asked.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/ViewSwitcher.h"

#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/MessageSpy.h"
#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::draw::Point;

// A tab page that shows the child with the view id, hides the others, and records which view
// and menu it was asked to show.
class RecordingTabPage : public platform::ui::WindowObject, public ViewSwitcher {
public:
    void showView(int viewId, int menuId) override {
        shown.emplace_back(viewId, menuId);
        for (platform::WindowHandle child : ui::getChildren(handle())) {
            const bool wanted = ui::getDlgCtrlId(child) == static_cast<std::uintptr_t>(viewId);
            ui::showWindow(child, wanted ? ui::SW_SHOW : ui::SW_HIDE);
        }
    }
    std::vector<std::pair<int, int>> shown;
};

class MessageBoxViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerImageNames();
        const auto size = ui::screenSize();
        ASSERT_TRUE(page.create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE,
                                                  Rect{0, 0, size.width, size.height - 26},
                                                  host.window(), 1)));
        ASSERT_TRUE(view.createMessageView(page.handle(), ui::getClientRect(page.handle())));
        const Rect client = ui::getClientRect(view.handle());
        view.Layout(0, client.width(), client.height());
        ui::CreateParams p;
        p.className = "Asker";
        p.style = ui::WS_CHILD | ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 10, 10};
        p.parent = host.window();
        asker = ui::createWindow(p, ui::defWindowProc);
    }
    void command(std::uint32_t id) {
        platform::sendMessage(view.handle(), ui::WM_COMMAND, id, 0);
    }

    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    RecordingTabPage page;
    cImageMessageBoxView view;
    platform::WindowHandle asker = platform::kNullWindow;
};

TEST_F(MessageBoxViewTest, OkReturnsToTheViewAndMenuThatOpenedIt) {
    view.showText(u"Informace o jízdním řádu", 4028, -1, false);
    EXPECT_TRUE(ui::isWindowVisible(view.label.handle()));
    EXPECT_FALSE(ui::isWindowVisible(view.rowList.handle()));
    EXPECT_EQ(ui::getFocus(), view.label.handle());
    command(kCommandMessageOk);
    EXPECT_EQ(page.shown, (std::vector<std::pair<int, int>>{{4027, -1}, {4028, -1}}));
    page.shown.clear();
    view.showText(u"Nápověda", 4041, 140, true);
    command(platform::shell::IDOK);
    EXPECT_EQ(page.shown.back(), (std::pair<int, int>{4041, 140}));
    EXPECT_FALSE(view.showStrip);
}

TEST_F(MessageBoxViewTest, OkGivesTheFocusBackWhenAsked) {
    view.showTextReturnTo(u"Text", 4028, -1, asker, false);
    EXPECT_EQ(ui::getFocus(), view.label.handle());
    command(kCommandMessageOk);
    EXPECT_EQ(ui::getFocus(), asker);
}

TEST_F(MessageBoxViewTest, APickedRowReachesTheAsker) {
    struct Case {
        const char* how;
        int pick;
    };
    const Case cases[] = {{"Vyber", 2}, {"Enter", 1}, {"double tap", 3}};
    for (const Case& c : cases) {
        platform::testkit::MessageSpy spy(asker);
        view.showList({u"Praha", u"Brno", u"Ostrava", u"Plzeň", u"Olomouc"}, 4028, 1057, asker, 0);
        EXPECT_EQ(page.shown.back(), (std::pair<int, int>{4027, kMessageListMenu}));
        EXPECT_FALSE(ui::isWindowVisible(view.label.handle()));
        EXPECT_EQ(ui::getFocus(), view.rowList.handle());
        const std::string how = c.how;
        if (how == "Vyber") {
            controls::ListItem state;
            state.state = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
            state.stateMask = state.state;
            platform::sendMessage(view.rowList.handle(), controls::LVM_SETITEMSTATE, c.pick,
                                  reinterpret_cast<std::intptr_t>(&state));
            command(kCommandMessageChoose);
        } else if (how == "Enter") {
            kit.key(ui::VK_DOWN);
            kit.key(ui::VK_RETURN);
        } else {
            Rect row{};
            platform::sendMessage(view.rowList.handle(), controls::LVM_GETITEMRECT, c.pick,
                                  reinterpret_cast<std::intptr_t>(&row));
            const Point at = ui::clientToScreen(view.rowList.handle(),
                                                {row.left + 20, (row.top + row.bottom) / 2});
            kit.tap(at);
            kit.tap(at);
        }
        const auto done = spy.only({WM_LIST_CHOICE_DONE});
        ASSERT_EQ(done.size(), 1u) << c.how;
        EXPECT_EQ(done[0].wParam, static_cast<std::uintptr_t>(c.pick)) << c.how;
        EXPECT_EQ(page.shown.back(), (std::pair<int, int>{4028, 1057})) << c.how;
    }
}

TEST_F(MessageBoxViewTest, FocusGoesToWhatIsShown) {
    view.showText(u"Text", 4028, -1, false);
    ui::setFocus(host.window());
    ui::setFocus(view.handle());
    EXPECT_EQ(ui::getFocus(), view.label.handle());
    view.showList({u"a", u"b"}, 4028, -1, asker, 1);
    ui::setFocus(host.window());
    ui::setFocus(view.handle());
    EXPECT_EQ(ui::getFocus(), view.rowList.handle());
}

}  // namespace
}  // namespace pelorvant
