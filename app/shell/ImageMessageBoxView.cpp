#include "app/shell/ImageMessageBoxView.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ScrollBarStyle.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ViewSwitcher.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

bool cImageMessageBoxView::createMessageView(platform::WindowHandle tabPage, const Rect& rect) {
    if (!createView(tabPage, rect, kImageMessageBoxViewId)) {
        return false;
    }
    ui::setWindowText(handle(), kImageMessageBoxName);
    return true;
}

MsgResult cImageMessageBoxView::OnCreate(std::uintptr_t, std::intptr_t lParam) {
    const auto* params = reinterpret_cast<const ui::CreateParams*>(lParam);
    const Rect client = params ? Rect{0, 0, params->rect.width(), params->rect.height()} : Rect{};
    label.createList(handle(), client, kMessageLabelId, true);
    ui::setWindowText(label.handle(), u"cImageLabelFrame");
    ui::CreateParams p;
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::LVS_NOCOLUMNHEADER | controls::LVS_REPORT;
    p.rect = client;
    p.parent = handle();
    p.id = kMessageListId;
    rowList.createControl(controls::kListViewClass, p);
    controls::ListColumn column;
    column.text = u"rad";
    platform::sendMessage(rowList.handle(), controls::LVM_INSERTCOLUMN, 0,
                          reinterpret_cast<std::intptr_t>(&column));
    const std::uint32_t ext = controls::LVS_EX_NOHSCROLL | controls::LVS_EX_FULLROWSELECT;
    platform::sendMessage(rowList.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, ext, ext);
    return 0;
}

void cImageMessageBoxView::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutSizeUnchanged) {
        return;
    }
    const int e = shellSettings().highResolution() ? 4 : 0;
    ui::moveWindow(label.handle(), e + 4, 0, width - e - 4, height);
    ui::moveWindow(rowList.handle(), 0, 0, width, height);
    // Wrap the text to the new width.
    label.SetText(label.markupText);
    ui::invalidateRect(handle());
}

void cImageMessageBoxView::switchTo(int viewId, int menuId) {
    if (ViewSwitcher* page = parentViewSwitcher(handle())) {
        page->showView(viewId, menuId);
    }
}

void cImageMessageBoxView::showText(std::u16string_view text, int view, int menu, bool indent) {
    returnView = view;
    returnMenu = menu;
    label.SetTextWithIndent(text, indent);
    switchTo(kImageMessageBoxViewId, kOwnMenu);
    ui::showWindow(label.handle(), ui::SW_SHOW);
    ui::setFocus(label.handle());
    refocusOnReturn = false;
    ShowView(ui::SW_SHOW);
    ui::showWindow(rowList.handle(), ui::SW_HIDE);
}

void cImageMessageBoxView::showTextReturnTo(std::u16string_view text, int view, int menu,
                                            platform::WindowHandle control, bool indent) {
    showText(text, view, menu, indent);
    refocusOnReturn = true;
    focusOnReturn = control;
}

void cImageMessageBoxView::showList(std::vector<std::u16string> rows, int view, int menu,
                                    platform::WindowHandle askingControl, int selected) {
    asker = askingControl;
    returnView = view;
    returnMenu = menu;
    const platform::WindowHandle list = rowList.handle();
    platform::sendMessage(list, controls::LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        controls::ListItem item;
        item.mask = controls::LVIF_TEXT;
        item.item = static_cast<int>(i);
        item.text = std::move(rows[i]);
        platform::sendMessage(list, controls::LVM_INSERTITEM, 0,
                              reinterpret_cast<std::intptr_t>(&item));
    }
    // The view is shown first: a list in a hidden view could not take the focus.
    switchTo(kImageMessageBoxViewId, kMessageListMenu);
    ui::showWindow(label.handle(), ui::SW_HIDE);
    ui::showWindow(list, ui::SW_SHOW);
    ui::setFocus(list);
    controls::ListItem state;
    state.state = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
    state.stateMask = state.state;
    platform::sendMessage(list, controls::LVM_SETITEMSTATE, static_cast<std::uintptr_t>(selected),
                          reinterpret_cast<std::intptr_t>(&state));
    platform::sendMessage(list, controls::LVM_ENSUREVISIBLE, static_cast<std::uintptr_t>(selected),
                          0);
    setScrollBarStyle(list, kScrollBarVertical, true);
    const Rect client = ui::getClientRect(handle());
    ui::moveWindow(list, 0, 0, client.width(), client.height());
    platform::sendMessage(list, controls::LVM_SETCOLUMNWIDTH, 0,
                          client.width() - shellSettings().fontHeight());
}

void cImageMessageBoxView::menuOkClick() {
    switchTo(returnView, returnMenu);
    if (refocusOnReturn) {
        ui::setFocus(focusOnReturn);
    }
    showStrip = false;
}

void cImageMessageBoxView::menuDoneClick() {
    switchTo(returnView, returnMenu);
    const auto row = platform::sendMessage(rowList.handle(), controls::LVM_GETSELECTIONMARK, 0, 0);
    platform::sendMessage(asker, WM_LIST_CHOICE_DONE, static_cast<std::uintptr_t>(row), 0);
    showStrip = false;
}

void cImageMessageBoxView::OnListBoxReturn() {
    menuDoneClick();
}

void cImageMessageBoxView::OnSetFocus() {
    const platform::WindowHandle list = rowList.handle();
    ui::setFocus(ui::getStyle(list) & ui::WS_VISIBLE ? list : label.handle());
}

const ui::MessageMapBase& cImageMessageBoxView::messageMap() const {
    static const auto map =
        ui::MessageMap<cImageMessageBoxView>(&cBaseView::messageMap())
            .message(ui::WM_CREATE, &cImageMessageBoxView::OnCreate)
            .message(ui::WM_SETFOCUS, &cImageMessageBoxView::OnSetFocus)
            .message(WM_LISTBOX_RETURN, &cImageMessageBoxView::OnListBoxReturn)
            .command(kCommandMessageOk, &cImageMessageBoxView::menuOkClick)
            .command(platform::shell::IDOK, &cImageMessageBoxView::menuOkClick)
            .command(kCommandMessageChoose, &cImageMessageBoxView::menuDoneClick);
    return map;
}

}  // namespace pelorvant
