#pragma once
// Places a control from a design rectangle given in percent of its parent's area, one for
// portrait and optionally one for landscape and square screens, and then optionally snaps it
// next to another control (the reference) by one of six modes. Every custom control carries
// one, and views keep one per child.

#include "platform/draw/Geometry.h"

namespace pelorvant {

using platform::draw::Rect;

// How an anchor is moved next to its reference after the percent placement.
enum AnchorMode : int {
    kAnchorNone = 0,
    kAnchorLeftOf = 1,         // left of the reference, same top
    kAnchorRightOfCentred = 2, // right of the reference, vertically centred on it
    kAnchorCentred = 3,        // vertically centred on the reference, x unchanged
    kAnchorBelowIndented = 4,  // below the reference, indented by four gaps
    kAnchorBelow = 5,          // below the reference, x unchanged
    kAnchorSameTop = 6,        // same top as the reference, x unchanged
};

struct AnchorModeRecord {
    int mode = kAnchorNone;
    int gap = 0;  // pixels
};

class LayoutAnchor {
public:
    LayoutAnchor() = default;
    // Percent rectangles (left and right of the width, top and bottom of the height).
    LayoutAnchor(Rect portrait, Rect landscape = {}) : portrait(portrait), landscape(landscape) {}

    // Places the anchor in a parent area and returns the computed rectangle, relative to the
    // parent's client area; the orientation is the settings' (or the given one).
    Rect place(int x0, int y0, int x1, int y1);
    Rect place(int x0, int y0, int x1, int y1, int orientation);
    // Moves the computed rectangle by the mode of the orientation (called by place).
    void applyMode(int orientation);

    Rect portrait;   // percent
    Rect landscape;  // percent; all zero: the portrait rectangle serves every orientation
    Rect computed;   // pixels, the last placement
    AnchorModeRecord portraitMode;
    // Placed before this anchor; not owned.
    const LayoutAnchor* portraitReference = nullptr;
    // Only its mode is used; the gap is always the portrait record's.
    AnchorModeRecord landscapeMode;
    const LayoutAnchor* landscapeReference = nullptr;
    int fixedHeight = 0;  // pixels; 0 or less: none
    bool canTakeFocus = false;
    int focusOrder = -1;
};

}  // namespace pelorvant
