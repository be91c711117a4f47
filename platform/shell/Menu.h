#pragma once
// Menus as the shell shows them: items that are commands, separators or popups (a menu of
// their own), each with a text and the checked and grayed flags. Items are found by position
// (MF_BYPOSITION) or by command id (MF_BYCOMMAND, searched through the popups too). A menu is
// shared: the menu bar and the code that changes it at run time hold the same one.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::shell {

inline constexpr unsigned MF_BYCOMMAND = 0x0000;
inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_GRAYED = 0x0001;
inline constexpr unsigned MF_CHECKED = 0x0008;
inline constexpr unsigned MF_POPUP = 0x0010;
inline constexpr unsigned MF_BYPOSITION = 0x0400;
inline constexpr unsigned MF_SEPARATOR = 0x0800;
inline constexpr unsigned MF_ENABLED = 0x0000;
inline constexpr unsigned MF_UNCHECKED = 0x0000;

class Menu;
using MenuPtr = std::shared_ptr<Menu>;

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    std::uint32_t id = 0;  // the command; for a popup the soft-key button id (402 "Menu")
    std::u16string text;
    bool checked = false;
    bool grayed = false;
    MenuPtr popup;  // for Kind::Popup
};

class Menu {
public:
    static MenuPtr create() { return std::make_shared<Menu>(); }

    int count() const { return static_cast<int>(items_.size()); }
    const MenuItem* item(int position) const;
    // The command id at a position; -1 for a popup, 0 for a separator or a bad position.
    long itemId(int position) const;
    // The popup at a position; null when that item is not a popup.
    MenuPtr subMenu(int position) const;

    // Inserts before the item at `where` (by position, or before the item with that command);
    // a position at or past the end, or -1, appends. False when a command is not found.
    bool insert(std::uint32_t where, unsigned flags, std::uint32_t id, std::u16string_view text,
                MenuPtr popup = {});
    bool append(unsigned flags, std::uint32_t id, std::u16string_view text, MenuPtr popup = {});
    // Removes an item (a popup goes with its items).
    bool remove(std::uint32_t which, unsigned flags);
    // Returns the previous state (MF_CHECKED or 0, MF_GRAYED or 0), or -1 when not found.
    long check(std::uint32_t which, unsigned flags);
    long enable(std::uint32_t which, unsigned flags);
    bool setText(std::uint32_t which, unsigned flags, std::u16string_view text);

    // The menu and position of an item, found by position here or by command anywhere below.
    struct Place {
        Menu* menu = nullptr;
        int position = -1;
    };
    Place find(std::uint32_t which, unsigned flags);

    // Whether a person can choose the command here: an item with that id that is not grayed,
    // in this menu or in a popup below that is not grayed itself.
    bool offers(std::uint32_t command) const;

private:
    std::vector<MenuItem> items_;
};

}  // namespace platform::shell
