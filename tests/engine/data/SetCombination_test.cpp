// What a file combination builds over its files: links between the stops of files whose towns
// name each other, the merged category kinds, and the favourites and history of the set.

#include <gtest/gtest.h>

#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableFile.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

const std::string kStopsKind = "zast\xE1vky";  // "zastávky" in Windows-1250

// Adds a town to the description and returns its id.
std::string addTown(nlohmann::json& doc, const std::string& name) {
    const std::string id = "town" + std::to_string(doc["towns"].size());
    doc["towns"].push_back({{"id", id}, {"name", name}});
    return id;
}

void addLink(nlohmann::json& doc, std::size_t stop, int key, int minutes, const std::string& town) {
    doc["stops"][stop]["links"].push_back({{"key", key}, {"minutes", minutes}, {"town", town}});
}

class CrossLinkTest : public SetFixture {
protected:
    void SetUp() override {
        nlohmann::json alfa = setFile("Alfa", 1, 0, 100);
        const std::string toBeta = addTown(alfa, "Beta");
        const std::string nowhere = addTown(alfa, "Nikde");
        const std::string self = addTown(alfa, "Alfa");
        const std::string betaCase = addTown(alfa, "BETA");  // not byte for byte
        addLink(alfa, 0, 202, 3, toBeta);                    // Beta's X2
        addLink(alfa, 0, 999, 4, toBeta);                    // no such key in Beta: dropped
        addLink(alfa, 0, 201, 5, nowhere);                   // names no file: dropped
        addLink(alfa, 1, 102, 6, self);                      // its own file: dropped
        addLink(alfa, 1, 201, 7, betaCase);
        addLink(alfa, 1, 201, 8, toBeta);  // Beta's X1
        nlohmann::json beta = setFile("Beta", 2, 0, 200);
        addLink(beta, 1, 101, 9, addTown(beta, "Alfa"));
        nlohmann::json gama = setFile("Gama", 3, 0, 300);
        addLink(gama, 0, 101, 2, addTown(gama, "Alfa"));
        addFile("a", alfa);
        addFile("b", beta);
        addFile("c", gama);
        makeEngine();
    }
};

std::vector<std::tuple<std::uint32_t, int, std::uint16_t>> linksOf(const CrossLinks& links,
                                                                   std::size_t stop) {
    std::vector<std::tuple<std::uint32_t, int, std::uint16_t>> out;
    for (std::size_t k = 0; k < links.linkCount(stop); ++k) {
        const cOdkazDoRadu& l = links.link(stop, k);
        out.emplace_back(l.timetable, l.value, l.stop);
    }
    return out;
}

TEST_F(CrossLinkTest, StopsLinkToTheSameStopsOfTheFilesTheirTownsName) {
    ASSERT_EQ(loadTitles({"Gama", "Alfa", "Beta"}).setIndex, 0);
    const cJizdniRadySestavy& c = engine->getSestava(0).combination();
    using L = std::vector<std::tuple<std::uint32_t, int, std::uint16_t>>;
    // Gama (0) stop X1 to Alfa (1) X1.
    EXPECT_EQ(linksOf(c.crossLinks(0), 0), (L{{1, 2, 0}}));
    EXPECT_EQ(linksOf(c.crossLinks(0), 1), L{});
    // Alfa: X1 to Beta (2) X2 only; X2 to Beta X1 only.
    EXPECT_EQ(linksOf(c.crossLinks(1), 0), (L{{2, 3, 1}}));
    EXPECT_EQ(linksOf(c.crossLinks(1), 1), (L{{2, 8, 0}}));
    // Beta X2 to Alfa X1.
    EXPECT_EQ(linksOf(c.crossLinks(2), 1), (L{{1, 9, 0}}));
    EXPECT_EQ(c.stopCount(1), 2u);
}

