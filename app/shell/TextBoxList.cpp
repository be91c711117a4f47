#include "app/shell/TextBoxList.h"

#include "app/core/LabelPlainText.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/TextBox.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <string>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

int cTextBoxList::rowHeight() {
    const ShellSettings& s = shellSettings();
    const double factor =
        (s.highResolution() ? 2 : 1) * 0.5 * (s.touchFriendly() ? 1 : 0) * 0.5 + 1.0;
    return std::max(1, static_cast<int>(factor * s.fontHeight() * 0.9));
}

bool cTextBoxList::createSuggestions(platform::WindowHandle parent,
                                     platform::WindowHandle hintWindowParent) {
    hintParent = hintWindowParent;
    return createList(parent, Rect{0, 0, 10, 10}, kTextBoxListId, false);
}

MsgResult cTextBoxList::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cScrollList::OnCreate(wParam, lParam);
    ui::setStyle(handle(), ui::getStyle(handle()) | ui::WS_BORDER);
    font = makeVerdana(rowHeight());
    italicFont = makeVerdana(rowHeight(), true);
    hint.createHint(hintParent);
    ui::setDlgCtrlId(hint.handle(), kTextBoxHintId);
    return 0;
}

void cTextBoxList::setItems(const cTextBoxKategorieElement* slots, int count, int history,
                            int favouriteRows, bool favourites) {
    const int limit = favourites ? kFavouriteSlots : kSuggestionSlots;
    items = slots;
    const int used = std::clamp(count, 0, limit);
    historyCount = std::clamp(history, 0, used);
    favouritesCount = std::clamp(favouriteRows, 0, used - historyCount);
    favouritesMode = favourites;
    rows = used + (favourites ? 1 : 0);
    selected = 0;
    const int h = rowHeight();
    visibleRows = std::max(1, ui::getClientRect(handle()).height() / h);
    scrollPos = 0;
    ui::showWindow(handle(), ui::SW_SHOW);
    SetContentHeight(h * rows);
    ui::invalidateRect(handle());
}

void cTextBoxList::hide() {
    pressed = false;
    ui::showWindow(handle(), ui::SW_HIDE);
    hint.ShowHint(false);
}

std::u16string cTextBoxList::rowName(int row) const {
    if (row < 0 || row >= rows)
        return {};
    if (favouritesMode && row == rows - 1) {
        return platform::resources::loadResString(kTextAddFavouriteRow);
    }
    const cTextBoxKategorieElement& element = items[row];
    return element.count > 0 ? box_.names.elementName(element.items[0]) : std::u16string();
}

void cTextBoxList::SelectItem(int index) {
    if (index < 0 || index >= rows)
        return;
    selected = index;
    const int h = rowHeight();
    const int viewHeight = std::max(
        h, clientRect.height() > 0 ? clientRect.height() : ui::getClientRect(handle()).height());
    if (index * h < scrollPos) {
        SetScrollPos(index * h);
        ScrollTo(index * h);
    } else if ((index + 1) * h > scrollPos + viewHeight) {
        const int position =
            std::min((index + 1) * h - viewHeight, std::max(0, rows * h - viewHeight));
        SetScrollPos(position);
        ScrollTo(position);
    }
    if (!favouritesMode) {
        const int size = shellSettings().fontHeight() * 9 / 10;
        const std::u16string markup = u"<*" + [&] {
            const std::string digits = std::to_string(size);
            return std::u16string(digits.begin(), digits.end());
        }() + u"*>" + plainLabelText(rowName(index));
        hint.ShowHintForControl(handle(), markup, kHintDefaultDisplayTime, 0, 0, 0, 0);
    }
    ui::invalidateRect(handle());
}

void cTextBoxList::ScrollTo(int position) {
    const int h = rowHeight();
    const int viewHeight = ui::getClientRect(handle()).height();
    scrollPos = std::clamp(position, 0, std::max(0, rows * h - viewHeight));
    ui::invalidateRect(handle());
}

void cTextBoxList::ScrollLine(bool up) {
    ScrollBy(up ? -rowHeight() : rowHeight());
}

void cTextBoxList::takeRow(bool byTap) {
    if (favouritesMode && selected == rows - 1) {
        const bool added = box_.addToFavourites();
        if (added && !byTap)
            hide();
        return;
    }
    box_.selectSuggestion(selected, false);
    box_.clearText(false);
    ui::setFocus(box_.handle());
    hide();
}

