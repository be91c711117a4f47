// Placeholder until the name block compiler is written.
#include "tools/jzwriter/NameTableBuilder.h"

namespace jz {

std::uint32_t NameTableBuilder::intern(std::string_view) { return 0; }
void NameTableBuilder::addPair(std::string first, std::string second) {
    pairs_.emplace_back(std::move(first), std::move(second));
}

}  // namespace jz
