#pragma once
// The menu source: menu resources written as nested blocks, one entry a line:
//
//   menu 130                      a menu resource (a menu bar or a context menu)
//   command 32779 "Zpět"          a command: id from 0 (placeholder) to 65535, text
//   popup 402 "Menu"              a popup, optionally with an id (the soft-key button id)
//       separator                 a dividing line (inside popups only)
//   end                           closes a popup or the menu
//
// A menu holds one or two top-level entries (the two soft keys; a context menu has one popup),
// and a popup holds at least one entry. Blank lines and '#' comments are ignored.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rescomp {

struct MenuNode {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    std::uint32_t id = 0;
    std::u16string text;
    std::vector<MenuNode> children;
};

struct MenuResource {
    std::uint32_t id = 0;
    std::vector<MenuNode> entries;
};

// Raises ResourceError for a malformed line, an unbalanced block or a misplaced entry.
std::vector<MenuResource> parseMenus(std::string_view source);

}  // namespace rescomp
