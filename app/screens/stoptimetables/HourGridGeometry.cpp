#include "app/screens/stoptimetables/HourGridGeometry.h"

#include <algorithm>

namespace pelorvant {

using platform::draw::Rect;

GridColumns plainGridColumns(int fontHeight) {
    const int h = std::max(1, fontHeight);
    return {h, static_cast<int>(1.5 * h)};
}

HourGridGeometry::HourGridGeometry(int fontHeight, int usableWidth,
                                   const std::array<int, 24>& counts)
    : HourGridGeometry(fontHeight, plainGridColumns(fontHeight), usableWidth, counts) {}

HourGridGeometry::HourGridGeometry(int fontHeight, GridColumns columns, int usableWidth,
                                   const std::array<int, 24>& counts)
    : h_(std::max(1, fontHeight)),
      hour_(std::max(1, columns.hour)),
      cell_(std::max(1, columns.cell)) {
    k_ = std::max(1, (usableWidth - hour_) / cell_);
    for (std::size_t i = 0; i < 24; ++i) counts_[i] = std::max(0, counts[i]);
    tops_[0] = 0;
    for (int hour = 0; hour < 24; ++hour) {
        tops_[static_cast<std::size_t>(hour) + 1] = tops_[static_cast<std::size_t>(hour)] + rowHeight(hour);
    }
}

int HourGridGeometry::lines(int hour) const { return std::max(1, (count(hour) + k_ - 1) / k_); }

Rect HourGridGeometry::hourRect(int hour) const {
    return Rect::fromSize(0, rowTop(hour), hour_, rowHeight(hour));
}

Rect HourGridGeometry::departureRect(int hour, int index) const {
    const int line = index / k_;
    const int column = index % k_;
    return Rect::fromSize(hour_ + column * cell_, rowTop(hour) + line * h_ + 1, cell_, h_);
}

std::optional<GridCell> HourGridGeometry::hit(int x, int y) const {
    if (x < 0 || y < 0 || y >= contentHeight()) return std::nullopt;
    const int hour = static_cast<int>(std::upper_bound(tops_.begin(), tops_.end(), y) - tops_.begin()) - 1;
    if (hour < 0 || hour > 23) return std::nullopt;
    if (x < hour_) return GridCell{0, hour};
    const int column = (x - hour_) / cell_;
    if (column >= k_) return std::nullopt;
    const int index = ((y - rowTop(hour)) / h_) * k_ + column;
    if (index >= count(hour)) return std::nullopt;
    return GridCell{index + 1, hour};
}

GridCell HourGridGeometry::right(GridCell c) const {
    if (c.column < count(c.row)) return {c.column + 1, c.row};
    if (c.row >= 23) return c;
    return {count(c.row + 1) > 0 ? 1 : 0, c.row + 1};
}

GridCell HourGridGeometry::left(GridCell c) const {
    if (c.column > 1) return {c.column - 1, c.row};
    if (c.row == 0) return {0, 0};
    return {count(c.row - 1), c.row - 1};
}

GridCell HourGridGeometry::down(GridCell c) const {
    if (c.column == 0) return c.row < 23 ? GridCell{0, c.row + 1} : c;
    const int index = c.column - 1;
    if (index + k_ < count(c.row)) return {index + k_ + 1, c.row};
    if (c.row >= 23) return c;
    const int next = count(c.row + 1);
    return {next == 0 ? 0 : std::min(index % k_, next - 1) + 1, c.row + 1};
}

GridCell HourGridGeometry::up(GridCell c) const {
    if (c.column == 0) return c.row > 0 ? GridCell{0, c.row - 1} : c;
    const int index = c.column - 1;
    if (index - k_ >= 0) return {index - k_ + 1, c.row};
    if (c.row == 0) return c;
    const int previous = count(c.row - 1);
    if (previous == 0) return {0, c.row - 1};
    const int lastLine = ((previous - 1) / k_) * k_;
    return {std::min(lastLine + index % k_, previous - 1) + 1, c.row - 1};
}

}  // namespace pelorvant
