#pragma once
// The arithmetic of the tab row: shrinking the widest headers until the row fits, growing
// shortened headers back towards their full titles, and the close image that fits a header.
#include <span>
#include <vector>

namespace pelorvant {

// Takes `excess` pixels off the widest headers: the widest come down to the next width below
// them, level by level, and the last step is shared out evenly (rounded up). A header never
// goes below zero; with nothing left to take, the rest of the excess stays.
void shrinkHeaderWidths(std::span<int> widths, int excess);

// Gives `amount` pixels back, one pixel per header and pass, to headers narrower than their
// natural width; stops when the amount is used up or a pass grew nothing.
void growHeaderWidths(std::span<int> widths, std::span<const int> naturalWidths, int amount);

// The sizes of the registered close images, ascending.
inline constexpr int kCloseImageSizes[] = {11, 13, 15, 17, 19, 21, 23, 25, 27};
// The largest close image not above `size`; 11 below that.
int closeImageSize(int size);

}  // namespace pelorvant
