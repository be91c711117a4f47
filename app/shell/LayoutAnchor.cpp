#include "app/shell/LayoutAnchor.h"

#include "app/shell/ShellSettings.h"

namespace pelorvant {

namespace {

bool isZero(const Rect& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

bool turned(int orientation) {
    return orientation == kOrientationLandscape || orientation == kOrientationSquare;
}

}  // namespace

Rect LayoutAnchor::place(int x0, int y0, int x1, int y1) {
    return place(x0, y0, x1, y1, shellSettings().orientation());
}

Rect LayoutAnchor::place(int x0, int y0, int x1, int y1, int orientation) {
    const Rect& design = turned(orientation) && !isZero(landscape) ? landscape : portrait;
    const double sx = (x1 - x0) * 0.01;
    const double sy = (y1 - y0) * 0.01;
    computed = Rect{static_cast<int>(design.left * sx), static_cast<int>(design.top * sy),
                    static_cast<int>(design.right * sx), static_cast<int>(design.bottom * sy)};
    applyMode(orientation);
    return computed;
}

void LayoutAnchor::applyMode(int orientation) {
    if (fixedHeight > 0) {
        computed.bottom = computed.top + fixedHeight;
    }
    const bool useLandscape = turned(orientation);
    const int mode = useLandscape ? landscapeMode.mode : portraitMode.mode;
    const LayoutAnchor* reference = useLandscape ? landscapeReference : portraitReference;
    if (mode == kAnchorNone || !reference) {
        return;
    }
    const Rect& r = reference->computed;
    const int h = computed.bottom - computed.top;
    const int w = computed.right - computed.left;
    const int g = portraitMode.gap;
    const int middle = r.top + (r.bottom - r.top - h) / 2;
    switch (mode) {
        case kAnchorLeftOf:
            computed.top = r.top;
            computed.right = r.left - g;
            computed.left = computed.right - w;
            break;
        case kAnchorRightOfCentred:
            computed.top = middle;
            computed.left = r.right + g;
            computed.right = computed.left + w;
            break;
        case kAnchorCentred:
            computed.top = middle;
            break;
        case kAnchorBelowIndented:
            computed.top = r.bottom + g;
            computed.left = r.left + 4 * g;
            computed.right = computed.left + w;
            break;
        case kAnchorBelow:
            computed.top = r.bottom + g;
            break;
        case kAnchorSameTop:
            computed.top = r.top;
            break;
        default:
            return;
    }
    computed.bottom = computed.top + h;
}

}  // namespace pelorvant
