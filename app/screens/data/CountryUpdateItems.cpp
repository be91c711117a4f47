#include "app/screens/data/CountryUpdateItems.h"

#include "app/core/CountryTables.h"
#include "platform/resources/StringTable.h"

namespace pelorvant {
namespace {

using platform::resources::loadResString;

constexpr std::uint32_t kTextUpdateAll = 180;
constexpr std::uint32_t kTextUpdateLoaded = 303;
constexpr std::uint32_t kTextDetailed = 150;
constexpr std::int16_t kCountryIds[] = {1000, 2000};

// One country's group, after a separator when the list already holds a group.
void appendCountryGroup(std::vector<CountryMenuItem>& items, std::int32_t country, bool updateAll,
                        bool updateLoaded) {
    if (!items.empty())
        items.push_back({true, 0, u""});
    const std::u16string name(countryName(country));
    const auto base = static_cast<std::uint32_t>(kCountryIds[country]) * 3 + kCountryCommandFirst;
    if (updateAll)
        items.push_back({false, base, loadResString(kTextUpdateAll) + u" " + name});
    if (updateLoaded)
        items.push_back({false, base + 1, loadResString(kTextUpdateLoaded) + u" " + name});
    items.push_back({false, base + 2, loadResString(kTextDetailed) + u" " + name + u"..."});
}

}  // namespace

std::vector<CountryMenuItem> countryUpdateItems(std::int32_t language,
                                                const std::function<bool(std::int16_t)>& listed) {
    std::vector<CountryMenuItem> items;
    for (std::int32_t country = 0; country < 2; ++country) {
        const std::int16_t id = kCountryIds[country];
        const bool any = listed(id);
        if (!any && country != (language == 1 ? 1 : 0))
            continue;
        appendCountryGroup(items, country, any, false);
    }
    return items;
}

std::vector<CountryMenuItem> searchFormUpdateItems(
    const std::function<bool(std::int16_t)>& anyListed,
    const std::function<bool(std::int16_t)>& setListed) {
    std::vector<CountryMenuItem> items;
    for (std::int32_t country = 0; country < 2; ++country) {
        const std::int16_t id = kCountryIds[country];
        appendCountryGroup(items, country, anyListed(id), setListed(id));
    }
    return items;
}

void fillCountryUpdatePopup(platform::shell::Menu& popup, const std::vector<CountryMenuItem>& items) {
    namespace shell = platform::shell;
    std::uint32_t at = 0;
    for (const CountryMenuItem& item : items) {
        popup.insert(
            at++, shell::MF_BYPOSITION | (item.separator ? shell::MF_SEPARATOR : shell::MF_STRING),
            item.separator ? 0 : item.id, item.separator ? u"" : item.text);
    }
    popup.remove(at, shell::MF_BYPOSITION);
    if (items.empty())
        popup.remove(0, shell::MF_BYPOSITION);
}

CountryCommand updateCodeCommand(std::int32_t code) {
    // Codes come from menu ids at or above 1000; anything below reads as code 0.
    const std::int32_t valid = code < 0 ? 0 : code;
    const std::int32_t identifier = valid / 3;
    CountryCommand command;
    command.language = indexInCodeTable(identifier == 0 ? 1000 : identifier);
    command.kind = static_cast<CountryUpdateKind>(valid % 3);
    return command;
}

std::int32_t detailedUpdateCode(std::int32_t language) {
    const std::int32_t country = language == 1 ? 1 : 0;
    return kCountryIds[country] * 3 + static_cast<std::int32_t>(CountryUpdateKind::Detailed);
}

bool isUpdateEntryId(std::uint32_t id) {
    if (id < kCountryCommandFirst || id > kCountryCommandLast)
        return false;
    const std::uint32_t identifier = (id - kCountryCommandFirst) / 3;
    for (const std::int16_t country : kCountryIds) {
        if (identifier == static_cast<std::uint32_t>(country))
            return true;
    }
    return false;
}

CountryCommand countryCommand(std::uint32_t id) {
    return updateCodeCommand(static_cast<std::int32_t>(id) -
                             static_cast<std::int32_t>(kCountryCommandFirst));
}

}  // namespace pelorvant
