#include "app/screens/search/ConnectionList.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/shell/Gesture.h"
#include "platform/shell/MenuFromTemplate.h"
#include "platform/shell/PopupMenu.h"

#include <algorithm>
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace draw = platform::draw;
namespace shell = platform::shell;
using platform::MsgResult;

namespace {

constexpr draw::Color kWindowColour = draw::rgb(255, 255, 255);
constexpr draw::Color kTextColour = draw::rgb(0, 0, 0);
constexpr draw::Color kWhite = draw::rgb(255, 255, 255);
constexpr draw::Color kGrey = draw::rgb(110, 110, 110);

}  // namespace

cConnectionList::cConnectionList() = default;

bool cConnectionList::createConnectionList(platform::WindowHandle view, const Rect& rect) {
    return createList(view, rect, kConnectionListId);
}

MsgResult cConnectionList::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cScrollList::OnCreate(wParam, lParam);
    measure();
    hint.createHint(ui::getParent(handle()));
    ui::setStyle(hint.handle(), ui::getStyle(hint.handle()) | ui::WS_BORDER);
    ui::setDlgCtrlId(hint.handle(), kConnectionHintId);
    return 0;
}

void cConnectionList::measure() {
    const ShellSettings& settings = shellSettings();
    draw::FontSpec spec;
    spec.height = settings.fontHeight();
    font = std::make_unique<draw::Font>(spec);
    const int fh = settings.fontHeight();
    RowGeometry g;
    g.timeWidth = font->measure(u"00:00").width;
    g.lineWidth = font->measure(u"Metro A  ").width + scrollBarWidth();
    g.markWidth = font->measure(u"i ").width;
    if (settings.orientation() != kOrientationPortrait) {
        g.lineWidth = static_cast<int>(g.lineWidth * 1.4);
        g.markWidth = static_cast<int>(g.markWidth * 1.3);
    }
    const Rect client = ui::getClientRect(handle());
    g.stopWidth = client.width() - 2 * g.timeWidth - 3 * g.markWidth - g.lineWidth;
    g.itemHeight = static_cast<int>(fh * 0.9);
    g.gap = fh / 4;
    g.extra = 2 * (settings.highResolution() ? 1 : 0) + 2;
    geometry = g;
}

int cConnectionList::rowHeight(int row) const {
    const cConnectionRow& r = rows[static_cast<std::size_t>(row)];
    int height = 0;
    for (const ConnectionRowItem& item : r.items) height += itemHeight(item);
    height += 2 * geometry.gap + geometry.extra;
    if (!r.summary.empty()) height += geometry.itemHeight;
    return height;
}

int cConnectionList::itemHeight(const ConnectionRowItem& item) const {
    return item.notes.empty() ? geometry.itemHeight : 2 * geometry.itemHeight;
}

int cConnectionList::rowTop(int row) const {
    int top = 0;
    for (int i = 0; i < row; ++i) top += rowHeight(i);
    return top;
}

void cConnectionList::setRows(std::vector<cConnectionRow> newRows, int focus) {
    hideHint();
    rows = std::move(newRows);
    measure();
    int total = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) total += rowHeight(i);
    SetContentHeight(total);
    scrollPos = 0;
    selected = -1;
    if (!rows.empty()) SelectItem(0);
    if (focus > 0 && focus < static_cast<int>(rows.size())) SelectItem(focus);
    ui::invalidateRect(handle());
}

void cConnectionList::rowChanged(int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    hideHint();
    int total = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) total += rowHeight(i);
    const int kept = scrollPos;
    SetContentHeight(total);  // which scrolls back to the top
    ScrollTo(kept);
}

void cConnectionList::SelectItem(int index) {
    if (index < 0 || index >= static_cast<int>(rows.size())) return;
    if (selected >= 0 && selected < static_cast<int>(rows.size()) && selected != index) {
        rows[static_cast<std::size_t>(selected)].activeItem = -1;
        hideHint();  // it belonged to an item of the row left
    }
    selected = index;
    scrollIntoView(index, -1);
    ui::invalidateRect(handle());
}

