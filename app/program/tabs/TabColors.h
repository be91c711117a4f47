#pragma once
// The colours of the tab row and the metric that sizes it.
#include "app/shell/ShellSettings.h"
#include "platform/draw/Color.h"

namespace pelorvant {

inline constexpr platform::draw::Color kTabLightBlue = platform::draw::rgb(177, 213, 254);
inline constexpr platform::draw::Color kTabBlue = platform::draw::rgb(49, 150, 214);
inline constexpr platform::draw::Color kTabDarkGrey = platform::draw::rgb(50, 50, 50);
inline constexpr platform::draw::Color kTabPaleBlue = platform::draw::rgb(150, 186, 227);

// The font height scaled for finger use: half as large again with finger control on.
inline int scaledFontHeight() {
    const ShellSettings& s = shellSettings();
    return s.touchFriendly() ? s.fontHeight() * 3 / 2 : s.fontHeight();
}

// The band between the header row and the pages (and how far an active header reaches into it).
inline int tabPageGap() {
    const int gap = scaledFontHeight() / 6;
    return gap < 4 ? 4 : gap;
}

}  // namespace pelorvant
