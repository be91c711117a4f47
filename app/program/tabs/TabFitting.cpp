#include "app/program/tabs/TabFitting.h"

#include <algorithm>

namespace pelorvant {

void shrinkHeaderWidths(std::span<int> widths, int excess) {
    while (excess > 0 && !widths.empty()) {
        const int widest = *std::max_element(widths.begin(), widths.end());
        if (widest <= 0) return;
        // The next level down: the largest width below the widest (0 when all are equal).
        int below = 0;
        int count = 0;
        for (int w : widths) {
            if (w == widest) {
                ++count;
            } else {
                below = std::max(below, w);
            }
        }
        int step = widest - below;
        const bool last = count * step >= excess;
        if (last) step = (excess + count - 1) / count;
        for (int& w : widths) {
            if (w == widest) {
                w -= step;
                excess -= step;
            }
        }
        if (last) return;
    }
}

void growHeaderWidths(std::span<int> widths, std::span<const int> naturalWidths, int amount) {
    const std::size_t n = std::min(widths.size(), naturalWidths.size());
    while (amount > 0) {
        bool grew = false;
        for (std::size_t i = 0; i < n && amount > 0; ++i) {
            if (widths[i] < naturalWidths[i]) {
                ++widths[i];
                --amount;
                grew = true;
            }
        }
        if (!grew) return;
    }
}

int closeImageSize(int size) {
    int chosen = kCloseImageSizes[0];
    for (int s : kCloseImageSizes) {
        if (s <= size) chosen = s;
    }
    return chosen;
}

}  // namespace pelorvant
