#pragma once
// The per-country items of the popups "Aktualizace dat" of the installed-files view and of the
// search form, and the update codes their commands carry. The installed-files view: for each
// country of the per-country tables ("ČR" 1000, "SK" 2000) whose data the program has,
// "Aktualizovat vše <country>" (id 3 × identifier + 1000; only when an installed timetable
// lists the country) and "Detailní aktualizace <country>..." (id 3 × identifier + 1002), a
// separator between the countries. A command id gives back its country and kind.
#include "platform/shell/Menu.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uint32_t kCountryCommandFirst = 1000;
inline constexpr std::uint32_t kCountryCommandLast = 96000;
inline constexpr std::uint32_t kCountryPlaceholder = 32814;

struct CountryMenuItem {
    bool separator = false;
    std::uint32_t id = 0;
    std::u16string text;
};

// listed(identifier): some installed timetable lists the country. A country counts as one the
// program has data of when it is listed or it is the country of the language setting (so that
// new data of one's own country can be fetched with nothing installed).
std::vector<CountryMenuItem> countryUpdateItems(std::int32_t language,
                                                const std::function<bool(std::int16_t)>& listed);

// The search form's groups: for both countries, in order, "Aktualizovat vše <country>" (id
// 3 × identifier + 1000; when anyListed: an installed timetable lists the country),
// "Aktualizovat načtené <country>" (3 × identifier + 1001; when setListed: a timetable of the
// tab's set lists it) and always "Detailní aktualizace <country>..." (3 × identifier + 1002),
// a separator before every group but the first.
std::vector<CountryMenuItem> searchFormUpdateItems(
    const std::function<bool(std::int16_t)>& anyListed,
    const std::function<bool(std::int16_t)>& setListed);
// Puts the items in place of the placeholder "Všechny" at the top of a popup "Aktualizace dat"
// (found by position: the search form's placeholder shares its id with the category popup's
// first entry); with no items the separator that follows the placeholder goes too.
void fillCountryUpdatePopup(platform::shell::Menu& popup, const std::vector<CountryMenuItem>& items);

enum class CountryUpdateKind { UpdateAll = 0, UpdateLoaded = 1, Detailed = 2 };
struct CountryCommand {
    std::int32_t language = 0;  // the index of the per-country tables
    CountryUpdateKind kind = CountryUpdateKind::UpdateAll;
};
// The update code of a request: country identifier code ÷ 3 (0 counts as 1000, so code 0 is
// the first country's update of all), kind code mod 3.
CountryCommand updateCodeCommand(std::int32_t code);
// The update code of a country's detailed update (language: the index of the per-country
// tables): what its menu entry "Detailní aktualizace <country>..." starts.
std::int32_t detailedUpdateCode(std::int32_t language);
// A command of a country's update entry (ids 3 × identifier + 1000 to + 1002 of the table's
// identifiers); other commands of the range 1000 to 96000 belong to the menus and controls.
bool isUpdateEntryId(std::uint32_t id);
// A menu id: the update code id − 1000.
CountryCommand countryCommand(std::uint32_t id);

}  // namespace pelorvant
