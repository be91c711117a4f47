#pragma once
// The tables that the resource compiler generates at build time (one generated source file).
// Strings, menus and images are each sorted by id.

#include "platform/resources/ImageResources.h"
#include "platform/resources/MenuTemplate.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::resources::data {

struct StringEntry {
    std::uint32_t id;
    std::u16string_view text;
};

extern const StringEntry kStrings[];
extern const std::size_t kStringCount;
extern const MenuTemplate kMenus[];
extern const std::size_t kMenuCount;
extern const ImageResource kImages[];
extern const std::size_t kImageCount;

}  // namespace platform::resources::data
