#include "app/screens/other/CountryUpdateItems.h"

#include "app/core/CountryTables.h"
#include "platform/resources/StringTable.h"

namespace pelorvant {
namespace {

using platform::resources::loadResString;

constexpr std::uint32_t kTextUpdateAll = 180;
constexpr std::uint32_t kTextDetailed = 150;
constexpr std::int16_t kCountryIds[] = {1000, 2000};

}  // namespace

std::vector<CountryMenuItem> countryUpdateItems(std::int32_t language,
                                                const std::function<bool(std::int16_t)>& listed) {
    std::vector<CountryMenuItem> items;
    for (std::int32_t country = 0; country < 2; ++country) {
        const std::int16_t id = kCountryIds[country];
        const bool any = listed(id);
        if (!any && country != (language == 1 ? 1 : 0))
            continue;
        if (!items.empty())
            items.push_back({true, 0, u""});
        const std::u16string name(countryName(country));
        const auto base = static_cast<std::uint32_t>(id) * 3 + kCountryCommandFirst;
        if (any)
            items.push_back({false, base, loadResString(kTextUpdateAll) + u" " + name});
        items.push_back({false, base + 2, loadResString(kTextDetailed) + u" " + name + u"..."});
    }
    return items;
}

void fillCountryUpdatePopup(platform::shell::Menu& popup,
                            const std::vector<CountryMenuItem>& items) {
    namespace shell = platform::shell;
    for (const CountryMenuItem& item : items) {
        if (item.separator) {
            popup.insert(kCountryPlaceholder, shell::MF_BYCOMMAND | shell::MF_SEPARATOR, 0, u"");
        } else {
            popup.insert(kCountryPlaceholder, shell::MF_BYCOMMAND | shell::MF_STRING, item.id,
                         item.text);
        }
    }
    popup.remove(kCountryPlaceholder, shell::MF_BYCOMMAND);
}

CountryCommand countryCommand(std::uint32_t id) {
    const std::uint32_t code = id - kCountryCommandFirst;
    const auto identifier = static_cast<std::int32_t>(code / 3);
    CountryCommand command;
    command.language = indexInCodeTable(identifier == 0 ? 1000 : identifier);
    command.kind = static_cast<CountryUpdateKind>(code % 3);
    return command;
}

}  // namespace pelorvant
