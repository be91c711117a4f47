#include "platform/resources/MenuTemplate.h"

#include "platform/resources/ResourceData.h"

#include <algorithm>

namespace platform::resources {

const MenuTemplate* findMenuTemplate(std::uint32_t id) {
    std::span<const MenuTemplate> all = menuTemplates();
    auto it = std::lower_bound(all.begin(), all.end(), id,
                               [](const MenuTemplate& m, std::uint32_t key) { return m.id < key; });
    if (it == all.end() || it->id != id) {
        return nullptr;
    }
    return &*it;
}

std::span<const MenuTemplate> menuTemplates() {
    return {data::kMenus, data::kMenuCount};
}

}  // namespace platform::resources
