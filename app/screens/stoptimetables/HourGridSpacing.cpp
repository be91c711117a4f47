#include "app/screens/stoptimetables/HourGridSpacing.h"

#include <algorithm>

namespace pelorvant {

GridSpacing gridSpacing(int fontHeight, int smallFontHeight, const GridTextWidths& widths) {
    const GridColumns plain = plainGridColumns(fontHeight);
    const int digit = std::max(0, widths.digit);
    const int twoDigits = 2 * digit;
    GridSpacing s;
    s.gap = std::max(1, (digit + 2) / 3);
    // A pixel between a minute and its own letter.
    s.letterRoom =
        std::max(static_cast<int>(0.55 * smallFontHeight), std::max(0, widths.letter) + 1);
    // The hour is drawn right-aligned a gap before the line.
    s.columns.hour = std::max(plain.hour, twoDigits + 2 * s.gap);
    // The line's own pixel and a gap before the minute; the letter reaches the cell's edge, and
    // the next cell's minute again starts a line's width and a gap further on.
    s.columns.cell = std::max(plain.cell, 1 + s.gap + twoDigits + s.letterRoom);
    return s;
}

}  // namespace pelorvant