void cConnectionList::scrollIntoView(int row, int item) {
    const Rect client = ui::getClientRect(handle());
    int top = rowTop(row);
    int bottom = top + rowHeight(row);
    if (item >= 0) {
        const auto& items = rows[static_cast<std::size_t>(row)].items;
        top += geometry.gap;
        for (int i = 0; i < item; ++i) top += itemHeight(items[static_cast<std::size_t>(i)]);
        bottom = top + geometry.itemHeight;
    }
    if (top < scrollPos) {
        ScrollTo(top);
    } else if (bottom > scrollPos + client.height()) {
        ScrollTo(bottom - client.height());
    }
}

void cConnectionList::ScrollTo(int position) {
    const Rect client = ui::getClientRect(handle());
    int limit = contentHeight - client.height();
    if (limit < 0) limit = 0;
    const int previous = scrollPos;
    scrollPos = position < 0 ? 0 : (position > limit ? limit : position);
    // A hint shown or waiting to show points at where its item was before the scroll.
    if (scrollPos != previous)
        hideHint();
    if (scrollBar != platform::kNullWindow) {
        platform::controls::ScrollInfo bar;
        bar.mask = platform::controls::SIF_POS;
        bar.pos = scrollPos;
        platform::controls::setScrollInfo(scrollBar, bar, true);
    }
    ui::invalidateRect(handle());
}

void cConnectionList::ScrollLine(bool up) {
    const int row = selected < 0 ? 0 : selected;
    if (rows.empty()) return;
    ScrollTo(scrollPos + (up ? -rowHeight(row) : rowHeight(row)));
}

void cConnectionList::activateItem(int item) {
    if (selected < 0) return;
    cConnectionRow& row = rows[static_cast<std::size_t>(selected)];
    if (item < 0 || item >= static_cast<int>(row.items.size())) return;
    row.activeItem = item;
    scrollIntoView(selected, item);
    ui::invalidateRect(handle());
    showItemHint();
}

void cConnectionList::showItemHint() {
    if (hint.handle() == platform::kNullWindow) return;
    const cConnectionRow& row = rows[static_cast<std::size_t>(selected)];
    const ItemHint text = itemHint ? itemHint(row, row.activeItem) : ItemHint{};
    if (text.text.empty()) {
        hideHint();
        return;
    }
    // The row stands for the target; the offsets are the item's top and bottom in it, where
    // the hint goes when there is no room above or below the whole row.
    int itemTop = geometry.gap;
    for (int i = 0; i < row.activeItem; ++i) itemTop += itemHeight(row.items[static_cast<std::size_t>(i)]);
    const int itemBottom = itemTop + itemHeight(row.items[static_cast<std::size_t>(row.activeItem)]);
    const int top = rowTop(selected) - scrollPos;
    const Rect area{0, top, ui::getClientRect(handle()).width(), top + rowHeight(selected)};
    hint.ShowHintForControl(handle(), area, text.text, text.displayTime, 0, itemTop, 0, itemBottom);
}

void cConnectionList::hideHint() {
    if (hint.handle() != platform::kNullWindow) hint.ShowHint(false);
}

void cConnectionList::clearActiveItem() {
    if (selected >= 0) rows[static_cast<std::size_t>(selected)].activeItem = -1;
    hideHint();  // it belonged to the item
    ui::invalidateRect(handle());
}

cUsekSpojeni* cConnectionList::GetSelectedLeg() const {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) return nullptr;
    const cConnectionRow& row = rows[static_cast<std::size_t>(selected)];
    if (row.activeItem < 0) {
        for (cUsekSpojeni* leg : row.legs) {
            if (leg->departureSlot != kWalkingLegSlot) return leg;
        }
        return nullptr;
    }
    return tripLegOfItem(row, row.activeItem);
}

