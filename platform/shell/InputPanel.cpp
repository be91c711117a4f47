#include "platform/shell/InputPanel.h"

#include "platform/controls/ControlStyle.h"
#include "platform/core/MessageLoop.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
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

MsgResult panelProc(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
    if (m == ui::WM_PAINT) {
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const Rect c = ui::getClientRect(h);
        dc.fillRect(c, controls::kFaceColor);
        // Three rows of keys, enough to show where the panel is.
        const int rows = 3;
        const int keyH = c.height() / rows;
        const int keyW = std::max(1, c.width() / 10);
        for (int r = 0; r < rows; ++r) {
            for (int k = 0; k < 10; ++k) {
                const Rect key{k * keyW + 1, r * keyH + 1, (k + 1) * keyW - 1, (r + 1) * keyH - 1};
                dc.fillRect(key, controls::kWindowColor);
                controls::drawFrame(dc, key, controls::kSecondaryTextColor);
            }
        }
        return 0;
    }
    if (m == ui::WM_ERASEBKGND) {
        return 1;
    }
    if (m == ui::WM_DESTROY && h == panel().window) {
        // Destroyed with every other window (a test kit, the end of the program): off.
        panel().window = kNullWindow;
        panel().on = false;
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
