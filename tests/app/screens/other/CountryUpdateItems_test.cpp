#include "app/screens/other/CountryUpdateItems.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>

namespace pelorvant {
namespace {

namespace shell = platform::shell;

struct ItemsCase {
    const char* name;
    const char* what;
    std::int32_t language;
    std::set<std::int16_t> listed;  // the country identifiers installed timetables list
    std::vector<std::pair<std::uint32_t, std::u16string>> items;  // id 0: a separator
};

void PrintTo(const ItemsCase& c, std::ostream* os) {
    *os << c.name;
}

class CountryUpdateItemsTable : public ::testing::TestWithParam<ItemsCase> {};

TEST_P(CountryUpdateItemsTable, ItemsFollowTheInstalledCountries) {
    const ItemsCase& c = GetParam();
    const auto items =
        countryUpdateItems(c.language, [&c](std::int16_t id) { return c.listed.count(id) > 0; });
    std::vector<std::pair<std::uint32_t, std::u16string>> got;
    for (const CountryMenuItem& item : items)
        got.emplace_back(item.separator ? 0u : item.id, item.text);
    EXPECT_EQ(got, c.items) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Countries, CountryUpdateItemsTable,
    ::testing::Values(
        ItemsCase{"FirstCountryOnly",
                  "data of the first country only: its two items, no separator",
                  0,
                  {1000},
                  {{4000, u"Aktualizovat v\u0161e \u010CR"},
                   {4002, u"Detailn\u00ED aktualizace \u010CR..."}}},
        ItemsCase{"NothingInstalled",
                  "nothing installed: the own country's detailed update alone",
                  0,
                  {},
                  {{4002, u"Detailn\u00ED aktualizace \u010CR..."}}},
        ItemsCase{"NothingInstalledSlovak",
                  "nothing installed, Slovak: the Slovak detailed update",
                  1,
                  {},
                  {{7002, u"Detailn\u00ED aktualizace SK..."}}},
        ItemsCase{"BothCountries",
                  "both countries: a separator between them, the first country first",
                  1,
                  {1000, 2000},
                  {{4000, u"Aktualizovat v\u0161e \u010CR"},
                   {4002, u"Detailn\u00ED aktualizace \u010CR..."},
                   {0, u""},
                   {7000, u"Aktualizovat v\u0161e SK"},
                   {7002, u"Detailn\u00ED aktualizace SK..."}}},
        ItemsCase{"SlovakDataOnly",
                  "Slovak data only, Czech language: the own country without its update-all",
                  0,
                  {2000},
                  {{4002, u"Detailn\u00ED aktualizace \u010CR..."},
                   {0, u""},
                   {7000, u"Aktualizovat v\u0161e SK"},
                   {7002, u"Detailn\u00ED aktualizace SK..."}}}),
    [](const ::testing::TestParamInfo<ItemsCase>& info) { return std::string(info.param.name); });

TEST(CountryUpdatePopup, ItemsTakeThePlaceholdersPlace) {
    auto popup = shell::Menu::create();
    popup->append(shell::MF_STRING, kCountryPlaceholder, u"V\u0161echny");
    fillCountryUpdatePopup(
        *popup, countryUpdateItems(0, [](std::int16_t id) { return id == 1000 || id == 2000; }));
    ASSERT_EQ(popup->count(), 5);
    EXPECT_EQ(popup->itemId(0), 4000);
    EXPECT_EQ(popup->itemId(1), 4002);
    EXPECT_EQ(popup->item(2)->kind, shell::MenuItem::Kind::Separator);
    EXPECT_EQ(popup->itemId(3), 7000);
    EXPECT_EQ(popup->itemId(4), 7002);
    EXPECT_EQ(popup->find(kCountryPlaceholder, shell::MF_BYCOMMAND).menu, nullptr);
}

TEST(CountryUpdateCommand, IdGivesCountryAndKind) {
    struct Case {
        std::uint32_t id;
        std::int32_t language;
        CountryUpdateKind kind;
    };
    const Case cases[] = {
        {4000, 0, CountryUpdateKind::UpdateAll},    {4002, 0, CountryUpdateKind::Detailed},
        {7000, 1, CountryUpdateKind::UpdateAll},    {7002, 1, CountryUpdateKind::Detailed},
        {1000, 0, CountryUpdateKind::UpdateAll},  // code 0 counts as the first country
        {7001, 1, CountryUpdateKind::UpdateLoaded},
    };
    for (const Case& c : cases) {
        const CountryCommand command = countryCommand(c.id);
        EXPECT_EQ(command.language, c.language) << c.id;
        EXPECT_EQ(command.kind, c.kind) << c.id;
    }
}

}  // namespace
}  // namespace pelorvant
