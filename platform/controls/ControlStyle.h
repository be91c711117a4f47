#pragma once
// The look the system controls share with the program's own drawn controls: the Verdana
// stand-in at the settings' font height, selections white on blue, secondary text grey.

#include "platform/controls/SystemColors.h"
#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <string_view>

namespace platform::controls {

// The font height the settings ask for (pixels, cell height); 0 returns to the device's
// default (13 pixels, twice that on high-resolution screens).
void setControlFontHeight(int height);
int controlFontHeight();
// The font controls draw with when none was set through WM_SETFONT.
const draw::Font& controlFont();

// A one-pixel frame on the rectangle's edge.
void drawFrame(draw::DeviceContext& dc, const draw::Rect& r, draw::Color c);

}  // namespace platform::controls
