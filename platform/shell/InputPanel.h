#pragma once
// The soft input panel: the on-screen keyboard that comes up over the lower part of the
// screen, just above the menu bar. Where the backend has a system keyboard (SDL's text input
// starts and stops it) the backend's driver is told to show or hide it; without a driver (the
// headless backend) the shell draws a panel of fixed height itself, which tests open and close.
// Every change is announced to the top-level windows with WM_SETTINGCHANGE (SPI_SETSIPINFO).

#include "platform/draw/Geometry.h"

#include <functional>
#include <string_view>

namespace platform::shell {

inline constexpr unsigned SIPF_OFF = 0x0;
inline constexpr unsigned SIPF_ON = 0x1;
inline constexpr std::string_view kInputPanelClass = "InputPanel";
// The drawn panel's height on a 96 DPI screen; twice that on high-resolution screens.
inline constexpr int kInputPanelHeight = 80;

struct SipInfo {
    unsigned flags = SIPF_OFF;
    draw::Rect visibleDesktop;  // the screen above the menu bar that the panel leaves free
    draw::Rect panel;           // where the panel lies (also while it is hidden)
};

// The backend's hook: called with true to bring up its keyboard, false to put it away.
using InputPanelDriver = std::function<void(bool shown)>;
void setInputPanelDriver(InputPanelDriver driver);

bool sipShowIM(unsigned flags);
bool sipGetInfo(SipInfo& info);
// Sets the panel's state from info.flags.
bool sipSetInfo(const SipInfo& info);
bool sipIsOn();

}  // namespace platform::shell