std::uint16_t cConnectionList::GetSelectedStop(std::int32_t& timetable) const {
    if (selected < 0 || selected >= static_cast<int>(rows.size())) return kNoStop;
    const cConnectionRow& row = rows[static_cast<std::size_t>(selected)];
    if (row.items.empty()) return kNoStop;
    const ConnectionRowItem& item = row.items[static_cast<std::size_t>(row.activeItem < 0 ? 0 : row.activeItem)];
    timetable = item.timetable;
    return item.stopIndex;
}

std::pair<int, int> cConnectionList::hitTest(int, int y) const {
    int top = -scrollPos;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const int h = rowHeight(r);
        if (y >= top && y < top + h) {
            const auto& items = rows[static_cast<std::size_t>(r)].items;
            int itemTop = top + geometry.gap;
            for (int i = 0; i < static_cast<int>(items.size()); ++i) {
                itemTop += itemHeight(items[static_cast<std::size_t>(i)]);
                if (y < itemTop) return {r, i};
            }
            return {r, items.empty() ? -1 : static_cast<int>(items.size()) - 1};
        }
        top += h;
    }
    return {-1, -1};
}

std::u16string cConnectionList::walkShown(const std::u16string& walk, int room) const {
    // The minutes are what a walk tells: the text is never cut. It takes the room it needs
    // beside a short stop name; where even that is too narrow, the minutes alone stand
    // ("4 min.", from the first digit on).
    const int keep = font->measure(u"Mmmmm").width + geometry.markWidth;
    if (font->measure(walk).width + keep <= room) return walk;
    const std::size_t digit = walk.find_first_of(u"0123456789");
    return digit == std::u16string::npos ? walk : walk.substr(digit);
}

std::u16string cConnectionList::shortened(std::u16string_view text, int width) const {
    if (font->measure(text).width <= width) return std::u16string(text);
    // The marks count too: a shortened name never runs into the text beside it.
    std::u16string out;
    for (const char16_t c : text) {
        if (font->measure(out + c + u"..").width > width) break;
        out += c;
    }
    return out + u"..";
}

void cConnectionList::notifyView(std::uint32_t message) {
    const int item = selected >= 0 ? rows[static_cast<std::size_t>(selected)].activeItem : 0;
    platform::sendMessage(ui::getParent(handle()), message, static_cast<std::uintptr_t>(selected),
                          item < 0 ? 0 : item);
}

MsgResult cConnectionList::OnKeyDown(std::uintptr_t vk, std::intptr_t) {
    if (rows.empty()) return 0;
    cConnectionRow& row = rows[static_cast<std::size_t>(selected < 0 ? 0 : selected)];
    const int last = static_cast<int>(row.items.size()) - 1;
    switch (vk) {
        case ui::VK_DOWN:
            if (row.activeItem >= 0 && row.activeItem < last) {
                activateItem(row.activeItem + 1);
            } else if (row.activeItem < 0 && !shellSettings().isNotSmartphone() && last >= 0) {
                // A keypad phone has no finger to pick an item: Down walks into the row's
                // items (Enter opens the row at once, so it cannot be the way in).
                activateItem(0);
            } else if (selected + 1 < static_cast<int>(rows.size())) {
                SelectItem(selected + 1);
            }
            break;
        case ui::VK_UP:
            if (row.activeItem > 0) {
                activateItem(row.activeItem - 1);
            } else if (row.activeItem == 0 && !shellSettings().isNotSmartphone()) {
                // Back out of the items to the row, the way Down came in (the tab strip above
                // the first row waits for the key's release, as below).
                clearActiveItem();
                keyReleased = false;
            } else if (selected > 0) {
                clearActiveItem();
                SelectItem(selected - 1);
            } else if (row.activeItem == 0) {
                // Up from the first item of the first row: the row stays, without an item, and
                // the list waits for the key's release before it hands the focus on.
                clearActiveItem();
                keyReleased = false;
            } else if (shellSettings().showTabs() && keyReleased) {
                clearActiveItem();
                platform::sendMessage(ui::getParent(handle()), WM_MOVE_FOCUS, 1, 0);
            }
            break;
        case ui::VK_RETURN:
            // The listing of the active item's trip, or of the row's first trip.
            notifyView(WM_RESULT_OPEN);
            break;
        case ui::VK_RIGHT:
            notifyView(WM_RESULT_NEXT);
            break;
        case ui::VK_LEFT:
            notifyView(WM_RESULT_PREV);
            break;
        default:
            break;
    }
    return 0;
}

