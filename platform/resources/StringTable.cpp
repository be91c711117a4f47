#include "platform/resources/StringTable.h"

#include <algorithm>

namespace platform::resources {
namespace {

struct ActiveTable {
    const data::StringEntry* entries = nullptr;  // null: the built-in table
    std::size_t count = 0;
};

ActiveTable& activeTable() {
    static ActiveTable table;
    return table;
}

}  // namespace

std::u16string loadResString(std::uint32_t id) {
    const ActiveTable& active = activeTable();
    const data::StringEntry* begin = active.entries != nullptr ? active.entries : data::kStrings;
    const data::StringEntry* end = begin + (active.entries != nullptr ? active.count : data::kStringCount);
    const data::StringEntry* it = std::lower_bound(
        begin, end, id, [](const data::StringEntry& e, std::uint32_t key) { return e.id < key; });
    if (it == end || it->id != id) {
        return u"???";
    }
    return std::u16string(it->text);
}

void useStringTable(const data::StringEntry* entries, std::size_t count) {
    ActiveTable& active = activeTable();
    active.entries = entries;
    active.count = entries != nullptr ? count : 0;
}

}  // namespace platform::resources
