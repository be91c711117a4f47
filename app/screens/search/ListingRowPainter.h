#pragma once
// How one row of a trip listing is drawn on a touch screen: the selected row in the selection
// colour with white text, the rows the connection rides (boarding to alighting stop) with a
// light blue first column and black text, the others on white.
#include "platform/draw/Color.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <array>
#include <string>

namespace pelorvant {

inline constexpr platform::draw::Color kListingSelectedColor = platform::draw::rgb(49, 150, 214);
inline constexpr platform::draw::Color kListingRiddenColor = platform::draw::rgb(177, 214, 254);

// One row as it is painted: the four cells in column order and what marks the row.
struct ListingRowLook {
    std::array<std::u16string, 4> cells;
    std::array<int, 4> widths{};     // column widths in pixels
    std::array<unsigned, 4> align{};  // kTextLeft or kTextCenter per column
    bool selected = false;
    bool ridden = false;  // between the boarding and the alighting stop, inclusive
    int inset = 2;        // pixels each cell keeps free on both sides
};

// The text, or as much of it as fits the width with "…" after it, so that a long stop name on
// a narrow screen reads as shortened rather than cut through a letter.
std::u16string fittedText(const platform::draw::Font& font, const std::u16string& text, int width);

// Paints the row into `row` (its left edge is the first column's) with the context's font.
void drawListingRow(platform::draw::DeviceContext& dc, const platform::draw::Rect& row, const ListingRowLook& look);

}  // namespace pelorvant
