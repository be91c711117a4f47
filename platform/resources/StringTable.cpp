#include "platform/resources/StringTable.h"

#include "platform/resources/ResourceData.h"

#include <algorithm>

namespace platform::resources {

std::u16string loadResString(std::uint32_t id) {
    const data::StringEntry* begin = data::kStrings;
    const data::StringEntry* end = data::kStrings + data::kStringCount;
    const data::StringEntry* it = std::lower_bound(
        begin, end, id, [](const data::StringEntry& e, std::uint32_t key) { return e.id < key; });
    if (it == end || it->id != id) {
        return u"???";
    }
    return std::u16string(it->text);
}

}  // namespace platform::resources
