#pragma once
// Memory for the pixels of large bitmaps (window surfaces, the composed screen). It comes from
// big chunks that the kernel is asked to back with huge pages: touching fresh memory then costs
// one page fault per 2 MB instead of one per 4 KB, which on a virtual machine costs more than
// all the drawing into a new window surface. Freed blocks are reused (first fit, neighbours
// joined again); the chunks stay for the life of the process. Any thread may allocate and free.
#include <cstddef>

namespace platform::draw {

// Blocks from this size on come from the chunks; smaller ones from the ordinary heap.
inline constexpr std::size_t kLargePixelBlock = 256 * 1024;

// At least `bytes` of memory aligned for pixels, its contents undefined; null when none can
// be had. Free it with freePixels.
void* allocatePixels(std::size_t bytes);
void freePixels(void* block);

}  // namespace platform::draw
