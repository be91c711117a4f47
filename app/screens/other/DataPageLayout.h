#pragma once
// Where the list and the caption of a data page go: the caption below the list, lower on a
// keypad device, which has no button row between them.
#include "app/shell/LayoutAnchor.h"

namespace pelorvant {

struct DataPageAnchors {
    LayoutAnchor list;
    LayoutAnchor caption;
};

inline DataPageAnchors dataPageAnchors(bool keypad) {
    if (keypad) return {LayoutAnchor({5, 3, 95, 75}), LayoutAnchor({2, 77, 98, 98})};
    return {LayoutAnchor({5, 3, 95, 60}), LayoutAnchor({2, 62, 98, 98})};
}

}  // namespace pelorvant