TEST_F(CrossLinkTest, TownsNamingFilesOutsideTheSetGiveNoLinks) {
    ASSERT_EQ(loadTitles({"Alfa"}).setIndex, 0);
    const cJizdniRadySestavy& c = engine->getSestava(0).combination();
    EXPECT_EQ(c.crossLinks(0).linkCount(0), 0u);
    EXPECT_EQ(c.crossLinks(0).linkCount(1), 0u);
    EXPECT_THROW(c.crossLinks(0).linkCount(2), EngineException);
    EXPECT_THROW(c.crossLinks(0).link(0, 0), EngineException);
    EXPECT_THROW(c.crossLinks(1), EngineException);
}

class MergedCategoryTest : public SetFixture {};

TEST_F(MergedCategoryTest, KindsAreGroupedByNameInFileAndKindOrder) {
    nlohmann::json beta = setFile("Beta", 2, 0, 200);
    // Beta's kinds: "linky", "zastávky", "obce".
    beta["categories"].insert(beta["categories"].begin(), nlohmann::json::parse(R"(
        { "name": "linky", "elements": [{ "name": "L", "stops": ["s1"] }] })"));
    addFile("a", setFile("Alfa", 1, 0, 100));
    addFile("b", beta);
    makeEngine();
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    const MergedCategories& m = engine->getSestava(0).combination().mergedCategories();

    ASSERT_EQ(m.groupCount(), 3u);
    EXPECT_EQ(m.groupName(0), kStopsKind);
    EXPECT_EQ(m.groupName(1), "obce");
    EXPECT_EQ(m.groupName(2), "linky");
    using P = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    auto pairs = [&](std::size_t g) {
        P out;
        for (const cClenSlouceneKategorie& x : m.members(g)) {
            out.emplace_back(x.timetable, x.kind);
        }
        return out;
    };
    EXPECT_EQ(pairs(0), (P{{0, 0}, {1, 1}}));
    EXPECT_EQ(pairs(1), (P{{0, 1}, {1, 2}}));
    EXPECT_EQ(pairs(2), (P{{1, 0}}));
    EXPECT_EQ(m.groupOf(1, 0), 2u);
    EXPECT_EQ(m.groupOf(1, 1), 0u);
    EXPECT_EQ(m.groupOf(1, 2), 1u);
    EXPECT_THROW(m.groupOf(0, 2), EngineException);
    EXPECT_THROW(m.groupOf(2, 0), EngineException);
    EXPECT_THROW(m.groupName(3), EngineException);
}

// Two files with the elements E01 to E<n> in "zastávky" and their town in "obce".
nlohmann::json fileWithElements(const std::string& title, int identifier, int n, int keyBase) {
    nlohmann::json doc = setFile(title, identifier, 0, keyBase);
    nlohmann::json elements = nlohmann::json::array();
    for (int i = 1; i <= n; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "E%02d", i);
        const std::string id = std::string("e") + name;
        doc["stops"].push_back({{"id", id},
                                {"name", name},
                                {"town", "own"},
                                {"group", "g"},
                                {"key", keyBase + 10 + i}});
        elements.push_back({{"name", name}, {"stops", {id}}});
    }
    for (const auto& e : doc["categories"][0]["elements"]) {
        elements.push_back(e);  // X1, X2 sort after the E names
    }
    doc["categories"][0]["elements"] = elements;
    return doc;
}

class SetFavouritesTest : public SetFixture {
protected:
    void SetUp() override {
        addFile("a", fileWithElements("Alfa", 1, 25, 100));
        addFile("b", fileWithElements("Beta", 2, 25, 200));
    }
    void loadBoth() {
        makeEngine();
        ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    }
    cJizdniRadySestavy& set() { return engine->getSestava(0).combination(); }
    // Element e (0-based: E01 is 0, X1 is 25) of "zastávky" in file f of the set.
    static PlaceRecord place(std::vector<IndexTriple>& storage) {
        return PlaceRecord{storage.data(), static_cast<std::uint8_t>(storage.size())};
    }
    int addFavourite(std::vector<IndexTriple> triples) {
        return set().addFavourite(place(triples));
    }
    std::vector<std::string> favouriteNames() {
        std::vector<std::string> out;
        for (const IndexTripleVector& v : set().getFavourites()) {
            std::string s;
            for (std::uint32_t i = 0; i < v.count(); ++i) {
                s += (i ? " " : "") + std::to_string(v.at(i).timetable) + ":" +
                     std::string(set().elementNameOf(v.at(i)));
            }
            out.push_back(s);
        }
        return out;
    }
};

