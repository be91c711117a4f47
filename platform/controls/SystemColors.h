#pragma once
// The colours of the interface in one place: the colours controls draw with, and the system
// colours a program asks for by index (getSysColor), which are the same colours.

#include "platform/draw/Color.h"

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
inline constexpr draw::Color kScrollTrackColor = draw::rgb(0xEE, 0xEE, 0xEE);
inline constexpr draw::Color kScrollThumbColor = draw::rgb(0xC0, 0xC0, 0xC0);

// System colour indices, with their customary numbers. The device's form of an index (with
// kSysColorIndexFlag added) is accepted as well.
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int kSysColorIndexFlag = 0x40000000;

// The colour of a system colour index; 0 (black) for an index it does not know.
draw::Color getSysColor(int index);

}  // namespace platform::controls
