#pragma once
// Writes the C++ source that holds the compiled resources: the string table, the menu
// templates and the PNG images, as the constant tables declared in
// platform/resources/ResourceData.h.

#include "resources/compiler/MenuSource.h"
#include "resources/compiler/StringTableSource.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace rescomp {

struct ImageInput {
    std::uint16_t id = 0;
    std::string name;
    std::string png;  // the file's bytes
};

// A C++ UTF-16 literal (u"...") that spells `text` exactly.
std::string utf16Literal(const std::u16string& text);

// Raises std::invalid_argument when two menus or two images share an id or a name.
void writeResourceSource(std::ostream& out, const StringTable& strings,
                         const std::vector<MenuResource>& menus,
                         const std::vector<ImageInput>& images);

}  // namespace rescomp
