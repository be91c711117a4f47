#pragma once
// Menu templates compiled into the program: the menu bars of the views (a left soft key and a
// right soft key, each a command or a popup) and the context menus (one popup). The shell
// builds its menu bars and popup menus from these.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform::resources {

enum class MenuItemKind : std::uint8_t {
    Command,    // sends WM_COMMAND with `id`; id 0 is an inert placeholder the views replace
    Separator,  // a dividing line inside a popup
    Popup,      // opens `items`; a popup soft key carries the button id (402 for "Menu")
};

struct MenuItemTemplate {
    MenuItemKind kind;
    std::uint32_t id;
    std::u16string_view text;
    const MenuItemTemplate* children;
    std::size_t childCount;

    std::span<const MenuItemTemplate> items() const { return {children, childCount}; }
};

// One menu resource: the soft keys of a menu bar in order (left first), or the single popup
// of a context menu.
struct MenuTemplate {
    std::uint32_t id;
    const MenuItemTemplate* entries;
    std::size_t entryCount;

    std::span<const MenuItemTemplate> topLevel() const { return {entries, entryCount}; }
};

// The menu resource with this id in the running menus; null when they have none.
const MenuTemplate* findMenuTemplate(std::uint32_t id);
// Every running menu resource, ordered by id.
std::span<const MenuTemplate> menuTemplates();
// The program's own menus (the Czech ones), whichever are running.
std::span<const MenuTemplate> builtInMenuTemplates();

// Makes the given menus (sorted by id) the running ones, in place of the built-in ones; null
// goes back to the built-in ones. They must stay valid as long as they are in use (a language
// library stays loaded for the life of the process). Not for use while another thread builds
// menus.
void useMenuTemplates(const MenuTemplate* menus, std::size_t count);

}  // namespace platform::resources
