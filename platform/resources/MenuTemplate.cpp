#include "platform/resources/MenuTemplate.h"

#include "platform/resources/ResourceData.h"

#include <algorithm>

namespace platform::resources {
namespace {

std::span<const MenuTemplate>& runningMenus() {
    static std::span<const MenuTemplate> menus = builtInMenuTemplates();
    return menus;
}

}  // namespace

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
    return runningMenus();
}

std::span<const MenuTemplate> builtInMenuTemplates() {
    return {data::kMenus, data::kMenuCount};
}

void useMenuTemplates(const MenuTemplate* menus, std::size_t count) {
    runningMenus() = menus != nullptr ? std::span<const MenuTemplate>(menus, count) : builtInMenuTemplates();
}

}  // namespace platform::resources
