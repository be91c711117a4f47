#include "app/core/ResText.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

std::u16string resStringWith(std::uint32_t id, std::u16string_view value) {
    std::u16string text = platform::resources::loadResString(id);
    if (const auto at = text.find(u"%s"); at != std::u16string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace pelorvant
