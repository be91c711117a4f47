// The focus order of a view and the pages of a tabbed form, on the headless backend.

#include "ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/BaseView.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/TabbedForm.h"

#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"

#include <gtest/gtest.h>

#include <set>

namespace pelorvant {
namespace {

namespace ui = platform::ui;

// A view with five controls: entries 1 and 3 cannot take the focus.
class FocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(view.createView(host.window(), Rect{0, 0, 240, 294}, 1, true));
        for (int i = 0; i < 5; ++i) {
            anchors[i].canTakeFocus = (i != 1 && i != 3);
            anchors[i].focusOrder = 10 + i;
            ui::CreateParams p;
            p.className = "Child";
            p.style = ui::WS_CHILD | ui::WS_VISIBLE;
            p.rect = Rect::fromSize(0, 20 * i, 100, 20);
            p.parent = view.handle();
            windows[i] = ui::createWindow(p, ui::defWindowProc);
            view.addFocusItem(anchors[i], windows[i]);
        }
    }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cBaseView view{true, true, true};
    LayoutAnchor anchors[5];
    WindowHandle windows[5]{};
};

TEST_F(FocusTest, ResetFocusFindsTheFirstFocusableEntry) {
    anchors[0].canTakeFocus = false;
    EXPECT_EQ(view.ResetFocus(), 2);
    EXPECT_EQ(view.currentItem, 2);
}

TEST(BaseView, ResetFocusWithoutFocusableEntriesIsMinusOne) {
    platform::testkit::UiTestKit kit;
    cBaseView view;
    EXPECT_EQ(view.currentItem, 0);
    EXPECT_EQ(view.ResetFocus(), -1);
    LayoutAnchor inert;
    view.addFocusItem(inert, platform::kNullWindow);
    EXPECT_EQ(view.ResetFocus(), -1);
}

TEST_F(FocusTest, NextAndPreviousSkipEntriesThatCannotTakeTheFocus) {
    struct Case {
        int from;
        int next;
        int previous;
    };
    // No wrap-around: from the last focusable entry the same entry comes back.
    const Case cases[] = {{0, 2, 0}, {2, 4, 0}, {4, 4, 2}, {1, 2, 0}, {3, 4, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(view.nextEnabledItem(c.from), c.next) << c.from;
        EXPECT_EQ(view.previousEnabledItem(c.from), c.previous) << c.from;
    }
}

TEST_F(FocusTest, MoveFocusStartsFromTheSendersEntryAndFocusesItsWindow) {
    view.currentItem = 0;
    view.MoveFocus(false, 12);  // from entry 2 forwards
    EXPECT_EQ(view.currentItem, 4);
    EXPECT_EQ(ui::getFocus(), windows[4]);
    view.MoveFocus(true, -1);  // from the current entry backwards
    EXPECT_EQ(view.currentItem, 2);
    EXPECT_EQ(ui::getFocus(), windows[2]);
}

TEST_F(FocusTest, MoveFocusWithAnUnknownIndexChangesNothing) {
    view.currentItem = 2;
    ui::setFocus(windows[2]);
    view.MoveFocus(false, 99);
    EXPECT_EQ(view.currentItem, 2);
    EXPECT_EQ(ui::getFocus(), windows[2]);
}

// A form whose pages are plain views; with or without tabs.
class TestForm : public cTabbedForm {
public:
    explicit TestForm(bool tabs) : cTabbedForm(0, 1, 1) { showsTabs = tabs; }
    cBaseView* pages[3]{};

    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<TestForm>(&cTabbedForm::messageMap())
                                    .message(ui::WM_CREATE, &TestForm::OnCreate);
        return map;
    }

private:
    MsgResult OnCreate(std::uintptr_t w, std::intptr_t l) {
        cTabbedForm::OnCreate(w, l);
        for (int i = 0; i < 3; ++i) {
            auto page = std::make_unique<cBaseView>();
            page->createView(handle(), Rect{0, 0, 10, 10}, 100 + i);
            pages[i] = page.get();
            AddPage(std::move(page), u"Page " + std::u16string(1, char16_t(u'1' + i)));
        }
        return 0;
    }
};

