#pragma once
// What the search exports share: the set named by the last request export (the one
// api_HledejCestu searches) and the engine's single connection searcher.

#include <cstdint>

namespace trasovnik {
class cHledani;
}

namespace trasovnik::api {

// -1 before any request export.
std::int32_t currentSet();
void setCurrentSet(std::int32_t setIndex);

}  // namespace trasovnik::api