TEST_F(SetFavouritesTest, FavouritesOfAllFilesComeInOneNameOrderWithEqualObjectsJoined) {
    loadBoth();
    EXPECT_EQ(addFavourite({{0, 0, 26}}), 0);            // Alfa X2
    EXPECT_EQ(addFavourite({{1, 0, 25}}), 0);            // Beta X1
    EXPECT_EQ(addFavourite({{1, 0, 2}, {0, 0, 2}}), 0);  // E03 in both
    EXPECT_EQ(addFavourite({{0, 0, 0}}), 0);             // Alfa E01
    EXPECT_EQ(favouriteNames(), (std::vector<std::string>{"0:E01", "0:E03 1:E03", "1:X1", "0:X2"}));
    // Kept by names in each file's own section.
    EXPECT_EQ(engine->iniStore()->readString("Alfa-oblibene", "X2$" + kStopsKind, "-"), "0");
    EXPECT_EQ(engine->iniStore()->readString("Beta-oblibene", "X1$" + kStopsKind, "-"), "0");
}

TEST_F(SetFavouritesTest, AddingAndDeletingGiveEachStoresAnswer) {
    loadBoth();
    EXPECT_EQ(addFavourite({}), 2);
    EXPECT_EQ(addFavourite({{0, 0, 5}}), 0);
    EXPECT_EQ(addFavourite({{0, 0, 5}}), 2);             // present
    EXPECT_EQ(addFavourite({{0, 0, 5}, {1, 0, 5}}), 0);  // new in Beta
    for (int e = 0; e < 19; ++e) {
        if (e != 5) {
            EXPECT_EQ(addFavourite({{0, 0, e}}), 0) << e;
        }
    }
    EXPECT_EQ(addFavourite({{0, 0, 19}}), 0);             // the 20th in Alfa
    EXPECT_EQ(addFavourite({{0, 0, 20}}), 3);             // full
    EXPECT_EQ(addFavourite({{0, 0, 5}, {0, 0, 21}}), 3);  // the last store's answer
    EXPECT_EQ(set().loaded(0).favourites->count(), 20u);

    std::vector<IndexTriple> e06{{0, 0, 5}, {1, 0, 5}};
    EXPECT_EQ(set().deleteFavourite(place(e06)), 0);
    EXPECT_EQ(set().deleteFavourite(place(e06)), 1);
    std::vector<IndexTriple> none;
    EXPECT_EQ(set().deleteFavourite(place(none)), 1);
}

TEST_F(SetFavouritesTest, AtMostTwentyFavouritesAreListed) {
    loadBoth();
    for (int e = 0; e < 20; ++e) {
        ASSERT_EQ(addFavourite({{0, 0, e}}), 0);
    }
    for (int e = 20; e < 25; ++e) {
        ASSERT_EQ(addFavourite({{1, 0, e}}), 0);
    }
    EXPECT_EQ(addFavourite({{1, 0, 0}}), 0);  // joins Alfa's E01
    const std::vector<std::string> names = favouriteNames();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.front(), "0:E01 1:E01");
    EXPECT_EQ(names.back(), "0:E20");
}

TEST_F(SetFavouritesTest, PlacesNamingNoElementOfTheSetAreRefused) {
    loadBoth();
    for (const IndexTriple t : {IndexTriple{2, 0, 0}, IndexTriple{-1, 0, 0}, IndexTriple{0, 5, 0},
                                IndexTriple{0, 0, 27}}) {
        std::vector<IndexTriple> triples{t};
        EXPECT_THROW(set().addFavourite(place(triples)), EngineException);
        EXPECT_THROW(set().addHistory(place(triples)), EngineException);
        if (t.timetable != 0) {
            EXPECT_THROW(set().deleteFavourite(place(triples)), EngineException);
        } else {
            EXPECT_EQ(set().deleteFavourite(place(triples)), 1);  // nothing to remove
        }
    }
    EXPECT_TRUE(set().getFavourites().empty());
}