MsgResult cTextBoxList::OnKeyDown(std::uintptr_t key, std::intptr_t) {
    switch (key) {
        case ui::VK_RETURN:
        case ui::VK_RIGHT:
            takeRow(false);
            break;
        case ui::VK_UP:
            if (selected == 0) {
                ui::setFocus(box_.handle());
            } else {
                SelectItem(selected - 1);
            }
            break;
        case ui::VK_DOWN:
            if (selected + 1 < rows)
                SelectItem(selected + 1);
            break;
        default:
            break;
    }
    return 0;
}

MsgResult cTextBoxList::OnHotKey(std::uintptr_t, std::intptr_t lParam) {
    if (isBackKeyPress(lParam)) {
        hide();
        ui::setFocus(box_.handle());
    }
    return 0;
}

MsgResult cTextBoxList::OnPress(std::uintptr_t wParam, std::intptr_t lParam) {
    cScrollList::OnFingerDown(wParam, lParam);
    if (rows == 0)
        return 0;
    const int row = std::min((ui::yOfLParam(lParam) + scrollPos) / rowHeight(), rows - 1);
    selected = std::max(row, 0);
    pressed = true;
    ui::invalidateRect(handle());
    return 0;
}

MsgResult cTextBoxList::OnRelease(std::uintptr_t wParam, std::intptr_t lParam) {
    cScrollList::OnFingerUp(wParam, lParam);
    if (!pressed)
        return 0;
    pressed = false;
    takeRow(true);
    return 0;
}

MsgResult cTextBoxList::OnKillFocus(std::uintptr_t newFocus, std::intptr_t) {
    const auto to = static_cast<platform::WindowHandle>(newFocus);
    if (to != box_.handle() && ui::getParent(to) != box_.handle()) {
        hide();
    }
    ui::invalidateRect(handle());
    return 0;
}

void cTextBoxList::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    const int width = scrollBarVisible() ? client.width() - scrollBarWidth() : client.width();
    dc.fillRect(client, kWhite);
    dc.setBkMode(platform::draw::BackgroundMode::Transparent);
    const int h = rowHeight();
    const bool focused = ui::getFocus() == handle();
    const int first = scrollPos / h;
    for (int row = first; row < rows && (row - first) * h - scrollPos % h < client.height();
         ++row) {
        const int y = row * h - scrollPos;
        const Rect rowRect{0, y, width, y + h};
        const bool isSelected = row == selected && (focused || pressed);
        if (isSelected)
            dc.fillRect(rowRect, kSelectionColor);
        if (favouritesMode && row == rows - 1) {
            dc.fillRect(Rect{0, y, width, y + 1}, kSecondaryTextColor);
            dc.selectFont(italicFont.get());
            dc.setTextColor(isSelected ? kWhite : kBlack);
            dc.textOut(3, y + 1, rowName(row));
            continue;
        }
        dc.selectFont(font.get());
        platform::draw::Color color = kBlack;
        if (row < historyCount) {
            color = kHistoryColor;
        } else if (row < historyCount + favouritesCount) {
            color = kFavouriteColor;
        }
        const std::u16string name = rowName(row);
        dc.setTextColor(isSelected ? kWhite : color);
        dc.textOut(3, y + 1, name);
        const cTextBoxKategorieElement& element = items[row];
        if (element.count > 0) {
            dc.setTextColor(isSelected ? kWhite : kSecondaryTextColor);
            dc.textOut(3 + dc.textExtent(name).width, y + 1,
                       u" (" + box_.names.kindName(element.items[0]) + u")");
        }
    }
}

const ui::MessageMapBase& cTextBoxList::messageMap() const {
    static const auto map = ui::MessageMap<cTextBoxList>(&cScrollList::messageMap())
                                .message(ui::WM_CREATE, &cTextBoxList::OnCreate)
                                .message(ui::WM_KEYDOWN, &cTextBoxList::OnKeyDown)
                                .message(platform::shell::WM_HOTKEY, &cTextBoxList::OnHotKey)
                                .message(ui::WM_LBUTTONDOWN, &cTextBoxList::OnPress)
                                .message(ui::WM_LBUTTONUP, &cTextBoxList::OnRelease)
                                .message(ui::WM_KILLFOCUS, &cTextBoxList::OnKillFocus)
                                .message(ui::WM_PAINT, &cTextBoxList::OnPaint);
    return map;
}

}  // namespace pelorvant
