#pragma once
// The string-table source: one entry a line, `id "text"`, ids from 1 to 65535, each once.
// Blank lines and lines starting with '#' are ignored.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace rescomp {

using StringTable = std::map<std::uint32_t, std::u16string>;

// Raises ResourceError for a malformed line or a repeated id.
StringTable parseStringTable(std::string_view source);

}  // namespace rescomp
