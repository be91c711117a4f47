#include "engine/data/Categories.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/Cp1250Text.h"
#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;
using testing::openContent;
using testing::SectionFixture;

json stopsOnly(std::size_t count) {
    json stops = json::array();
    for (std::size_t i = 0; i < count; ++i) {
        stops.push_back({{"id", "s" + std::to_string(i)}, {"name", "S"}});
    }
    return stops;
}

struct CategoriesFixture {
    explicit CategoriesFixture(const json& doc, std::size_t stopCount = 1500)
        : f(doc, {jz::compileCategories}) {
        categories.read(*f.reader, f.names, stopCount);
        EXPECT_EQ(f.reader->readU32(), testing::kAfterSections);
    }
    SectionFixture f;
    cKategorie categories;
};

json categoriesDoc() {
    return json::parse(R"({
      "stops": [{ "id": "a", "name": "A" }, { "id": "b", "name": "B" }, { "id": "c", "name": "C" }],
      "categories": [
        { "name": "města a obce/obce JMK", "elements": [
          { "name": "Brno", "stops": ["a", "b"], "value": 7 },
          { "name": "Adamov", "stops": ["c"] } ] },
        { "name": "Zastávky", "elements": [{ "name": "Brno", "stops": ["b"] }] },
        { "name": "ulice", "elements": [] },
        { "name": "ZASTAVKY vlaku", "elements": [{ "name": "Brno hl.n.", "stops": ["a", "c", "b"] }] }
      ]
    })");
}

TEST(Categories, KindsElementsAndStops) {
    CategoriesFixture c(categoriesDoc(), 3);
    const cNazvy& names = c.f.names;
    ASSERT_EQ(c.categories.kindCount(), 4u);
    // The compiler sorts the elements; the stops keep their order.
    EXPECT_EQ(c.categories.elementName(names, 0, 0), "Adamov");
    EXPECT_EQ(c.categories.elementName(names, 0, 1), "Brno");
    EXPECT_EQ(c.categories.copyIndexList(0, 1), (std::vector<std::uint16_t>{0, 1}));
    EXPECT_EQ(c.categories.element(0, 1).value, 7u);
    EXPECT_EQ(c.categories.copyIndexList(3, 0), (std::vector<std::uint16_t>{0, 2, 1}));
    EXPECT_EQ(c.categories.elementCount(2), 0u);
    EXPECT_EQ(engineCodeOf([&] { c.categories.kind(4); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { c.categories.element(1, 1); }), ENGINE_EXC_INDEX);
}

TEST(Categories, JmkKindIsShownShortened) {
    CategoriesFixture c(categoriesDoc(), 3);
    EXPECT_EQ(c.categories.kindName(c.f.names, 0),
              "m\xec"
              "sta a obce");
    EXPECT_EQ(c.categories.kindName(c.f.names, 2), "ulice");

    // Only that exact name is shortened.
    json doc = categoriesDoc();
    doc["categories"][0]["name"] = "města a obce/obce JMK2";
    CategoriesFixture other(doc, 3);
    EXPECT_EQ(other.categories.kindName(other.f.names, 0),
              "m\xec"
              "sta a obce/obce JMK2");
}

TEST(Categories, StopsKindIsTheLastNamingStops) {
    CategoriesFixture c(categoriesDoc(), 3);
    EXPECT_EQ(c.categories.stopsKind(), 3);

    json doc = categoriesDoc();
    doc["categories"][1]["name"] = "zast";
    doc["categories"][3]["name"] = "obce";
    CategoriesFixture none(doc, 3);
    EXPECT_EQ(none.categories.stopsKind(), -1);
}

TEST(Categories, ElementWithMoreThan1023StopsKeepsThemAll) {
    json doc = {{"stops", stopsOnly(1500)}};
    json big = {{"name", "Praha"}, {"stops", json::array()}};
    for (int i = 0; i < 1500; ++i) {
        big["stops"].push_back("s" + std::to_string(i));
    }
    doc["categories"] = {{{"name", "obce"}, {"elements", {big}}}};
    CategoriesFixture c(doc);
    auto stops = c.categories.stopsOf(0, 0);
    ASSERT_EQ(stops.size(), 1500u);
    EXPECT_EQ(stops[1499], 1499);
}

// A kind whose elements are named `names`, in that order (the compiler sorts them).
json kindOf(const std::vector<std::string>& names) {
    json elements = json::array();
    for (const auto& n : names) {
        elements.push_back({{"name", n}});
    }
    return {{"categories", {{{"name", "k"}, {"elements", elements}}}}};
}

TEST(Categories, FindEntriesByPrefixFindsTheWholeRunOfEqualNames) {
    CategoriesFixture c(kindOf({"Alfa", "Nadrazi", "NADRAZI", "Beta", "nadrazi", "Zeta", "Nadr"}));
    EXPECT_EQ(c.categories.findEntriesByPrefix(c.f.names, 0, "nadrazi"),
              (std::vector<std::uint32_t>{3, 4, 5}));
    EXPECT_EQ(c.categories.findEntriesByPrefix(c.f.names, 0, "NADR"),
              (std::vector<std::uint32_t>{2}));
    EXPECT_TRUE(c.categories.findEntriesByPrefix(c.f.names, 0, "Nadraz").empty());
    EXPECT_TRUE(c.categories.findEntriesByPrefix(c.f.names, 0, "Nadrazik").empty());
    EXPECT_TRUE(c.categories.findEntriesByPrefix(c.f.names, 0, "").empty());
    EXPECT_EQ(engineCodeOf([&] { c.categories.findEntriesByPrefix(c.f.names, 1, "Alfa"); }),
              ENGINE_EXC_INDEX);
}

TEST(Categories, AKeyThatIsAProperPrefixOfEveryNameFindsNothing) {
    CategoriesFixture c(kindOf({"Brno", "Brno-venkov", "Brno hl.n."}));
    EXPECT_TRUE(c.categories.findEntriesByPrefix(c.f.names, 0, "Br").empty());
    EXPECT_EQ(c.categories.findEntriesByPrefix(c.f.names, 0, "BRNO"),
              (std::vector<std::uint32_t>{0}));
}

TEST(Categories, FindEntriesByPrefixAgreesWithAScanForEverySize) {
    for (int n = 0; n <= 21; ++n) {
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i) {
            // Even letters only, some of them twice, so that odd letters are absent keys.
            names.push_back(std::string(1, static_cast<char>('b' + 2 * (i / 2 + i % 3 / 2))));
        }
        CategoriesFixture c(kindOf(names));
        for (int k = 'a'; k <= 'z'; ++k) {
            const char key = static_cast<char>(k);
            std::vector<std::uint32_t> expected;
            for (std::size_t e = 0; e < c.categories.elementCount(0); ++e) {
                if (collateCompare(c.categories.elementName(c.f.names, 0, e),
                                   std::string(1, key)) == 0) {
                    expected.push_back(static_cast<std::uint32_t>(e));
                }
            }
            EXPECT_EQ(c.categories.findEntriesByPrefix(c.f.names, 0, std::string(1, key)), expected)
                << "size " << n << " key " << key;
        }
    }
}

