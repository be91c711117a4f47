#pragma once
// The program's string table. Texts are kept as UTF-16, the program's string type, exactly as
// the table's source writes them (CR, LF and tab characters included).

#include "platform/resources/ResourceData.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::resources {

// The text of a string-table id; "???" when the table has no such id.
std::u16string loadResString(std::uint32_t id);

// Makes the given table (sorted by id) the running string table, in place of the built-in one;
// a null table goes back to the built-in one. The entries must stay valid as long as they are
// in use (a language library stays loaded for the life of the process). Not for use while
// another thread reads texts.
void useStringTable(const data::StringEntry* entries, std::size_t count);

}  // namespace platform::resources
