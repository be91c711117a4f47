#include "app/shell/EngineObjectNames.h"

namespace pelorvant {

EngineObjectNames::EngineObjectNames(const EngineApi& api, const TimetableData& data,
                                     std::int32_t set, std::function<std::int32_t()> filter)
    : api_(api), data_(data), texts_(api), set_(set), filter_(std::move(filter)) {}

std::int32_t EngineObjectNames::searchText(std::int32_t timetable, std::string_view folded,
                                           std::int32_t category, TrasaPlace* slots,
                                           SuggestionCounts& counts) {
    return api_.api_T9ZmenTextQwerty(set_, timetable, folded.data(),
                                     static_cast<std::int32_t>(folded.size()), category, slots,
                                     &counts.total, &counts.history, &counts.favourites);
}

std::int32_t EngineObjectNames::searchKey(std::int32_t timetable, std::int32_t key,
                                          std::int32_t letter, bool isLetter, T9State& state,
                                          std::int32_t category, TrasaPlace* slots,
                                          SuggestionCounts& counts) {
    return api_.api_T9ZmenText(set_, timetable, key, letter, isLetter ? 1 : 0, &state.code,
                               state.digits, state.text, &state.typedLength, category, slots,
                               &counts.total, &counts.history, &counts.favourites);
}

std::u16string EngineObjectNames::elementName(const TrasaTriple& t) {
    return texts_.getNazevElementuKategorie(set_, t.timetable, t.kind, t.element);
}

std::u16string EngineObjectNames::kindName(const TrasaTriple& t) {
    return texts_.getDruhKategorie(set_, t.timetable, t.kind);
}

std::int32_t EngineObjectNames::favouriteGet(TrasaPlace* places) {
    std::int32_t count = 0;
    data_.FavouriteGet(set_, places, count);
    return count;
}

std::int32_t EngineObjectNames::favouriteAdd(const TrasaPlace& place) {
    return data_.FavouriteAdd(set_, place);
}

std::int32_t EngineObjectNames::favouriteDelete(const TrasaPlace& place) {
    return data_.FavouriteDelete(set_, place);
}

std::int32_t EngineObjectNames::categoryFilter() {
    return filter_ ? filter_() : -1;
}

}  // namespace pelorvant