// A category section written by hand: names "a".."e" at references 0, 2, 4, 6, 8; one kind
// with elements of the given name indexes, each with its stop run.
struct Crafted {
    std::vector<std::uint16_t> pool = {0, 1};
    std::vector<int> elementNames = {0, 1};
    std::uint32_t poolOffset = 0;
    std::uint16_t stopCount = 2;
    std::uint32_t kindNameRef = 0;
    std::uint32_t elementCount = 2;

    std::vector<std::uint8_t> content() const {
        jz::ContentWriter w;
        w.skippedSection();
        w.u8(0);
        w.text(
            std::string_view("\x01"
                             "a\x01"
                             "b\x01"
                             "c\x01"
                             "d\x01"
                             "e",
                             10));
        w.skippedSection();

        w.skippedSection();
        w.u32(static_cast<std::uint32_t>(pool.size()));
        for (auto s : pool) {
            w.u16(s);
        }
        w.u32(1);
        w.u32(kindNameRef);
        w.u32(elementCount);
        for (std::size_t i = 0; i < elementNames.size(); ++i) {
            w.u32(static_cast<std::uint32_t>(2 * elementNames[i]));
            w.u32(i == 0 ? poolOffset : 0);
            w.u16(i == 0 ? stopCount : 0);
            w.u32(0);
        }
        w.skippedSection();
        return w.data();
    }

    std::uint32_t readCode(cNazvy& names, cKategorie& categories) const {
        return engineCodeOf([&] {
            auto reader = openContent(content());
            names.read(*reader);
            categories.read(*reader, names, 2);
        });
    }
};

TEST(Categories, BadIndexesAndCounts) {
    struct Case {
        const char* what;
        Crafted crafted;
        std::uint32_t code;
    };
    std::vector<Case> cases = {{"well formed", {}, 0}};
    auto add = [&](const char* what, auto alter, std::uint32_t code) {
        Crafted c;
        alter(c);
        cases.push_back({what, c, code});
    };
    add(
        "pool stop",
        [](Crafted& c) {
            c.pool = {0, 2};
        },
        ENGINE_EXC_INDEX);
    add(
        "run past the pool", [](Crafted& c) { c.poolOffset = 1; }, ENGINE_EXC_INDEX);
    add(
        "run count", [](Crafted& c) { c.stopCount = 3; }, ENGINE_EXC_INDEX);
    add(
        "offset's top bits", [](Crafted& c) { c.poolOffset = 0xFFC00000; }, 0);
    add(
        "kind name", [](Crafted& c) { c.kindNameRef = 10; }, ENGINE_EXC_INDEX);
    add(
        "element name",
        [](Crafted& c) {
            c.elementNames = {0, 5};
        },
        ENGINE_EXC_INDEX);
    add(
        "element count", [](Crafted& c) { c.elementCount = 0x20000000; }, ENGINE_EXC_SHORT_READ);
    for (const Case& c : cases) {
        cNazvy names;
        cKategorie categories;
        EXPECT_EQ(c.crafted.readCode(names, categories), c.code) << c.what;
    }
}

TEST(Categories, UnsortedElementsStillEndInBounds) {
    const std::vector<std::vector<int>> orders = {
        {4, 3, 2, 1, 0}, {2, 0, 4, 1, 3}, {0, 0, 4, 0, 0}, {4, 0}, {1, 4, 0, 3, 2, 1, 0}};
    for (const auto& order : orders) {
        Crafted c;
        c.elementNames = order;
        c.elementCount = static_cast<std::uint32_t>(order.size());
        cNazvy names;
        cKategorie categories;
        ASSERT_EQ(c.readCode(names, categories), 0u);
        for (const char* key : {"a", "b", "c", "d", "e", "f", ""}) {
            for (std::uint32_t e : categories.findEntriesByPrefix(names, 0, key)) {
                EXPECT_LT(e, order.size());
                EXPECT_EQ(categories.elementName(names, 0, e), key);
            }
        }
    }
}

}  // namespace
}  // namespace trasovnik
