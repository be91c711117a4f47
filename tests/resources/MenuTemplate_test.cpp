#include "platform/resources/MenuTemplate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

using platform::resources::findMenuTemplate;
using platform::resources::MenuItemKind;
using platform::resources::MenuItemTemplate;
using platform::resources::MenuTemplate;
using platform::resources::menuTemplates;

const MenuTemplate& menu(std::uint32_t id) {
    const MenuTemplate* m = findMenuTemplate(id);
    if (m == nullptr) {
        ADD_FAILURE() << "menu " << id << " is missing";
        static const MenuTemplate kEmpty{0, nullptr, 0};
        return kEmpty;
    }
    return *m;
}

// The popup of "Menu" (the right soft key) of a menu bar.
std::span<const MenuItemTemplate> menuPopup(std::uint32_t id) {
    const MenuTemplate& m = menu(id);
    if (m.entryCount != 2 || m.entries[1].kind != MenuItemKind::Popup) {
        ADD_FAILURE() << "menu " << id << " has no popup soft key";
        return {};
    }
    EXPECT_EQ(m.entries[1].id, 402u) << "menu " << id;
    EXPECT_EQ(m.entries[1].text, u"Menu") << "menu " << id;
    return m.entries[1].items();
}

bool containsCommand(std::span<const MenuItemTemplate> items, std::uint32_t command) {
    for (const MenuItemTemplate& item : items) {
        if ((item.kind == MenuItemKind::Command && item.id == command) ||
            (item.kind == MenuItemKind::Popup && containsCommand(item.items(), command))) {
            return true;
        }
    }
    return false;
}

TEST(MenuTemplates, EveryMenuOfTheViewsExists) {
    for (std::uint32_t id : {128u, 130u, 131u, 132u, 133u, 150u, 151u,  156u,  157u,  159u, 160u,
                             167u, 278u, 304u, 351u, 352u, 353u, 1053u, 1054u, 1056u, 1057u}) {
        EXPECT_NE(findMenuTemplate(id), nullptr) << "menu " << id;
    }
    EXPECT_EQ(findMenuTemplate(129), nullptr);
    EXPECT_EQ(findMenuTemplate(0), nullptr);
}

TEST(MenuTemplates, EveryMenuIsWellFormed) {
    std::function<void(std::span<const MenuItemTemplate>, std::uint32_t)> check =
        [&check](std::span<const MenuItemTemplate> items, std::uint32_t menuId) {
            ASSERT_FALSE(items.empty()) << "menu " << menuId;
            for (const MenuItemTemplate& item : items) {
                if (item.kind == MenuItemKind::Separator) {
                    EXPECT_TRUE(item.text.empty()) << "menu " << menuId;
                    continue;
                }
                EXPECT_FALSE(item.text.empty()) << "menu " << menuId;
                if (item.kind == MenuItemKind::Popup) {
                    check(item.items(), menuId);
                } else {
                    EXPECT_EQ(item.childCount, 0u) << "menu " << menuId;
                }
            }
        };
    std::uint32_t previous = 0;
    for (const MenuTemplate& m : menuTemplates()) {
        EXPECT_GT(m.id, previous) << "menus are ordered by id";
        previous = m.id;
        EXPECT_GE(m.entryCount, 1u) << "menu " << m.id;
        EXPECT_LE(m.entryCount, 2u) << "menu " << m.id;
        for (const MenuItemTemplate& top : m.topLevel()) {
            EXPECT_NE(top.kind, MenuItemKind::Separator) << "menu " << m.id;
        }
        check(m.topLevel(), m.id);
    }
}

struct SoftKeyCase {
    std::uint32_t menu;
    std::uint32_t leftCommand;
    const char16_t* leftText;
};

TEST(MenuTemplates, LeftSoftKeysSendTheirCommands) {
    const SoftKeyCase cases[] = {
        {128, 32777, u"Ok"},     {130, 32779, u"Zpět"},   {131, 32775, u"Ok"},
        {133, 32780, u"Vyber"},  {150, 32808, u"Storno"}, {151, 32809, u"Storno"},
        {156, 32783, u"Konec"},  {157, 32788, u"Uložit"}, {160, 32777, u"Ok"},
        {167, 32800, u"Ok"},     {304, 32786, u"Zpět"},   {351, 32786, u"Zpět"},
        {1053, 32778, u"Najdi"}, {132, 32778, u"Najdi"},  {1057, 32777, u"Ok"},
    };
    for (const SoftKeyCase& c : cases) {
        const MenuTemplate& m = menu(c.menu);
        ASSERT_GE(m.entryCount, 1u) << "menu " << c.menu;
        EXPECT_EQ(m.entries[0].kind, MenuItemKind::Command) << "menu " << c.menu;
        EXPECT_EQ(m.entries[0].id, c.leftCommand) << "menu " << c.menu;
        EXPECT_EQ(m.entries[0].text, c.leftText) << "menu " << c.menu;
    }
    // Two commands, no popup.
    EXPECT_EQ(menu(167).entries[1].id, 32801u);
    EXPECT_EQ(menu(156).entries[1].id, 32784u);
    EXPECT_EQ(menu(1057).entries[1].id, 32811u);
    EXPECT_EQ(menu(151).entries[1].id, 32810u);
}

