#pragma once
// The arithmetic of a stop-timetable hour grid: an hour column (H pixels wide by the plain
// rule), then departure cells (1.5 H by the plain rule) in lines of H pixels, as many cells in
// a line as fit; each hour as many lines as its departures need, at least one. Also which cell
// a point hits and where the selection goes with the arrow keys. Pure arithmetic, so the
// widget and its tests share it.
#include "platform/draw/Geometry.h"

#include <array>
#include <cstdint>
#include <optional>

namespace pelorvant {

// A cell of the grid: column 0 is the hour cell of the row, column c ≥ 1 the departure c − 1.
struct GridCell {
    int column = 0;
    int row = 0;  // the hour, 0 to 23
    bool operator==(const GridCell&) const = default;
};

// The widths of the hour column (the hour line lies at its right edge) and of a departure cell.
struct GridColumns {
    int hour = 0;
    int cell = 0;
};

// The plain rule: H and trunc(1.5 H).
GridColumns plainGridColumns(int fontHeight);

class HourGridGeometry {
public:
    // H: the font height; usableWidth: the client width less the scroll bar; counts: the
    // departures of each hour (negative read as none). Columns by the plain rule.
    HourGridGeometry(int fontHeight, int usableWidth, const std::array<int, 24>& counts);
    // Columns as given (each at least 1 pixel).
    HourGridGeometry(int fontHeight, GridColumns columns, int usableWidth,
                     const std::array<int, 24>& counts);

    int lineHeight() const { return h_; }
    // The hour column's width, which is also the x of the hour line.
    int hourWidth() const { return hour_; }
    int cellWidth() const { return cell_; }
    // Cells in one line; at least 1 even when not one fits, so that nothing divides by zero.
    int cellsPerLine() const { return k_; }
    int count(int hour) const { return counts_[static_cast<std::size_t>(hour)]; }
    int lines(int hour) const;
    int rowTop(int hour) const { return tops_[static_cast<std::size_t>(hour)]; }
    int rowHeight(int hour) const { return lines(hour) * h_; }
    int contentHeight() const { return tops_[24]; }

    platform::draw::Rect hourRect(int hour) const;
    platform::draw::Rect departureRect(int hour, int index) const;
    // The cell under a content point; empty when the point hits none.
    std::optional<GridCell> hit(int x, int y) const;

    // The selection after an arrow key (the rules of the grid; unchanged at the ends).
    GridCell right(GridCell c) const;
    GridCell left(GridCell c) const;
    GridCell down(GridCell c) const;
    GridCell up(GridCell c) const;

private:
    int h_;
    int hour_;
    int cell_;
    int k_;
    std::array<int, 24> counts_{};
    std::array<int, 25> tops_{};
};

}  // namespace pelorvant
