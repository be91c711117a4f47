// Percent placement in both orientations and the six snapping modes, against the arithmetic
// the layout of every view relies on.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/ShellSettings.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

TEST(LayoutAnchor, PlacesPercentRectanglesByOrientation) {
    struct Case {
        Rect portrait;
        Rect landscape;
        int orientation;
        int width;
        int height;
        int fixedHeight;
        Rect expected;
    };
    const Case cases[] = {
        {{10, 20, 90, 30}, {}, kOrientationPortrait, 240, 320, 0, {24, 64, 216, 96}},
        {{10, 20, 90, 30}, {}, kOrientationPortrait, 240, 320, 20, {24, 64, 216, 84}},
        // No landscape rectangle: the portrait one serves.
        {{10, 20, 90, 30}, {}, kOrientationLandscape, 320, 240, 0, {32, 48, 288, 72}},
        {{10, 20, 90, 30}, {0, 0, 50, 50}, kOrientationLandscape, 320, 240, 0, {0, 0, 160, 120}},
        {{10, 20, 90, 30}, {0, 0, 50, 50}, kOrientationSquare, 240, 240, 0, {0, 0, 120, 120}},
        {{10, 20, 90, 30}, {0, 0, 50, 50}, kOrientationPortrait, 480, 640, 0, {48, 128, 432, 192}},
        // Fractions are truncated.
        {{33, 33, 67, 67}, {}, kOrientationPortrait, 100, 50, 0, {33, 16, 67, 33}},
    };
    for (const Case& c : cases) {
        LayoutAnchor a(c.portrait, c.landscape);
        a.fixedHeight = c.fixedHeight;
        // The parent's origin is not added: the result is relative to its client area.
        EXPECT_EQ(a.place(7, 9, 7 + c.width, 9 + c.height, c.orientation), c.expected)
            << c.width << "x" << c.height << " orientation " << c.orientation;
        EXPECT_EQ(a.computed, c.expected);
    }
}

TEST(LayoutAnchor, SnapsNextToItsReference) {
    struct Case {
        int mode;
        Rect expected;
    };
    // Reference (10, 10, 50, 40); own size 30 × 10 placed at (100, 100); gap 4.
    const Case cases[] = {
        {kAnchorNone, {100, 100, 130, 110}},
        {kAnchorLeftOf, {-24, 10, 6, 20}},
        {kAnchorRightOfCentred, {54, 20, 84, 30}},
        {kAnchorCentred, {100, 20, 130, 30}},
        {kAnchorBelowIndented, {26, 44, 56, 54}},
        {kAnchorBelow, {100, 44, 130, 54}},
        {kAnchorSameTop, {100, 10, 130, 20}},
        {7, {100, 100, 130, 110}},
    };
    LayoutAnchor reference({10, 10, 50, 40});
    reference.place(0, 0, 100, 100, kOrientationPortrait);
    for (const Case& c : cases) {
        LayoutAnchor a({100, 100, 130, 110});
        a.portraitMode = {c.mode, 4};
        a.portraitReference = &reference;
        EXPECT_EQ(a.place(0, 0, 100, 100, kOrientationPortrait), c.expected) << "mode " << c.mode;
    }
}

TEST(LayoutAnchor, LandscapeTakesItsOwnModeButThePortraitGap) {
    LayoutAnchor reference({10, 10, 50, 40});
    reference.place(0, 0, 100, 100, kOrientationLandscape);
    LayoutAnchor a({100, 100, 130, 110});
    a.portraitMode = {kAnchorBelow, 4};
    a.portraitReference = &reference;
    a.landscapeMode = {kAnchorRightOfCentred, 99};
    // Without a landscape reference the landscape placement keeps its percent rectangle.
    EXPECT_EQ(a.place(0, 0, 100, 100, kOrientationLandscape), (Rect{100, 100, 130, 110}));
    a.landscapeReference = &reference;
    EXPECT_EQ(a.place(0, 0, 100, 100, kOrientationLandscape), (Rect{54, 20, 84, 30}));
    EXPECT_EQ(a.place(0, 0, 100, 100, kOrientationPortrait), (Rect{100, 44, 130, 54}));
}

TEST(LayoutAnchor, FixedHeightHoldsThroughSnapping) {
    LayoutAnchor reference({10, 10, 50, 40});
    reference.place(0, 0, 100, 100, kOrientationPortrait);
    LayoutAnchor a({0, 0, 30, 50});
    a.fixedHeight = 10;
    a.portraitMode = {kAnchorBelow, 2};
    a.portraitReference = &reference;
    EXPECT_EQ(a.place(0, 0, 100, 100, kOrientationPortrait), (Rect{0, 42, 30, 52}));
}

}  // namespace
}  // namespace pelorvant
