#pragma once
// Where the list, the push button and the caption of a data page go (percent of the page): on a
// touch screen the caption between the list and the button; a keypad device has no button, so
// the list and the caption take its room.
#include "platform/draw/Geometry.h"

namespace pelorvant {

struct DataPageRects {
    platform::draw::Rect list;
    platform::draw::Rect button;  // empty on a keypad device
    platform::draw::Rect caption;
};

// wideButton: the installed-files view's button and its narrower caption.
inline DataPageRects dataPageRects(bool keypad, bool wideButton) {
    if (keypad)
        return {{5, 3, 95, 75}, {}, {2, 77, 98, 98}};
    if (wideButton)
        return {{5, 3, 95, 60}, {20, 85, 80, 95}, {4, 62, 96, 82}};
    return {{5, 3, 95, 60}, {30, 85, 70, 95}, {2, 62, 98, 82}};
}

}  // namespace pelorvant