MsgResult cConnectionList::OnKeyUp(std::uintptr_t, std::intptr_t) {
    keyReleased = true;
    return 0;
}

MsgResult cConnectionList::OnTap(std::uintptr_t wParam, std::intptr_t lParam) {
    hideHint();
    const draw::Point at{ui::xOfLParam(lParam), ui::yOfLParam(lParam)};
    const auto [row, item] = hitTest(at.x, at.y);
    if (row >= 0) {
        SelectItem(row);
        activateItem(item);
    }
    ui::setFocus(handle());
    if (row >= 0 && shell::recognizeGesture(handle(), at) == shell::GN_CONTEXTMENU) {
        openContextMenu(at);
        return 0;
    }
    return OnFingerDown(wParam, lParam);
}

void cConnectionList::openContextMenu(draw::Point at) {
    hideHint();
    const auto* source = platform::resources::findMenuTemplate(kRowMenuId);
    if (source == nullptr) return;
    const shell::MenuPtr menu = shell::menuFromTemplate(*source);
    const shell::MenuPtr popup = menu->count() > 0 ? menu->subMenu(0) : nullptr;
    if (!popup) return;
    if (!offersNavigation) popup->remove(kRowMenuNavigate, shell::MF_BYCOMMAND);
    const draw::Point screen = ui::clientToScreen(handle(), at);
    const std::uint32_t command = shell::trackPopupMenu(popup, shell::TPM_RETURNCMD, screen.x, screen.y, handle());
    switch (command) {
        case kRowMenuOpen:
            notifyView(WM_RESULT_OPEN);
            break;
        case kRowMenuNotes:
        case kRowMenuCalendar:
        case kRowMenuNavigate:
            platform::sendMessage(ui::getParent(handle()), ui::WM_COMMAND, ui::makeWParam(command, kRowMenuCode), 0);
            break;
        default:
            break;
    }
}

MsgResult cConnectionList::OnDoubleTap(std::uintptr_t wParam, std::intptr_t lParam) {
    const auto [row, item] = hitTest(ui::xOfLParam(lParam), ui::yOfLParam(lParam));
    if (row >= 0 && row == selected) {
        activateItem(item);
        notifyView(WM_RESULT_OPEN);
        return 0;
    }
    return OnTap(wParam, lParam);
}

MsgResult cConnectionList::OnSize(std::uintptr_t, std::intptr_t) {
    if (!rows.empty()) {
        std::vector<cConnectionRow> kept = std::move(rows);
        const int keep = selected;
        setRows(std::move(kept), keep);
    } else {
        measure();
    }
    return 0;
}

void cConnectionList::OnSetFocus() {
    keyReleased = false;
    ui::invalidateRect(handle());
}

