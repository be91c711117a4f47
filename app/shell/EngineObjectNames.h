#pragma once
// The object text box's names from the engine: the T9 exports on a set, element and kind
// names, and the favourites through the timetable data (which shows its own refusals).

#include "app/core/EngineTexts.h"
#include "app/core/TimetableData.h"
#include "app/shell/ObjectNames.h"

#include <functional>

namespace pelorvant {

class EngineObjectNames : public ObjectNames {
public:
    // api and data must outlive the object; set is the engine set the box works on;
    // `filter` gives the category filter in force (none: -1).
    EngineObjectNames(const EngineApi& api, const TimetableData& data, std::int32_t set,
                      std::function<std::int32_t()> filter = {});

    void setSet(std::int32_t set) { set_ = set; }

    std::int32_t searchText(std::int32_t timetable, std::string_view folded, std::int32_t category,
                            TrasaPlace* slots, SuggestionCounts& counts) override;
    std::int32_t searchKey(std::int32_t timetable, std::int32_t key, std::int32_t letter,
                           bool isLetter, T9State& state, std::int32_t category, TrasaPlace* slots,
                           SuggestionCounts& counts) override;
    std::u16string elementName(const TrasaTriple& triple) override;
    std::u16string kindName(const TrasaTriple& triple) override;
    std::int32_t favouriteGet(TrasaPlace* places) override;
    std::int32_t favouriteAdd(const TrasaPlace& place) override;
    std::int32_t favouriteDelete(const TrasaPlace& place) override;
    std::int32_t categoryFilter() override;

private:
    const EngineApi& api_;
    const TimetableData& data_;
    EngineTexts texts_;
    std::int32_t set_;
    std::function<std::int32_t()> filter_;
};

}  // namespace pelorvant
