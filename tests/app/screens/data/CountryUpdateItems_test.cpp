#include "app/screens/data/CountryUpdateItems.h"

#include "platform/shell/MenuFromTemplate.h"

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

// The search form's popup "Aktualizace dat" of a menu resource after the groups went in: each
// entry's id (0 a separator) and text.
struct FormPopupCase {
    const char* name;
    std::set<std::int16_t> installed;  // identifiers some installed timetable lists
    std::set<std::int16_t> inSet;      // identifiers a timetable of the tab's set lists
    bool noGroups;                     // fill with no group at all
    std::vector<std::pair<std::uint32_t, std::u16string>> entries;
};

void PrintTo(const FormPopupCase& c, std::ostream* os) {
    *os << c.name;
}

const std::pair<std::uint32_t, std::u16string> kSeparator{0, u""};
const std::pair<std::uint32_t, std::u16string> kUpdateSettings{32810, u"Nastaven\u00ED aktualizac\u00ED"};

std::vector<std::pair<std::uint32_t, std::u16string>> formPopupAfterFill(std::uint32_t menuId, int position,
                                                                         const FormPopupCase& c) {
    const auto* source = platform::resources::findMenuTemplate(menuId);
    if (source == nullptr) return {};
    const shell::MenuPtr bar = shell::menuFromTemplate(*source);
    shell::MenuPtr menu;
    for (int i = 0; i < bar->count() && !menu; ++i) menu = bar->subMenu(i);
    const shell::MenuPtr popup = menu ? menu->subMenu(position) : nullptr;
    if (!popup) return {};
    const auto items = c.noGroups ? std::vector<CountryMenuItem>{}
                                  : searchFormUpdateItems([&c](std::int16_t id) { return c.installed.count(id) > 0; },
                                                          [&c](std::int16_t id) { return c.inSet.count(id) > 0; });
    fillCountryUpdatePopup(*popup, items);
    std::vector<std::pair<std::uint32_t, std::u16string>> got;
    for (int i = 0; i < popup->count(); ++i) {
        const shell::MenuItem* item = popup->item(i);
        if (item->kind == shell::MenuItem::Kind::Separator) {
            got.push_back(kSeparator);
        } else {
            got.emplace_back(item->id, item->text);
        }
    }
    return got;
}

class SearchFormUpdatePopup : public ::testing::TestWithParam<FormPopupCase> {};

TEST_P(SearchFormUpdatePopup, TouchMenuGetsTheGroupsInPlaceOfThePlaceholder) {
    EXPECT_EQ(formPopupAfterFill(1053, 4, GetParam()), GetParam().entries);
}

TEST_P(SearchFormUpdatePopup, KeypadMenuGetsTheGroupsInPlaceOfThePlaceholder) {
    EXPECT_EQ(formPopupAfterFill(132, 6, GetParam()), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, SearchFormUpdatePopup,
    ::testing::Values(
        FormPopupCase{"OnlyFirstCountryInstalledAndLoaded",
                      {1000},
                      {1000},
                      false,
                      {{4000, u"Aktualizovat v\u0161e \u010CR"},
                       {4001, u"Aktualizovat na\u010Dten\u00E9 \u010CR"},
                       {4002, u"Detailn\u00ED aktualizace \u010CR..."},
                       kSeparator,
                       {7002, u"Detailn\u00ED aktualizace SK..."},
                       kSeparator,
                       kUpdateSettings}},
        FormPopupCase{"BothInstalledSecondLoaded",
                      {1000, 2000},
                      {2000},
                      false,
                      {{4000, u"Aktualizovat v\u0161e \u010CR"},
                       {4002, u"Detailn\u00ED aktualizace \u010CR..."},
                       kSeparator,
                       {7000, u"Aktualizovat v\u0161e SK"},
                       {7001, u"Aktualizovat na\u010Dten\u00E9 SK"},
                       {7002, u"Detailn\u00ED aktualizace SK..."},
                       kSeparator,
                       kUpdateSettings}},
        FormPopupCase{"NothingInstalled",
                      {},
                      {},
                      false,
                      {{4002, u"Detailn\u00ED aktualizace \u010CR..."},
                       kSeparator,
                       {7002, u"Detailn\u00ED aktualizace SK..."},
                       kSeparator,
                       kUpdateSettings}},
        FormPopupCase{"NoGroupLeavesTheSettingsAlone", {}, {}, true, {kUpdateSettings}}),
    [](const ::testing::TestParamInfo<FormPopupCase>& info) { return std::string(info.param.name); });

TEST(UpdateEntryIds, OnlyTheCountriesEntriesAreUpdateCommands) {
    for (std::uint32_t id : {4000u, 4001u, 4002u, 7000u, 7001u, 7002u}) EXPECT_TRUE(isUpdateEntryId(id)) << id;
    // Other commands of the range: the search page's buttons, the menus' commands, the
    // category and stop-timetable entries, and the ids next to the entries.
    for (std::uint32_t id : {999u, 1000u, 2061u, 3999u, 4003u, 6999u, 7003u, 32778u, 32900u, 33501u, 96001u})
        EXPECT_FALSE(isUpdateEntryId(id)) << id;
}

TEST(UpdateCode, CodeGivesCountryAndKind) {
    struct Case {
        std::int32_t code;
        std::int32_t language;
        CountryUpdateKind kind;
    };
    const Case cases[] = {
        {0, 0, CountryUpdateKind::UpdateAll},  // the start-up's and the hand-over's update
        {1, 0, CountryUpdateKind::UpdateLoaded},  // the search page's "update loaded"
        {2, 0, CountryUpdateKind::Detailed},
        {3000, 0, CountryUpdateKind::UpdateAll},   {3001, 0, CountryUpdateKind::UpdateLoaded},
        {3002, 0, CountryUpdateKind::Detailed},    {6000, 1, CountryUpdateKind::UpdateAll},
        {6001, 1, CountryUpdateKind::UpdateLoaded}, {6002, 1, CountryUpdateKind::Detailed},
        {-5, 0, CountryUpdateKind::UpdateAll},  // no code from a menu: the first country's update of all
        {9000, 0, CountryUpdateKind::UpdateAll},  // an identifier outside the table reads as the first
    };
    for (const Case& c : cases) {
        const CountryCommand command = updateCodeCommand(c.code);
        EXPECT_EQ(command.language, c.language) << c.code;
        EXPECT_EQ(command.kind, c.kind) << c.code;
    }
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
