#include "platform/shell/InputPanel.h"

#include "platform/core/MessageLoop.h"
#include "platform/shell/InputPanelWindow.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
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
        // Destroyed with every other window (a test kit, the end of the program): off.
        p.window = InputPanelWindow::open(panelRect(), [] {
            panel().window = kNullWindow;
            panel().on = false;
        });
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
