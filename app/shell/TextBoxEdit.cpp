#include "app/shell/TextBoxEdit.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/FieldControls.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/TextBox.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/Gesture.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

constexpr std::uintptr_t kEditCreateId = 100;

bool boxKey(std::uintptr_t key) {
    return key == ui::VK_RETURN || key == ui::VK_LEFT || key == ui::VK_RIGHT || key == ui::VK_UP ||
           key == ui::VK_DOWN || key == ui::VK_TAB;
}

void showInputPanel(platform::WindowHandle from) {
    platform::shell::sipShowIM(platform::shell::SIPF_ON);
    platform::sendMessage(topLevelWindow(from), WM_RELAYOUT, 0, 0);
}

}  // namespace

bool cTextBoxEdit::createEdit(platform::WindowHandle box) {
    ui::CreateParams p;
    p.style = ui::WS_CHILD | controls::ES_AUTOHSCROLL;
    p.rect = Rect{0, 0, 10, 10};
    p.parent = box;
    p.id = kEditCreateId;
    if (!createControl(controls::kEditClass, p))
        return false;
    ui::setDlgCtrlId(handle(), kTextBoxEditId);
    return true;
}

bool cTextBoxEdit::placeholderShown() const {
    return box_.showsGpsPosition() &&
           ui::getWindowText(handle()) == platform::resources::loadResString(kTextGpsPlaceholder);
}

void cTextBoxEdit::paintPlaceholder() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    const std::u16string text = platform::resources::loadResString(kTextGpsPlaceholder);
    constexpr int kMargin = 2;
    // The whole placeholder is read: its font shrinks to the edit's room, or it takes two lines.
    placeholder_.fit(text, shellSettings().fontHeight(), client.width() - 2 * kMargin,
                     client.height());
    placeholder_.draw(dc, Rect{kMargin, client.top, client.right - kMargin, client.bottom},
                      kSecondaryTextColor);
    const int height = placeholder_.font()->metrics().height;
    if (ui::getFocus() == handle()) {
        // The caret waits at the start: the first character replaces the placeholder.
        const int caretHeight = box_.font ? box_.font->metrics().height : height;
        const int top = (client.height() - caretHeight) / 2;
        dc.fillRect(Rect{kMargin, top, kMargin + 1, top + caretHeight}, kBlack);
    }
}

MsgResult cTextBoxEdit::onChar(std::uintptr_t wParam, std::intptr_t lParam) {
    // The character of Tab, Return or Escape types nothing: the key already moved the focus or
    // acted, and the placeholder or the text stays as it is.
    if (wParam == u'\t' || wParam == u'\r' || wParam == u'\n' || wParam == 0x1B)
        return 0;
    const bool placeholderShown = this->placeholderShown();
    if (placeholderShown && !firstCharPending) {
        box_.textSet = true;
        ui::setWindowText(handle(), u"");
        box_.textSet = false;
    }
    if (firstCharPending) {
        // Typing replaces the whole text.
        box_.textSet = true;
        ui::setWindowText(handle(), u"");
        box_.textSet = false;
        firstCharPending = false;
        completed = false;
    }
    if (completed) {
        return 0;
    }
    if (wParam == ui::VK_BACK && gpsFlag && ui::getWindowText(handle()).empty()) {
        box_.SetText(u"", true);
        return 0;
    }
    return callControl(ui::WM_CHAR, wParam, lParam);
}

MsgResult cTextBoxEdit::onKey(std::uint32_t message, std::uintptr_t key, std::intptr_t lParam) {
    if (message == ui::WM_KEYDOWN) {
        if (key == ui::VK_PROCESSKEY) {
            inputMethodKeyDown = true;
            return 0;
        }
        inputMethodKeyDown = false;
        if (key == ui::VK_NUMPAD8 || key == ui::VK_F8) {
            platform::sendMessage(ui::getParent(box_.handle()), WM_TEXTBOX_MODE, 0, 0);
            return 0;
        }
        if (boxKey(key)) {
            box_.onBoxKey(static_cast<std::uint32_t>(key));
            return 0;
        }
        return callControl(message, key, lParam);
    }
    // Only the key-up of a key-down an input method took acts; the key-up of a key pressed in
    // another field, which moved the focus here, must not act a second time.
    const bool acts = inputMethodKeyDown && boxKey(key);
    inputMethodKeyDown = false;
    if (acts) {
        box_.onBoxKey(static_cast<std::uint32_t>(key));
        return 0;
    }
    return callControl(message, key, lParam);
}

void cTextBoxEdit::onTap(std::intptr_t lParam) {
    const platform::draw::Point point{ui::xOfLParam(lParam), ui::yOfLParam(lParam)};
    if (platform::shell::recognizeGesture(handle(), point) == platform::shell::GN_CONTEXTMENU) {
        box_.openContextMenu(ui::clientToScreen(handle(), point));
        return;
    }
    if (ui::getFocus() == handle()) {
        showInputPanel(handle());
    } else {
        ui::setFocus(handle());
    }
}

MsgResult cTextBoxEdit::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    switch (message) {
        case ui::WM_CHAR:
            return onChar(wParam, lParam);
        case ui::WM_PAINT:
            if (placeholderShown()) {
                paintPlaceholder();
                return 0;
            }
            return callControl(message, wParam, lParam);
        case platform::shell::WM_HOTKEY:
            // The back key, taken over from the menu bar, deletes like Backspace.
            onChar(ui::VK_BACK, 0);
            return 0;
        case ui::WM_KEYDOWN:
        case ui::WM_KEYUP:
            return onKey(message, wParam, lParam);
        case ui::WM_SETFOCUS: {
            const MsgResult result = callControl(message, wParam, lParam);
            box_.onInnerFocus(static_cast<platform::WindowHandle>(wParam));
            firstCharPending = true;
            inputMethodKeyDown = false;
            return result;
        }
        case ui::WM_KILLFOCUS: {
            const MsgResult result = callControl(message, wParam, lParam);
            const auto to = static_cast<platform::WindowHandle>(wParam);
            if (to != box_.list.handle()) {
                box_.setFocusLook(false);
                platform::sendMessage(ui::getParent(box_.handle()), WM_TEXTBOX_KILLFOCUS, 0, 0);
                box_.hideList();
            }
            return result;
        }
        case ui::WM_LBUTTONDOWN:
            onTap(lParam);
            return callControl(message, wParam, lParam);
        case ui::WM_LBUTTONDBLCLK:
            if (box_.listShown()) {
                ui::setFocus(box_.handle());
                box_.hideList();
                box_.resetInput();
            } else {
                showInputPanel(handle());
            }
            return 0;
        default:
            return callControl(message, wParam, lParam);
    }
}

}  // namespace pelorvant
