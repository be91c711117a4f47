#include "app/screens/stoptimetables/StopTimetablePages.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/BufferedPaint.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::resources::loadResString;

namespace {

constexpr Rect kStartRect{0, 0, 10, 10};

void fill(WindowHandle child, int width, int height) { ui::moveWindow(child, 0, 0, width, height); }

}  // namespace

bool cRouteStopsPage::createPage(WindowHandle form) {
    if (!createView(form, kStartRect, kStopTimetablePageId)) return false;
    ui::CreateParams p;
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::LVS_REPORT | controls::LVS_SINGLESEL |
              controls::LVS_SHOWSELALWAYS;
    p.rect = kStartRect;
    p.parent = handle();
    p.id = kRouteStopsListId;
    if (!list.createControl(controls::kListViewClass, p)) return false;
    platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, controls::LVS_EX_FULLROWSELECT,
                          controls::LVS_EX_FULLROWSELECT);
    platform::sendMessage(list.handle(), controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont()), 1);
    for (int column = 0; column < 2; ++column) {
        controls::ListColumn c;
        c.text = loadResString(column == 0 ? 409 : 251);
        platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, static_cast<std::uintptr_t>(column),
                              reinterpret_cast<std::intptr_t>(&c));
    }
    return true;
}

void cRouteStopsPage::setRows(std::vector<RouteStopRow> rows, int from, int fontHeight) {
    fromRow = from;
    fontHeight_ = fontHeight;
    platform::sendMessage(list.handle(), controls::LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        controls::ListItem item;
        item.mask = controls::LVIF_TEXT;
        item.item = static_cast<int>(i);
        item.text = rows[i].minutes;
        platform::sendMessage(list.handle(), controls::LVM_INSERTITEM, 0, reinterpret_cast<std::intptr_t>(&item));
        item.subItem = 1;
        item.text = rows[i].name;
        platform::sendMessage(list.handle(), controls::LVM_SETITEMTEXT, i, reinterpret_cast<std::intptr_t>(&item));
    }
}

void cRouteStopsPage::Layout(unsigned, int width, int height) {
    fill(list.handle(), width, height);
    const int minutesWidth = 3 * fontHeight_;
    const int client = ui::getClientRect(list.handle()).width();
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 0, minutesWidth);
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 1, std::max(1, client - minutesWidth));
    if (fromRow >= 0) {
        controls::ListItem item;
        item.state = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
        item.stateMask = item.state;
        platform::sendMessage(list.handle(), controls::LVM_SETITEMSTATE, static_cast<std::uintptr_t>(fromRow),
                              reinterpret_cast<std::intptr_t>(&item));
        platform::sendMessage(list.handle(), controls::LVM_SETSELECTIONMARK, 0, fromRow);
        platform::sendMessage(list.handle(), controls::LVM_ENSUREVISIBLE, static_cast<std::uintptr_t>(fromRow), 0);
    }
}

void cRouteStopsPage::OnSetFocus() { ui::setFocus(list.handle()); }

MsgResult cRouteStopsPage::OnListReturn(std::uintptr_t, std::intptr_t) {
    const auto row = platform::sendMessage(list.handle(), controls::LVM_GETNEXTITEM, static_cast<std::uintptr_t>(-1),
                                           controls::LVNI_SELECTED);
    if (row >= 0 && onChoose) onChoose(static_cast<int>(row));
    return 0;
}

const ui::MessageMapBase& cRouteStopsPage::messageMap() const {
    static const auto map = ui::MessageMap<cRouteStopsPage>(&cBaseView::messageMap())
                                .message(ui::WM_SETFOCUS, &cRouteStopsPage::OnSetFocus)
                                .message(WM_LISTBOX_RETURN, &cRouteStopsPage::OnListReturn);
    return map;
}

bool cStopTimetableGridPage::createPage(WindowHandle form) {
    if (!createView(form, kStartRect, kStopTimetablePageId)) return false;
    return heading.create(handle()) && grid.createList(handle(), kStartRect, kStopTimetableGridId);
}

void cStopTimetableGridPage::Layout(unsigned, int width, int height) {
    const int top = heading.place(0, width, 0);
    ui::moveWindow(grid.handle(), 0, top, width, std::max(1, height - top));
    grid.relayout();
}

void cStopTimetableGridPage::ShowView(int showCommand) {
    cBaseView::ShowView(showCommand);
    if (showCommand != ui::SW_HIDE) repaintChildren(handle());
}

void cStopTimetableGridPage::OnSetFocus() { ui::setFocus(grid.handle()); }

const ui::MessageMapBase& cStopTimetableGridPage::messageMap() const {
    static const auto map = ui::MessageMap<cStopTimetableGridPage>(&cBaseView::messageMap())
                                .message(ui::WM_SETFOCUS, &cStopTimetableGridPage::OnSetFocus);
    return map;
}

bool cStopTimetableTextPage::createPage(WindowHandle form) {
    if (!createView(form, kStartRect, kStopTimetableTextPageId)) return false;
    ui::setWindowText(handle(), u"cImageLabelFrame");
    return label.createList(handle(), kStartRect, kStopTimetableGridId);
}

void cStopTimetableTextPage::setMarkup(std::u16string markup) { label.SetText(markup); }

void cStopTimetableTextPage::Layout(unsigned, int width, int height) {
    fill(label.handle(), width, height);
    label.SetText(std::u16string(label.markupText));
}

void cStopTimetableTextPage::ShowView(int showCommand) {
    cBaseView::ShowView(showCommand);
    if (showCommand != ui::SW_HIDE) repaintChildren(handle());
}

void cStopTimetableTextPage::OnSetFocus() { ui::setFocus(label.handle()); }

const ui::MessageMapBase& cStopTimetableTextPage::messageMap() const {
    static const auto map = ui::MessageMap<cStopTimetableTextPage>(&cBaseView::messageMap())
                                .message(ui::WM_SETFOCUS, &cStopTimetableTextPage::OnSetFocus);
    return map;
}

}  // namespace pelorvant
