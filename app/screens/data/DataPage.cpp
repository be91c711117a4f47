#include "app/screens/data/DataPage.h"

#include "app/core/PrivateMessages.h"
#include "app/screens/data/DataPageLayout.h"
#include "app/shell/BottomTabControl.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

cDataPage::cDataPage(ProgramContext& context, std::vector<DataPageButton> buttons, bool wideButton,
                     std::vector<std::uint32_t> tabTitles)
    : cBaseView(true, false, false),
      context_(context),
      buttonSpecs_(std::move(buttons)),
      tabTitles_(std::move(tabTitles)),
      wideButton_(wideButton) {}

void cDataPage::createTabControl() {
    tabControl = createBottomTabControl(handle(), kDataTabControlId);
    for (std::size_t i = 0; i < tabTitles_.size(); ++i) {
        controls::TabItem item;
        item.mask = controls::TCIF_TEXT;
        item.text = loadResString(tabTitles_[i]);
        platform::sendMessage(tabControl, controls::TCM_INSERTITEM, i,
                              reinterpret_cast<std::intptr_t>(&item));
    }
    platform::sendMessage(tabControl, controls::TCM_SETCURSEL, 0, 0);
}

MsgResult cDataPage::OnCreate(std::uintptr_t, std::intptr_t) {
    const Rect small{0, 0, 10, 10};
    // Made first, so that the page's controls lie above it.
    if (!tabTitles_.empty() && !isKeypad())
        createTabControl();
    list.createReport(handle(), small, kDataListId, ui::WS_BORDER | controls::LVS_NOCOLUMNHEADER);
    const std::uint32_t ext = controls::LVS_EX_CHECKBOXES | controls::LVS_EX_FULLROWSELECT;
    platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, ext, ext);
    controls::ListColumn column;
    column.text = u"data";
    platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, 0,
                          reinterpret_cast<std::intptr_t>(&column));
    list.anchor.focusOrder = 0;
    list.anchor.canTakeFocus = true;
    addFocusItem(list.anchor, list.handle());
    caption.createList(handle(), small, 1001);
    buttonAnchor.focusOrder = 1;
    // On a keypad device the menu carries the button's command.
    buttonAnchor.canTakeFocus = !isKeypad();
    for (const DataPageButton& spec : buttonSpecs_) {
        auto button = std::make_unique<cImageButton>(1);
        button->createButton(handle(), loadResString(spec.text), isKeypad() ? Rect{} : small,
                             spec.id);
        buttons.push_back(std::move(button));
    }
    if (!buttons.empty())
        addFocusItem(buttonAnchor, buttons.front()->handle());
    showButton(0);
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    return 0;
}

void cDataPage::showButton(int n) {
    if (n < 0 || n >= static_cast<int>(buttons.size()))
        return;
    shownButton_ = n;
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        if (i != n)
            ui::showWindow(buttons[static_cast<std::size_t>(i)]->handle(), ui::SW_HIDE);
    }
    const platform::WindowHandle shown = buttons[static_cast<std::size_t>(n)]->handle();
    ui::showWindow(shown, isKeypad() ? ui::SW_HIDE : ui::SW_SHOW);
    // Hiding a button in the same place may have painted the page over this one.
    ui::invalidateRect(shown);
    if (focusWindows.size() > 1)
        focusWindows[1] = buttons[static_cast<std::size_t>(n)]->handle();
}

void cDataPage::selectTab(int n) {
    if (tabControl != platform::kNullWindow) {
        platform::sendMessage(tabControl, controls::TCM_SETCURSEL, static_cast<std::uintptr_t>(n),
                              0);
    }
}

Rect cDataPage::contentArea(int width, int height) const {
    if (tabControl == platform::kNullWindow)
        return Rect{0, 0, width, height};
    Rect tab;
    platform::sendMessage(tabControl, controls::TCM_GETITEMRECT, 0,
                          reinterpret_cast<std::intptr_t>(&tab));
    return Rect{0, 0, width, height - tab.height()};
}

void cDataPage::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutSizeUnchanged)
        return;
    const Rect area = contentArea(width, height);
    // The tabs take the strip below the page alone, so they never paint over its controls.
    if (tabControl != platform::kNullWindow) {
        ui::moveWindow(tabControl, 0, area.bottom, width, height - area.bottom);
    }
    const DataPageRects rects = dataPageRects(isKeypad(), wideButton_);
    list.anchor.portrait = rects.list;
    buttonAnchor.portrait = rects.button;
    captionAnchor.portrait = rects.caption;
    listPlace_ = list.anchor.place(area.left, area.top, area.right, area.bottom);
    captionPlace_ = captionAnchor.place(area.left, area.top, area.right, area.bottom);
    // The caption's width decides how its text wraps, so it takes its width before the text
    // is laid out again below; fitCaption then settles the heights.
    ui::moveWindow(list.handle(), listPlace_.left, listPlace_.top, listPlace_.width(),
                   listPlace_.height());
    ui::moveWindow(caption.handle(), captionPlace_.left, captionPlace_.top, captionPlace_.width(),
                   captionPlace_.height());
    if (!isKeypad()) {
        const Rect b = buttonAnchor.place(area.left, area.top, area.right, area.bottom);
        for (const auto& button : buttons)
            ui::moveWindow(button->handle(), b.left, b.top, b.width(), b.height());
    }
    const auto font = reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont());
    platform::sendMessage(list.handle(), controls::WM_SETFONT, font, 1);
    for (const auto& button : buttons)
        platform::sendMessage(button->handle(), controls::WM_SETFONT, font, 1);
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 0,
                          static_cast<std::intptr_t>(width * 1.5));
    setCaption(caption.markupText);
    ui::invalidateRect(handle());
}

void cDataPage::setCaption(std::u16string_view markup) {
    caption.SetText(markup);
    fitCaption();
}

void cDataPage::fitCaption() {
    Rect l = listPlace_;
    Rect c = captionPlace_;
    const int missing = caption.GetTextHeight() - c.height();
    if (missing > 0) {
        const int gap = c.top - l.bottom;
        c.top = std::max(c.top - missing, l.top + l.height() / 2 + gap);
        l.bottom = c.top - gap;
    }
    const Rect shownList = ui::getWindowRectInParent(list.handle());
    const Rect shownCaption = ui::getWindowRectInParent(caption.handle());
    if (shownList == l && shownCaption == c)
        return;
    ui::moveWindow(list.handle(), l.left, l.top, l.width(), l.height());
    ui::moveWindow(caption.handle(), c.left, c.top, c.width(), c.height());
    ui::invalidateRect(handle());
}

void cDataPage::OnSetFocus() {
    currentItem = 0;
    ui::setFocus(list.handle());
}

const ui::MessageMapBase& cDataPage::messageMap() const {
    static const auto map = ui::MessageMap<cDataPage>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cDataPage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cDataPage::OnSetFocus)
                                .message(WM_MOVE_FOCUS, &cDataPage::OnMoveFocus);
    return map;
}

}  // namespace pelorvant