TEST_F(SetFavouritesTest, HistoryOfASetGoesToEachFileAndCountsSearches) {
    loadBoth();
    std::vector<IndexTriple> none;
    EXPECT_EQ(set().addHistory(place(none)), 2);
    std::vector<IndexTriple> both{{0, 0, 1}, {1, 0, 2}};
    EXPECT_EQ(set().addHistory(place(both)), 0);
    set().incHistorySearchId();
    set().incHistorySearchId();
    for (std::size_t f = 0; f < 2; ++f) {
        EXPECT_EQ(set().loaded(f).history->count(), 1u);
        EXPECT_EQ(set().loaded(f).history->searchId(), 2);
    }
    EXPECT_EQ(engine->iniStore()->readString("Alfa-historie", "idhledani", "-"), "2");
    EXPECT_EQ(engine->iniStore()->readString("Beta-historie", "E03$" + kStopsKind, "-"), "0");
}

TEST_F(SetFavouritesTest, AFileWithoutFavouritesTakesThoseKeptForAnotherFileOfTheSet) {
    {
        std::ofstream ini(folder.file("main.ini"), std::ios::binary);
        ini << "[Beta-oblibene]\r\ndelimiter=$\r\nE02$" << kStopsKind << "=0\r\n"
            << "[Gama-oblibene]\r\ndelimiter=$\r\nE04$" << kStopsKind << "=0\r\n";
    }
    addFile("c", fileWithElements("Gama", 3, 25, 300));
    makeEngine();
    ASSERT_EQ(loadTitles({"Alfa", "Beta", "Gama"}).setIndex, 0);
    // Alfa had none and takes Beta's (the first other file that has some); Beta and Gama
    // keep their own.
    EXPECT_EQ(favouriteNames(), (std::vector<std::string>{"0:E02 1:E02", "2:E04"}));
}

TEST_F(SetFavouritesTest, WithoutAnIniStoreThereAreNoFavouritesOrHistory) {
    makeEngine(/*withIni=*/false);
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    EXPECT_EQ(addFavourite({{0, 0, 1}}), 2);
    std::vector<IndexTriple> one{{0, 0, 1}};
    EXPECT_EQ(set().addHistory(place(one)), 0);
    set().incHistorySearchId();
    EXPECT_TRUE(set().getFavourites().empty());
}

TEST_F(SetFavouritesTest, MergeEqualObjectJoinsOnlyTheSameObjectOfAnotherFile) {
    loadBoth();
    std::vector<IndexTripleVector> candidates(2);
    candidates[0].append(0, 0, 3);  // Alfa E04
    candidates[1].append(0, 0, 4);  // Alfa E05
    IndexTripleVector sameInBeta;
    sameInBeta.append(1, 0, 4);
    IndexTripleVector sameFile;
    sameFile.append(0, 0, 4);
    IndexTripleVector otherKind;
    otherKind.append(1, 1, 0);  // Beta's town, in "obce"
    IndexTripleVector otherName;
    otherName.append(1, 0, 6);

    EXPECT_FALSE(set().mergeEqualObject(candidates, sameFile));
    EXPECT_FALSE(set().mergeEqualObject(candidates, otherKind));
    EXPECT_FALSE(set().mergeEqualObject(candidates, otherName));
    EXPECT_TRUE(set().mergeEqualObject(candidates, sameInBeta));
    EXPECT_EQ(candidates[0].count(), 1u);
    ASSERT_EQ(candidates[1].count(), 2u);
    EXPECT_TRUE(candidates[1].contains(1, 0, 4));
    // Joined once: the same triple again would come from a file the candidate holds.
    EXPECT_FALSE(set().mergeEqualObject(candidates, sameInBeta));
    EXPECT_EQ(candidates[1].count(), 2u);
}

}  // namespace
}  // namespace trasovnik::testing
