#include "platform/controls/SystemColors.h"

namespace platform::controls {

draw::Color getSysColor(int index) {
    switch (index & ~kSysColorIndexFlag) {
        case COLOR_WINDOW:
            return kWindowColor;
        case COLOR_WINDOWTEXT:
        case COLOR_BTNTEXT:
            return kTextColor;
        case COLOR_WINDOWFRAME:
            return kFrameColor;
        case COLOR_HIGHLIGHT:
            return kSelectionColor;
        case COLOR_HIGHLIGHTTEXT:
            return kSelectionTextColor;
        case COLOR_BTNFACE:
            return kFaceColor;
        case COLOR_GRAYTEXT:
            return kDisabledTextColor;
        default:
            return 0;
    }
}

}  // namespace platform::controls
