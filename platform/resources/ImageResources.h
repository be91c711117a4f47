#pragma once
// The bitmaps compiled into the program as PNG data, each known by its bitmap resource id and
// by the image name under which the image-name registry finds it.

#include "platform/draw/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform::resources {

struct ImageResource {
    std::uint16_t id;
    std::string_view name;
    const unsigned char* png;
    std::size_t pngSize;

    std::string_view pngBytes() const { return {reinterpret_cast<const char*>(png), pngSize}; }
};

// The image with this bitmap id or name; null when there is none.
const ImageResource* findImageResource(std::uint16_t id);
const ImageResource* findImageResource(std::string_view name);
// Every image, ordered by bitmap id.
std::span<const ImageResource> imageResources();

// The decoded bitmap; an empty bitmap when the id or name is unknown.
platform::draw::Bitmap loadBitmapResource(std::uint16_t id);
platform::draw::Bitmap loadImageResource(std::string_view name);

}  // namespace platform::resources
