#pragma once
// The bitmaps of inline images, decoded once per resource id and kept for the program's life.

#include "platform/draw/Bitmap.h"

#include <cstdint>

namespace pelorvant {

// The bitmap of the id; an empty bitmap when none loads. Owned by the cache.
const platform::draw::Bitmap& labelImage(std::uint16_t id);

}  // namespace pelorvant
