#pragma once
// The look the system controls share with the program's own drawn controls: the Verdana
// stand-in at the settings' font height, selections white on blue, secondary text grey.

#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <string_view>

namespace platform::controls {

inline constexpr draw::Color kWindowColor = draw::rgb(255, 255, 255);
inline constexpr draw::Color kTextColor = draw::rgb(0, 0, 0);
inline constexpr draw::Color kSelectionColor = 0xD69631;  // 0x00BBGGRR
inline constexpr draw::Color kSelectionTextColor = draw::rgb(255, 255, 255);
inline constexpr draw::Color kSecondaryTextColor = 0x6E6E6E;
inline constexpr draw::Color kFrameColor = draw::rgb(0, 0, 0);
inline constexpr draw::Color kFaceColor = draw::rgb(0xDE, 0xDE, 0xDE);
inline constexpr draw::Color kReadOnlyColor = draw::rgb(0xEE, 0xEE, 0xEE);
inline constexpr draw::Color kPushedColor = draw::rgb(0x9C, 0x9C, 0x9C);
inline constexpr draw::Color kDisabledTextColor = draw::rgb(0xA0, 0xA0, 0xA0);

// The font height the settings ask for (pixels, cell height); 0 returns to the device's
// default (13 pixels, twice that on high-resolution screens).
void setControlFontHeight(int height);
int controlFontHeight();
// The font controls draw with when none was set through WM_SETFONT.
const draw::Font& controlFont();

// A one-pixel frame on the rectangle's edge.
void drawFrame(draw::DeviceContext& dc, const draw::Rect& r, draw::Color c);

}  // namespace platform::controls
