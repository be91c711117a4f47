#include "app/shell/ChoiceBox.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

// The combo's notification code when it reports a new selection to the box.
constexpr std::uintptr_t kComboNotifyId = 2048;

}  // namespace

MsgResult cChoiceCombo::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    const MsgResult result = callControl(message, wParam, lParam);
    if (message == ui::WM_KILLFOCUS) {
        platform::sendMessage(ui::getParent(handle()), WM_CHOICE_KILLFOCUS, 0, 0);
    }
    return result;
}

cChoiceBox::cChoiceBox(int order, int ownerView, bool onEnter)
    : dropList(*this), listOnEnter(onEnter), focusOrder(order), ownerViewId(ownerView) {}

bool cChoiceBox::createChoice(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id) {
    placeInParent_ = rect;
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, id));
}

MsgResult cChoiceBox::OnCreate(std::uintptr_t, std::intptr_t) {
    const Rect client = ui::getClientRect(handle());
    dropList.createDropList(handle(), client);
    if (touchScreen()) {
        ui::CreateParams p;
        p.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER | ui::WS_VSCROLL |
                  controls::CBS_DROPDOWNLIST;
        p.rect = placeInParent_;
        p.parent = ui::getParent(handle());
        p.id = ui::getDlgCtrlId(handle());
        hasCombo = combo.createControl(controls::kComboBoxClass, p);
    }
    return 0;
}

int cChoiceBox::GetCurSel() const {
    if (hasCombo) {
        return static_cast<int>(
            platform::sendMessage(combo.handle(), controls::CB_GETCURSEL, 0, 0));
    }
    return dropList.current;
}

void cChoiceBox::SetCurSel(int index) {
    if (hasCombo) {
        platform::sendMessage(combo.handle(), controls::CB_SETCURSEL,
                              static_cast<std::uintptr_t>(index), 0);
    }
    dropList.setCurrent(index);
}

std::u16string cChoiceBox::GetSelectedText() const {
    if (hasCombo) {
        // The combo's text is its selected item's.
        std::u16string text;
        const auto index = platform::sendMessage(combo.handle(), controls::CB_GETCURSEL, 0, 0);
        if (index >= 0) {
            platform::sendMessage(combo.handle(), controls::CB_GETLBTEXT,
                                  static_cast<std::uintptr_t>(index),
                                  reinterpret_cast<std::intptr_t>(&text));
        }
        return text;
    }
    const int i = dropList.current;
    return i >= 0 && i < static_cast<int>(dropList.items.size())
               ? dropList.items[static_cast<std::size_t>(i)]
               : std::u16string();
}

int cChoiceBox::SelectString(std::u16string_view text) {
    const auto& list = dropList.items;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) {
            SetCurSel(static_cast<int>(i));
            return 1;
        }
    }
    return 0;
}

void cChoiceBox::fillComboBox() {
    if (!hasCombo)
        return;
    platform::sendMessage(combo.handle(), controls::CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : dropList.items) {
        platform::sendMessage(combo.handle(), controls::CB_ADDSTRING, 0,
                              reinterpret_cast<std::intptr_t>(&item));
    }
}

void cChoiceBox::Layout() {
    const int fh = shellSettings().fontHeight();
    const Rect r = ui::getWindowRectInParent(handle());
    const int height = static_cast<int>(1.3 * fh);
    if (r.width() > 0)
        placeInParent_ = Rect::fromSize(r.left, r.top, r.width(), height);
    ui::moveWindow(handle(), placeInParent_.left, placeInParent_.top, placeInParent_.width(),
                   height);
    ui::moveWindow(dropList.handle(), 0, 0, placeInParent_.width(), height);
    if (hasCombo) {
        ui::showWindow(dropList.handle(), ui::SW_HIDE);
        // The platform's combo is as tall as its closed box and opens its list below by
        // itself: it gets the box's height, and its open list shows about eight font heights.
        ui::moveWindow(combo.handle(), placeInParent_.left, placeInParent_.top,
                       placeInParent_.width(), height);
        const int rows = std::max(8 * fh / std::max(height, 1), 3);
        platform::sendMessage(combo.handle(), controls::CB_SETMINVISIBLE,
                              static_cast<std::uintptr_t>(rows), 0);
        ui::moveWindow(handle(), placeInParent_.left, placeInParent_.top, 0, 0);
    }
}

void cChoiceBox::SetFont(const platform::draw::Font* font) {
    if (hasCombo) {
        platform::sendMessage(combo.handle(), controls::WM_SETFONT,
                              reinterpret_cast<std::uintptr_t>(font), 1);
    }
}

void cChoiceBox::Show(int command) {
    if (hasCombo) {
        ui::showWindow(combo.handle(), command);
    } else if (command != ui::SW_HIDE) {
        Layout();
    }
    ui::showWindow(dropList.handle(), hasCombo ? ui::SW_HIDE : command);
    ui::showWindow(handle(), command);
}

void cChoiceBox::openFullList() {
    if (listView == nullptr)
        return;
    listView->showList(dropList.items, ownerViewId, returnMenu, dropList.handle(),
                       dropList.current);
}

void cChoiceBox::openList() {
    if (dropList.items.empty())
        return;
    if (hasCombo) {
        ui::setFocus(combo.handle());
        platform::sendMessage(combo.handle(), controls::CB_SHOWDROPDOWN, 1, 0);
        return;
    }
    ui::setFocus(dropList.handle());
    openFullList();
}

MsgResult cChoiceBox::OnChoiceKillFocus(std::uintptr_t wParam, std::intptr_t lParam) {
    platform::sendMessage(ui::getParent(handle()), WM_CHOICE_KILLFOCUS, wParam, lParam);
    return 0;
}

void cChoiceBox::OnComboChange() {
    platform::sendMessage(ui::getParent(handle()), WM_CHOICE_CHANGED, ui::getDlgCtrlId(handle()),
                          0);
}

void cChoiceBox::OnSetFocus() {
    ui::setFocus(hasCombo ? combo.handle() : dropList.handle());
}

void cChoiceBox::OnPaint() {
    ui::PaintContext paint(handle());
    paint.dc().fillRect(ui::getClientRect(handle()), kWhite);
}

const ui::MessageMapBase& cChoiceBox::messageMap() const {
    static const auto map =
        ui::MessageMap<cChoiceBox>(&WindowObject::messageMap())
            .command(kComboNotifyId, &cChoiceBox::OnComboChange, controls::CBN_SELCHANGE)
            .message(ui::WM_CREATE, &cChoiceBox::OnCreate)
            .message(WM_CHOICE_KILLFOCUS, &cChoiceBox::OnChoiceKillFocus)
            .message(ui::WM_SETFOCUS, &cChoiceBox::OnSetFocus)
            .message(ui::WM_PAINT, &cChoiceBox::OnPaint);
    return map;
}

}  // namespace pelorvant
