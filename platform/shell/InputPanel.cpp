#include "platform/shell/InputPanel.h"

#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/TextCase.h"
#include "platform/shell/InputPanelKeys.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace platform::shell {
namespace {

using draw::Rect;

struct PanelState {
    InputPanelDriver driver;
    bool on = false;
    WindowHandle window = kNullWindow;  // the drawn panel, without a driver
    PanelLayer layer = PanelLayer::Letters;
    bool shift = false;  // the next letter is a capital
};

PanelState& panel() {
    thread_local PanelState state;
    return state;
}

int panelHeight() {
    return ui::deviceProfile().highResolution() ? 2 * kInputPanelHeight : kInputPanelHeight;
}

Rect panelRect() {
    const draw::Size s = ui::screenSize();
    const int bottom = s.height - ui::systemMetrics().captionHeight;
    return Rect{0, bottom - panelHeight(), s.width, bottom};
}

void paintPanel(WindowHandle h) {
    ui::PaintContext paint(h);
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(h);
    const draw::Size size{c.width(), c.height()};
    dc.fillRect(c, controls::kFaceColor);
    dc.selectFont(&controls::controlFont());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    const auto& rows = panelRows(panel().layer);
    for (int r = 0; r < kPanelRows; ++r) {
        int column = 0;
        for (const PanelKey& key : rows[static_cast<std::size_t>(r)]) {
            const Rect rect = panelKeyRect(size, r, column, key.span);
            column += key.span;
            const bool lit = key.action == PanelAction::Shift && panel().shift;
            dc.fillRect(rect, lit ? controls::kSelectionColor : controls::kWindowColor);
            controls::drawFrame(dc, rect, controls::kSecondaryTextColor);
            dc.setTextColor(lit ? controls::kSelectionTextColor : controls::kTextColor);
            dc.drawText(panelKeyLabel(key, panel().shift), rect,
                        draw::kTextSingleLine | draw::kTextCenter | draw::kTextVCenter);
        }
    }
}

// A tap on a key: the character goes to the focus window as if typed, the other keys act on
// the panel or press their key.
void pressKey(WindowHandle h, const PanelKey& key) {
    PanelState& p = panel();
    switch (key.action) {
        case PanelAction::Type:
            ui::characterInput(p.shift ? draw::toUpperCase(key.character) : key.character);
            if (p.shift) {
                p.shift = false;
                ui::invalidateRect(h);
            }
            break;
        case PanelAction::Backspace:
        case PanelAction::Enter: {
            const std::uint32_t vk = key.action == PanelAction::Enter ? ui::VK_RETURN : ui::VK_BACK;
            ui::keyDown(vk);
            ui::keyUp(vk);
            break;
        }
        case PanelAction::Shift:
            p.shift = !p.shift;
            ui::invalidateRect(h);
            break;
        case PanelAction::Layer:
            p.layer = key.target;
            p.shift = false;
            ui::invalidateRect(h);
            break;
    }
}

MsgResult panelProc(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
    switch (m) {
        case ui::WM_PAINT:
            paintPanel(h);
            return 0;
        case ui::WM_ERASEBKGND:
            return 1;
        case ui::WM_LBUTTONDOWN:
        case ui::WM_LBUTTONDBLCLK: {
            const Rect c = ui::getClientRect(h);
            if (const PanelKey* key =
                    panelKeyAt(panel().layer, draw::Size{c.width(), c.height()},
                               draw::Point{ui::xOfLParam(lp), ui::yOfLParam(lp)})) {
                pressKey(h, *key);
            }
            return 0;
        }
        case ui::WM_DESTROY:
            if (h == panel().window) {
                // Destroyed with every other window (a test kit, the end of the program): off.
                panel().window = kNullWindow;
                panel().on = false;
            }
            break;
        default:
            break;
    }
    return ui::defWindowProc(h, m, wp, lp);
}

void announce() {
    for (WindowHandle w : ui::getTopLevelWindows()) {
        if (w != panel().window) {
            sendMessage(w, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
        }
    }
}

}  // namespace

void setInputPanelDriver(InputPanelDriver driver) {
    panel().driver = std::move(driver);
}

bool sipShowIM(unsigned flags) {
    const bool on = (flags & SIPF_ON) != 0;
    PanelState& p = panel();
    if (p.on == on) {
        return true;
    }
    p.on = on;
    if (p.driver) {
        p.driver(on);
    } else if (on) {
        ui::CreateParams params;
        params.className = std::string(kInputPanelClass);
        params.style = ui::WS_POPUP | ui::WS_VISIBLE;
        params.exStyle = ui::WS_EX_TOPMOST;
        params.rect = panelRect();
        p.layer = PanelLayer::Letters;
        p.shift = false;
        p.window = ui::createWindow(params, panelProc);
    } else if (p.window != kNullWindow) {
        ui::destroyWindow(p.window);
        p.window = kNullWindow;
    }
    announce();
    return true;
}

bool sipGetInfo(SipInfo& info) {
    const draw::Size s = ui::screenSize();
    info.flags = panel().on ? SIPF_ON : SIPF_OFF;
    info.panel = panelRect();
    info.visibleDesktop = Rect{0, 0, s.width, s.height - ui::systemMetrics().captionHeight};
    if (panel().on && !panel().driver) {
        info.visibleDesktop.bottom = info.panel.top;
    }
    return true;
}

bool sipSetInfo(const SipInfo& info) {
    return sipShowIM(info.flags & SIPF_ON);
}

bool sipIsOn() {
    return panel().on;
}

}  // namespace platform::shell
