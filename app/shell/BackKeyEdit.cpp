#include "app/shell/BackKeyEdit.h"

#include "app/core/PrivateMessages.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/shell/Gesture.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MenuFromTemplate.h"
#include "platform/shell/PopupMenu.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace shell = platform::shell;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

platform::WindowHandle topLevelOf(platform::WindowHandle w) {
    for (platform::WindowHandle p = ui::getParent(w); p != platform::kNullWindow;
         p = ui::getParent(w)) {
        w = p;
    }
    return w;
}

}  // namespace

bool cBackKeyEdit::createEdit(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                              std::u16string text) {
    ui::CreateParams p;
    p.text = std::move(text);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER | controls::ES_AUTOHSCROLL;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return createControl(controls::kEditClass, p);
}

void cBackKeyEdit::deleteBeforeCaret() {
    std::u16string text = ui::getWindowText(handle());
    if (text.empty()) {
        return;
    }
    int start = 0;
    int end = 0;
    platform::sendMessage(handle(), controls::EM_GETSEL, reinterpret_cast<std::uintptr_t>(&start),
                          reinterpret_cast<std::intptr_t>(&end));
    if (start <= 0 || start > static_cast<int>(text.size())) {
        return;
    }
    text.erase(static_cast<std::size_t>(start - 1), 1);
    ui::setWindowText(handle(), text);
    platform::sendMessage(handle(), controls::EM_SETSEL, static_cast<std::uintptr_t>(start - 1),
                          end - 1);
    platform::sendMessage(handle(), controls::EM_SCROLLCARET, 0, 0);
}

bool cBackKeyEdit::contextMenu(std::intptr_t lParam) {
    const ui::Point at{ui::xOfLParam(lParam), ui::yOfLParam(lParam)};
    if (shell::recognizeGesture(handle(), at) != shell::GN_CONTEXTMENU) {
        return false;
    }
    if (ui::getFocus() != handle()) {
        ui::setFocus(handle());
    }
    const auto* source = platform::resources::findMenuTemplate(kEditMenuId);
    if (!source) {
        return true;
    }
    const shell::MenuPtr menu = shell::menuFromTemplate(*source);
    const shell::MenuPtr popup = menu->count() > 0 ? menu->subMenu(0) : nullptr;
    if (!popup) {
        return true;
    }
    const ui::Point screen = ui::clientToScreen(handle(), at);
    switch (shell::trackPopupMenu(popup, shell::TPM_RETURNCMD, screen.x, screen.y, handle())) {
        case kCommandCopy:
            platform::sendMessage(handle(), controls::WM_COPY, 0, 0);
            break;
        case kCommandPaste:
            platform::sendMessage(handle(), controls::WM_PASTE, 0, 0);
            break;
        case kCommandCut:
            platform::sendMessage(handle(), controls::WM_CUT, 0, 0);
            break;
        default:
            break;
    }
    return true;
}

MsgResult cBackKeyEdit::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    switch (message) {
        case ui::WM_SETFOCUS: {
            // The Back key comes to the program instead of the menu bar while the edit has it.
            const platform::WindowHandle bar = shell::findMenuBar(topLevelOf(handle()));
            const unsigned flags = shell::SHMBOF_NODEFAULT | shell::SHMBOF_NOTIFY;
            platform::sendMessage(bar, shell::SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE,
                                  ui::makeLParam(static_cast<int>(flags), static_cast<int>(flags)));
            break;
        }
        case shell::WM_HOTKEY:
            deleteBeforeCaret();
            return 0;
        case ui::WM_KEYDOWN:
            if (wParam == ui::VK_DOWN || wParam == ui::VK_UP) {
                platform::sendMessage(ui::getParent(handle()), WM_MOVE_FOCUS,
                                      wParam == ui::VK_UP ? 1 : 0, focusOrder);
                return 0;
            }
            break;
        case ui::WM_LBUTTONDOWN:
            if (contextMenu(lParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    return callControl(message, wParam, lParam);
}

}  // namespace pelorvant
