#include "platform/resources/ImageResources.h"

#include "platform/resources/ResourceData.h"

#include <algorithm>

namespace platform::resources {

std::span<const ImageResource> imageResources() {
    return {data::kImages, data::kImageCount};
}

const ImageResource* findImageResource(std::uint16_t id) {
    std::span<const ImageResource> all = imageResources();
    auto it =
        std::lower_bound(all.begin(), all.end(), id,
                         [](const ImageResource& r, std::uint16_t key) { return r.id < key; });
    if (it == all.end() || it->id != id) {
        return nullptr;
    }
    return &*it;
}

const ImageResource* findImageResource(std::string_view name) {
    std::span<const ImageResource> all = imageResources();
    auto it = std::find_if(all.begin(), all.end(),
                           [name](const ImageResource& r) { return r.name == name; });
    return it == all.end() ? nullptr : &*it;
}

namespace {

platform::draw::Bitmap decode(const ImageResource* image) {
    if (image == nullptr) {
        return platform::draw::Bitmap();
    }
    return platform::draw::Bitmap::loadPngBytes(image->pngBytes());
}

}  // namespace

platform::draw::Bitmap loadBitmapResource(std::uint16_t id) {
    return decode(findImageResource(id));
}

platform::draw::Bitmap loadImageResource(std::string_view name) {
    return decode(findImageResource(name));
}

}  // namespace platform::resources