void cConnectionList::drawRow(draw::DeviceContext& dc, int r, int top, int width) {
    const cConnectionRow& row = rows[static_cast<std::size_t>(r)];
    const int height = rowHeight(r);
    const bool isSelected = r == selected;
    const Rect rect{0, top, width, top + height};
    if (isSelected) {
        dc.fillRect(rect, kRowSelectedBorder);
        dc.fillRect(Rect{2, top + 2, width - 2, top + height - 2}, kRowSelectedBack);
    } else {
        dc.fillRect(rect, kWindowColour);
        dc.fillRect(Rect{0, top + height - 1, width, top + height}, kRowSelectedBorder);
    }
    const RowGeometry& g = geometry;
    const int margin = shellSettings().fontHeight() / 7;
    const int stopWidth = width - 2 * g.timeWidth - 3 * g.markWidth - g.lineWidth;
    int y = top + g.gap;
    for (int i = 0; i < static_cast<int>(row.items.size()); ++i) {
        const ConnectionRowItem& item = row.items[static_cast<std::size_t>(i)];
        const int itemSpan = itemHeight(item);
        const bool active = isSelected && i == row.activeItem;
        if (active) dc.fillRect(Rect{margin, y, width - margin, y + itemSpan}, kActiveItemBack);
        const draw::Color text = active ? kWhite : kTextColour;
        int x = margin;
        dc.setTextColor(item.arrivalDiffers && !active ? kOtherDayColour : text);
        dc.textOut(x, y, item.arrivalTime);
        x += g.timeWidth + g.markWidth / 2;
        dc.setTextColor(item.departureDiffers && !active ? kOtherDayColour : text);
        dc.textOut(x, y, item.departureTime);
        x += g.timeWidth + g.markWidth;
        // The line (or walk) text stands at the right edge, at most the line column wide; the
        // stop name takes the rest of the row, so long names are cut only where they must be.
        const std::u16string& side = item.walking ? item.walkText : item.lineName;
        const std::u16string sideShown =
            side.empty() ? side : (item.walking ? walkShown(item.walkText, width - margin - x) : shortened(side, g.lineWidth));
        const int sideWidth = sideShown.empty() ? 0 : font->measure(sideShown).width;
        const int sideX = width - margin - sideWidth;
        const int stopRoom = item.walking ? sideX - g.markWidth - x : std::max(stopWidth, sideX - g.markWidth - x);
        dc.setTextColor(text);
        dc.textOut(x, y, shortened(item.stop, stopRoom));
        if (!sideShown.empty()) {
            dc.setTextColor(active ? kWhite : (item.walking ? kWalkColour : item.lineColour));
            dc.textOut(sideX, y, sideShown);
        }
        if (!item.notes.empty()) {
            dc.setTextColor(active ? kWhite : kGrey);
            const int notesX = margin + g.timeWidth + g.markWidth;
            dc.textOut(notesX, y + g.itemHeight,
                       shortened(item.notes, width - notesX - 2 * g.gap - scrollBarWidth()));
        }
        y += itemSpan;
    }
    if (!row.summary.empty()) {
        dc.setTextColor(kGrey);
        dc.textOut(margin + g.timeWidth + g.markWidth, y, row.summary);
    }
}

void cConnectionList::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    const int width = scrollBarVisible() ? client.width() - scrollBarWidth() : client.width();
    dc.fillRect(client, kWindowColour);
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.selectFont(font.get());
    int top = -scrollPos;
    for (int r = 0; r < static_cast<int>(rows.size()) && top < client.height(); ++r) {
        const int h = rowHeight(r);
        if (top + h > 0) drawRow(dc, r, top, width);
        top += h;
    }
}

const platform::ui::MessageMapBase& cConnectionList::messageMap() const {
    static const auto map = platform::ui::MessageMap<cConnectionList>(&cScrollList::messageMap())
                                .message(ui::WM_CREATE, &cConnectionList::OnCreate)
                                .message(ui::WM_SIZE, &cConnectionList::OnSize)
                                .message(ui::WM_KEYDOWN, &cConnectionList::OnKeyDown)
                                .message(ui::WM_KEYUP, &cConnectionList::OnKeyUp)
                                .message(ui::WM_LBUTTONDOWN, &cConnectionList::OnTap)
                                .message(ui::WM_LBUTTONDBLCLK, &cConnectionList::OnDoubleTap)
                                .message(ui::WM_SETFOCUS, &cConnectionList::OnSetFocus)
                                .message(ui::WM_PAINT, &cConnectionList::OnPaint);
    return map;
}

}  // namespace pelorvant
