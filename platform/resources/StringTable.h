#pragma once
// The program's string table. Texts are kept as UTF-16, the program's string type, exactly as
// the table's source writes them (CR, LF and tab characters included).

#include <cstdint>
#include <string>

namespace platform::resources {

// The text of a string-table id; "???" when the table has no such id.
std::u16string loadResString(std::uint32_t id);

}  // namespace platform::resources
