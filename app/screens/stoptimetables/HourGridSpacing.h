#pragma once
// How wide the hour grid's columns must be for its texts to read apart: the plain rule (an
// hour column of H, cells of 1.5 H, a note letter in the last 0.55 of the small font height)
// puts the minutes flush against the hour line and a note letter against the next minute, so
// that "10│03" reads as "1003". The columns grow until a gap of a third of a digit stays
// there, whatever the font. Pure arithmetic on measured text widths.
#include "app/screens/stoptimetables/HourGridGeometry.h"

namespace pelorvant {

// Widths in pixels as drawn: the widest digit of the main font and the widest note letter the
// grid shows in the small font (0 when it shows none).
struct GridTextWidths {
    int digit = 0;
    int letter = 0;
};

struct GridSpacing {
    GridColumns columns;
    // The part of a cell at its right edge that holds a note letter; the minute is drawn
    // right-aligned in the rest.
    int letterRoom = 0;
    // The least blank space after the hour line, before the line, and between a cell's last
    // ink and the next cell's minute.
    int gap = 0;
};

GridSpacing gridSpacing(int fontHeight, int smallFontHeight, const GridTextWidths& widths);

}  // namespace pelorvant
