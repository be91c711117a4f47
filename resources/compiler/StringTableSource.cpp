#include "resources/compiler/StringTableSource.h"

#include "resources/compiler/SourceLine.h"

namespace rescomp {

StringTable parseStringTable(std::string_view source) {
    StringTable table;
    forEachLine(source, [&table](SourceLine line) {
        if (line.atEnd()) {
            return;
        }
        std::uint32_t id = line.number(0xFFFF);
        if (id == 0) {
            line.fail("string id 0 is not allowed");
        }
        std::u16string text = line.text();
        line.expectEnd();
        if (!table.emplace(id, std::move(text)).second) {
            line.fail("string id " + std::to_string(id) + " appears twice");
        }
    });
    return table;
}

}  // namespace rescomp