TEST(TabbedForm, PagesWithoutTabsCoverTheWholeClientArea) {
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    TestForm form(false);
    ASSERT_TRUE(form.createView(host.window(), Rect{0, 0, 240, 294}, 5, true));
    EXPECT_EQ(form.tabControl(), platform::kNullWindow);
    form.Layout(0, 240, 294);
    for (cBaseView* p : form.pages) {
        EXPECT_EQ(ui::getWindowRectInParent(p->handle()), (Rect{0, 0, 240, 294}));
    }
    // An unchanged size lays out nothing, unless the input panel asks for it.
    ui::moveWindow(form.handle(), 0, 0, 240, 200);
    form.Layout(kLayoutSizeUnchanged, 240, 200);
    EXPECT_EQ(ui::getWindowRectInParent(form.pages[0]->handle()), (Rect{0, 0, 240, 294}));
    form.Layout(kLayoutSizeUnchanged | kLayoutInputPanel, 240, 200);
    EXPECT_EQ(ui::getWindowRectInParent(form.pages[0]->handle()), (Rect{0, 0, 240, 200}));
}

TEST(TabbedForm, PagesWithTabsLeaveRoomForTheTabRow) {
    for (const char* profile : {"240x320", "480x640"}) {
        platform::testkit::UiTestKit kit(profile);
        testing::ViewHost host;
        TestForm form(true);
        const auto size = ui::screenSize();
        ASSERT_TRUE(form.createView(host.window(), Rect{0, 0, size.width, 200}, 5, true));
        ASSERT_NE(form.tabControl(), platform::kNullWindow);
        EXPECT_EQ(platform::sendMessage(form.tabControl(), platform::controls::TCM_GETITEMCOUNT,
                                        0, 0),
                  3);
        form.Layout(0, size.width, 200);
        Rect tab;
        platform::sendMessage(form.tabControl(), platform::controls::TCM_GETITEMRECT, 0,
                              reinterpret_cast<std::intptr_t>(&tab));
        ASSERT_GT(tab.height(), 0);
        const int e = std::string(profile) == "480x640" ? 2 : 1;
        EXPECT_EQ(ui::getWindowRectInParent(form.pages[1]->handle()),
                  Rect::fromSize(e, e, size.width - 3 * e, 200 - tab.height() - 5 * e))
            << profile;
    }
}

// A form with tabs over the screen above the menu bar.
class TabbedFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.createView(host.window(), Rect{0, 0, 240, 294}, 5, true));
        form.Layout(0, 240, 294);
    }
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    TestForm form{true};
};

TEST_F(TabbedFormTest, ShowPageShowsOnePageAndLeavesTheTabSelection) {
    form.showPage(2);
    EXPECT_EQ(form.currentItem, 2);
    EXPECT_FALSE(ui::isWindowVisible(form.pages[0]->handle()));
    EXPECT_FALSE(ui::isWindowVisible(form.pages[1]->handle()));
    EXPECT_TRUE(ui::isWindowVisible(form.pages[2]->handle()));
    EXPECT_EQ(ui::getFocus(), form.pages[2]->handle());
    EXPECT_EQ(platform::sendMessage(form.tabControl(), platform::controls::TCM_GETCURSEL, 0, 0),
              0);
    form.showPage(7);  // no such page
    EXPECT_EQ(form.currentItem, 2);
}

TEST_F(TabbedFormTest, TappingATabShowsItsPage) {
    form.showPage(0);
    Rect tab;
    platform::sendMessage(form.tabControl(), platform::controls::TCM_GETITEMRECT, 1,
                          reinterpret_cast<std::intptr_t>(&tab));
    kit.tap(ui::clientToScreen(form.tabControl(),
                               {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
    EXPECT_EQ(form.currentItem, 1);
    EXPECT_TRUE(ui::isWindowVisible(form.pages[1]->handle()));
    EXPECT_FALSE(ui::isWindowVisible(form.pages[0]->handle()));
    // The focus given to the form goes on to the tab's page.
    ui::setFocus(form.handle());
    EXPECT_EQ(ui::getFocus(), form.pages[1]->handle());
}

TEST(PrivateMessages, EachValueIsUsedOnceInsideThePrivateBlock) {
    std::set<std::uint32_t> values;
    for (const PrivateMessage& m : kPrivateMessages) {
        EXPECT_TRUE(values.insert(m.value).second) << m.name;
        EXPECT_TRUE((m.value >= 0xBD1 && m.value <= 0xC10) || m.value == WM_KINETIC_SCROLL)
            << m.name;
    }
}

}  // namespace
}  // namespace pelorvant
