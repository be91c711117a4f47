#include "app/shell/TextBoxDisplay.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/TextBox.h"

#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

bool cTextBoxDisplay::createDisplay(platform::WindowHandle box, std::uintptr_t id) {
    auto params = shellCreateParams(ui::WS_CHILD, Rect{0, 0, 10, 10}, box, id);
    params.text = u"textBoxText2003";
    return create(params);
}

void cTextBoxDisplay::setSelection(int start, int end) {
    selectionStart = start;
    selectionEnd = end;
    ui::invalidateRect(handle());
}

MsgResult cTextBoxDisplay::OnKeyDown(std::uintptr_t key, std::intptr_t) {
    const auto vk = static_cast<std::uint32_t>(key);
    if (vk == ui::VK_TSTAR && cTextBox::deviceTypesText()) {
        // The star key took a QWERTY device to T9; on the same key it types text again.
        platform::sendMessage(ui::getParent(box_.handle()), WM_TEXTBOX_MODE, 1, 0);
        return 0;
    }
    if (!box_.onKeypadKey(vk)) {
        box_.onBoxKey(vk);
    }
    return 0;
}

MsgResult cTextBoxDisplay::OnHotKey(std::uintptr_t, std::intptr_t) {
    // The back key, taken over from the menu bar: deletes the last key like Backspace.
    box_.onBoxKey(ui::VK_BACK);
    return 0;
}

MsgResult cTextBoxDisplay::OnTap(std::uintptr_t, std::intptr_t) {
    ui::setFocus(box_.handle());
    return 0;
}

MsgResult cTextBoxDisplay::OnSetFocus(std::uintptr_t from, std::intptr_t) {
    box_.onInnerFocus(static_cast<platform::WindowHandle>(from));
    ui::invalidateRect(handle());
    return 0;
}

MsgResult cTextBoxDisplay::OnKillFocus(std::uintptr_t newFocus, std::intptr_t) {
    box_.setFocusLook(false);
    if (static_cast<platform::WindowHandle>(newFocus) != box_.list.handle()) {
        box_.hideList();
    }
    ui::invalidateRect(handle());
    return 0;
}

void cTextBoxDisplay::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    dc.selectFont(box_.font.get());
    dc.setBkMode(platform::draw::BackgroundMode::Transparent);
    const std::u16string& text = box_.text;
    const int height = dc.textMetrics().height;
    const int y = (client.height() - height) / 2;
    const int x = 2;
    const int typed =
        box_.focusLook ? std::clamp(selectionEnd, 0, static_cast<int>(text.size())) : 0;
    const std::u16string_view head =
        std::u16string_view(text).substr(0, static_cast<std::size_t>(typed));
    const int headWidth = dc.textExtent(head).width;
    if (typed > 0) {
        dc.fillRect(Rect::fromSize(x, y, headWidth, height), kSelectionColor);
        dc.setTextColor(kWhite);
        dc.textOut(x, y, head);
    }
    if (text.empty() && box_.showsGpsPosition()) {
        // The empty box stands for the current position: the placeholder in grey.
        placeholder_.fit(platform::resources::loadResString(kTextGpsPlaceholder),
                         shellSettings().fontHeight(), client.width() - 2 * x, client.height());
        placeholder_.draw(dc, Rect{x, client.top, client.right - x, client.bottom},
                          kSecondaryTextColor);
        return;
    }
    dc.setTextColor(kBlack);
    dc.textOut(x + headWidth, y, std::u16string_view(text).substr(static_cast<std::size_t>(typed)));
}

const ui::MessageMapBase& cTextBoxDisplay::messageMap() const {
    static const auto map = ui::MessageMap<cTextBoxDisplay>(&WindowObject::messageMap())
                                .message(ui::WM_KEYDOWN, &cTextBoxDisplay::OnKeyDown)
                                .message(platform::shell::WM_HOTKEY, &cTextBoxDisplay::OnHotKey)
                                .message(ui::WM_LBUTTONDOWN, &cTextBoxDisplay::OnTap)
                                .message(ui::WM_SETFOCUS, &cTextBoxDisplay::OnSetFocus)
                                .message(ui::WM_KILLFOCUS, &cTextBoxDisplay::OnKillFocus)
                                .message(ui::WM_PAINT, &cTextBoxDisplay::OnPaint);
    return map;
}

}  // namespace pelorvant
