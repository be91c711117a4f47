// The T9 test of a favourites or history entry: the entry's element name against the input.

#include "engine/data/FavouritesHistory.h"
#include "engine/search/t9/T9Match.h"

namespace trasovnik {

bool matchT9(const cOblibeneHistorie& store, std::size_t i, const T9Input& input) {
    return t9MatchesName(input, store.elementName(i));
}

}  // namespace trasovnik