struct PopupPosition {
    std::uint32_t menu;
    std::size_t position;
    const char16_t* text;
};

TEST(MenuTemplates, PopupsSitWhereTheViewsReachThem) {
    const PopupPosition cases[] = {
        {1053, 1, u"Kategorie"},        {1053, 2, u"Oblíbené"},       {1053, 4, u"Aktualizace dat"},
        {1053, 5, u"Navigace"},         {132, 2, u"Kategorie"},       {132, 3, u"Typ hledání"},
        {132, 4, u"Oblíbené"},          {132, 6, u"Aktualizace dat"}, {132, 7, u"Navigace"},
        {157, 4, u"Parametry hledání"}, {157, 5, u"Povolené linky"},  {304, 2, u"Aktualizace dat"},
        {130, 1, u"SMS jízdenka"},
    };
    for (const PopupPosition& c : cases) {
        std::span<const MenuItemTemplate> items = menuPopup(c.menu);
        ASSERT_LT(c.position, items.size()) << "menu " << c.menu;
        EXPECT_EQ(items[c.position].kind, MenuItemKind::Popup) << "menu " << c.menu;
        EXPECT_EQ(items[c.position].text, c.text) << "menu " << c.menu;
    }
}

TEST(MenuTemplates, SearchFormUpdatePopupHoldsPlaceholderSeparatorAndSettings) {
    for (std::uint32_t id : {1053u, 132u}) {
        std::span<const MenuItemTemplate> items = menuPopup(id);
        std::size_t position = id == 1053 ? 4 : 6;
        ASSERT_LT(position, items.size());
        std::span<const MenuItemTemplate> update = items[position].items();
        ASSERT_EQ(update.size(), 3u);
        EXPECT_EQ(update[0].text, u"Všechny");
        EXPECT_EQ(update[1].kind, MenuItemKind::Separator);
        EXPECT_EQ(update[2].id, 32810u);
        EXPECT_EQ(items.back().id, 57665u) << "\"Konec\" closes the menu";
    }
}

TEST(MenuTemplates, ContextMenusOpenOnePopup) {
    struct Case {
        std::uint32_t menu;
        std::uint32_t commands[4];
    };
    const Case cases[] = {
        {159, {32804, 32803, 0, 0}},
        {278, {32800, 32802, 32804, 0}},
        {1054, {32807, 32805, 32781, 32836}},
    };
    for (const Case& c : cases) {
        const MenuTemplate& m = menu(c.menu);
        ASSERT_EQ(m.entryCount, 1u) << "menu " << c.menu;
        ASSERT_EQ(m.entries[0].kind, MenuItemKind::Popup) << "menu " << c.menu;
        std::span<const MenuItemTemplate> items = m.entries[0].items();
        for (std::size_t i = 0; i < 4 && c.commands[i] != 0; ++i) {
            ASSERT_LT(i, items.size()) << "menu " << c.menu;
            EXPECT_EQ(items[i].id, c.commands[i]) << "menu " << c.menu << " item " << i;
        }
    }
}

TEST(MenuTemplates, CommandsTheScreensHandleAreOffered) {
    struct Case {
        std::uint32_t menu;
        std::uint32_t command;
    };
    const Case cases[] = {
        {128, 32812},  {128, 57665},  {160, 32811}, {130, 32798},  {130, 32842},  {130, 32807},
        {130, 32781},  {130, 32836},  {130, 32806}, {130, 32805},  {1053, 32785}, {1053, 32900},
        {1053, 32791}, {1053, 32792}, {1053, 308},  {1053, 32824}, {1053, 32786}, {1053, 32796},
        {1053, 32795}, {1053, 32840}, {132, 307},   {132, 33901},  {132, 33902},  {157, 32786},
        {157, 32787},  {157, 32807},  {157, 32825}, {157, 32789},  {352, 32796},  {353, 32797},
        {351, 32787},  {351, 32788},  {304, 32813}, {304, 32814},  {1056, 32821},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(containsCommand(menu(c.menu).topLevel(), c.command))
            << "menu " << c.menu << " command " << c.command;
    }
}

}  // namespace
