#include "app/shell/LabelImages.h"

#include "app/shell/ImageNameRegistry.h"

#include <map>

namespace pelorvant {

const platform::draw::Bitmap& labelImage(std::uint16_t id) {
    static std::map<std::uint16_t, platform::draw::Bitmap> images;
    auto it = images.find(id);
    if (it == images.end()) {
        it = images.emplace(id, loadImageBitmap(id)).first;
    }
    return it->second;
}

}  // namespace pelorvant
