#include "engine/data/FavouritesHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/data/Categories.h"
#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/IniStore.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/ContentWriter.h"

namespace trasovnik {
namespace {

// Windows-1250 texts of the fixture.
const std::string kStops = "zast\xE1vky";  // zastávky
const std::string kTowns = "m\xECsta";     // města
const std::string kMustek = "M\xF9stek";   // Můstek

// A timetable's name block and category section, compiled into a content stream and read back
// through the engine's readers. Element names are sorted as the file stores them.
struct CategoryFixture {
    cNazvy names;
    cKategorie categories;

    explicit CategoryFixture(std::vector<std::pair<std::string, std::vector<std::string>>> kinds) {
        std::string block;
        auto addName = [&block](const std::string& text) {
            const auto reference = static_cast<std::uint32_t>(block.size());
            block += static_cast<char>(text.size());
            block += text;
            return reference;
        };
        jz::ContentWriter content;
        // Name block: skipped section, no pair table, the entries, skipped section.
        std::vector<std::uint32_t> kindRefs;
        std::vector<std::vector<std::uint32_t>> elementRefs;
        for (auto& [kind, elements] : kinds) {
            std::stable_sort(elements.begin(), elements.end(),
                             [](const auto& a, const auto& b) { return collateCompare(a, b) < 0; });
            kindRefs.push_back(addName(kind));
            elementRefs.emplace_back();
            for (const auto& e : elements) {
                elementRefs.back().push_back(addName(e));
            }
        }
        content.skippedSection();
        content.u8(0);
        content.text(block);
        content.skippedSection();
        // Categories: skipped section, empty stop pool, the kinds, skipped section.
        content.skippedSection();
        content.u32(0);
        content.u32(static_cast<std::uint32_t>(kinds.size()));
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            content.u32(kindRefs[k]);
            content.u32(static_cast<std::uint32_t>(elementRefs[k].size()));
            for (const std::uint32_t ref : elementRefs[k]) {
                content.u32(ref);
                content.u32(0);
                content.u16(0);
                content.u32(0);
            }
        }
        content.skippedSection();

        TimetableFileReader reader;
        reader.openBytes(jz::writeContainer(content, jz::ContainerOptions()), "fav.jz");
        reader.readPlainBlockTable();
        names.read(reader);
        categories.read(reader, names, 0);
    }

    // Element index of a name in a kind.
    std::int32_t element(std::int32_t kind, std::string_view name) const {
        const auto found = categories.findEntriesByPrefix(names, kind, name);
        EXPECT_FALSE(found.empty()) << name;
        return found.empty() ? -1 : static_cast<std::int32_t>(found.front());
    }
};

// The INI store's files in memory, so that a test can flush and read the store anew.
class MemoryFileSystem final : public IniFileSystem {
public:
    std::map<std::string, std::string> files;
    bool writeFile(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return true;
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt
                                 : std::optional<std::string>(it->second.substr(0, maxBytes));
    }
    bool copyFile(const std::string& source, const std::string& target) override {
        files[target] = files.at(source);
        return true;
    }
    bool removeFile(const std::string& path) override {
        files.erase(path);
        return true;
    }
    bool keepAside(const std::string& source, const std::string& target) override {
        if (files.contains(target)) return false;
        files[target] = files.at(source);
        return true;
    }
};

IndexTripleVector place(std::int32_t kind, std::int32_t element, std::int32_t timetable = 0) {
    IndexTripleVector v;
    v.append(timetable, kind, element);
    return v;
}

template <typename F>
EngineCode codeOf(F f) {
    try {
        f();
    } catch (...) {
        return currentEngineCode();
    }
    return static_cast<EngineCode>(0);
}

std::vector<std::string> namesOf(const cOblibeneHistorie& s) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.count(); ++i) {
        out.emplace_back(s.elementName(i));
    }
    return out;
}

class FavouritesHistoryTest : public ::testing::Test {
protected:
    // Kind 0: stops, kind 1: towns.
    CategoryFixture fx{{
        {kStops, {"Andel",      "Budejovicka", kMustek,   "Zlicin",   "Dejvicka",   "Flora",
                  "Hradcanska", "Karlovo nam", "Letnany", "Opatov",   "Pankrac",    "Roztyly",
                  "Skalka",     "Strasnicka",  "Smichov", "Vltavska", "Zelivskeho", "Chodov",
                  "Haje",       "Kacerov",     "Ladvi",   "Nadrazi",  "Dvojite",    "Dvojite"}},
        {kTowns, {"Praha", "Brno", "Ostrava"}},
    }};
    MemoryFileSystem fs;
    IniStore ini{"main.ini", "temp.dat", fs};

    IndexTripleVector stop(std::string_view name) { return place(0, fx.element(0, name)); }
    IndexTripleVector town(std::string_view name) { return place(1, fx.element(1, name)); }
    cOblibene favourites(std::string_view series = "pid") {
        return cOblibene(ini, fx.categories, fx.names, series);
    }
    cHistorie history(std::string_view series = "pid") {
        return cHistorie(ini, fx.categories, fx.names, series);
    }
};

// ---- Delimiter ---------------------------------------------------------------------------

TEST(FavouritesDelimiter, FirstCandidateThatNoNameHolds) {
    struct Case {
        const char* name;
        std::vector<std::string> elements;
        std::string kind;
        char expected;  // 0: none is free
    };
    const Case cases[] = {
        {"plain names", {"Praha", "Brno"}, "obce", '$'},
        {"$ in one element, * in another", {"A$B", "C*D"}, "obce", '#'},
        {"$ in an element, * in the kind", {"A$B", "Brno"}, "ob*ce", '#'},
        {"five taken", {"$*#", "&@"}, "obce", '%'},
        {"all six taken", {"$*#", "&@"}, "%obce", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CategoryFixture fx({{c.kind, c.elements}});
        MemoryFileSystem fs;
        IniStore ini("main.ini", "temp.dat", fs);
        cOblibene fav(ini, fx.categories, fx.names, "pid");
        for (const auto& e : c.elements) {
            ASSERT_EQ(fav.add(place(0, fx.element(0, e))), cOblibene::kAdded);
        }
        if (c.expected == 0) {
            ini.writeString("pid-oblibene", "kept", "1");
            EXPECT_EQ(codeOf([&] { fav.save(); }), ENGINE_EXC_BAD_ARGUMENT);
            // The stored section is left as it was.
            EXPECT_EQ(ini.readString("pid-oblibene", "kept", ""), "1");
            continue;
        }
        EXPECT_EQ(fav.chooseDelimiter(), c.expected);
        fav.save();
        EXPECT_EQ(fav.delimiter(), c.expected);
        EXPECT_EQ(ini.readString("pid-oblibene", "delimiter", ""), std::string(1, c.expected));
    }
}

// ---- Favourites --------------------------------------------------------------------------

TEST_F(FavouritesHistoryTest, FavouritesKeepNameOrderAndRefuseRepeats) {
    cOblibene fav = favourites();
    EXPECT_EQ(fav.add(stop("Zlicin")), cOblibene::kAdded);
    EXPECT_EQ(fav.add(stop(kMustek)), cOblibene::kAdded);
    EXPECT_EQ(fav.add(town("Brno")), cOblibene::kAdded);
    EXPECT_EQ(fav.add(stop("Andel")), cOblibene::kAdded);
    EXPECT_EQ(namesOf(fav), (std::vector<std::string>{"Andel", "Brno", kMustek, "Zlicin"}));

    // Same kind and element, from another timetable of the set: already there.
    EXPECT_EQ(fav.add(place(0, fx.element(0, "Zlicin"), 3)), cOblibene::kPresent);
    EXPECT_EQ(fav.count(), 4u);
}

TEST_F(FavouritesHistoryTest, TwentyFirstFavouriteIsRefusedAndChangesNothing) {
    cOblibene fav = favourites();
    for (std::int32_t e = 0; e < 20; ++e) {
        ASSERT_EQ(fav.add(place(0, e)), cOblibene::kAdded);
    }
    const std::vector<std::string> before = namesOf(fav);
    EXPECT_EQ(fav.add(place(0, 20)), cOblibene::kFull);
    // Full comes before present.
    EXPECT_EQ(fav.add(place(0, 0)), cOblibene::kFull);
    EXPECT_EQ(namesOf(fav), before);
}

TEST_F(FavouritesHistoryTest, SaveWritesDelimiterAndOneKeyPerEntry) {
    ini.writeString("pid-oblibene", "stale", "1");
    cOblibene fav = favourites();
    fav.add(stop(kMustek));
    fav.add(town("Brno"));
    fav.save();
    const std::vector<IniKey> expected = {
        {"delimiter", "$"}, {"brno$" + kTowns, "0"}, {"m\xF9stek$" + kStops, "0"}};
    EXPECT_EQ(ini.readSection("pid-oblibene"), expected);
}

TEST_F(FavouritesHistoryTest, FavouritesSurviveAFlushAndALoad) {
    {
        cOblibene fav = favourites();
        fav.add(stop(kMustek));
        fav.add(town("Ostrava"));
        fav.add(stop("Andel"));
        fav.save();
        ASSERT_TRUE(ini.flush());
    }
    IniStore again("main.ini", "temp.dat", fs);
    cOblibene fav(again, fx.categories, fx.names, "pid");
    fav.load();
    ASSERT_EQ(namesOf(fav), (std::vector<std::string>{"Andel", kMustek, "Ostrava"}));
    EXPECT_EQ(fav.kindName(2), kTowns);
    EXPECT_TRUE(fav.entry(1).contains(0, 0, fx.element(0, kMustek)));
    EXPECT_EQ(fav.delimiter(), '$');
}

TEST_F(FavouritesHistoryTest, RemoveAndFind) {
    cOblibene fav = favourites();
    fav.add(stop(kMustek));
    fav.add(town("Praha"));
    EXPECT_EQ(fav.find("m\xD9STEK"), 0);  // MŮSTEK
    EXPECT_EQ(fav.find("Mustek"), -1);    // diacritics count
    EXPECT_EQ(fav.find("Prah"), -1);
    EXPECT_EQ(fav.find("praha"), 1);

    EXPECT_FALSE(fav.remove(stop("Andel")));
    EXPECT_TRUE(fav.remove(place(0, fx.element(0, kMustek), 5)));
    EXPECT_EQ(namesOf(fav), (std::vector<std::string>{"Praha"}));
}

TEST_F(FavouritesHistoryTest, PlacesOutsideTheFileAreRefusedBeforeAnyChange) {
    cOblibene fav = favourites();
    cHistorie his = history();
    fav.add(stop("Andel"));
    EXPECT_EQ(codeOf([&] { fav.add(place(2, 0)); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { fav.add(place(0, 24)); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { fav.add(place(-1, 0)); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { his.add(place(1, -1)); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { fav.add(IndexTripleVector()); }), ENGINE_EXC_BAD_ARGUMENT);
    EXPECT_EQ(codeOf([&] { fav.entry(1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(fav.count(), 1u);
    EXPECT_EQ(his.count(), 0u);
}

// ---- Loading -----------------------------------------------------------------------------

TEST_F(FavouritesHistoryTest, LoadReadsKeysByNames) {
    struct Case {
        const char* name;
        std::vector<IniKey> keys;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"kinds by name, any case",
         {{"ANDEL$ZAST\xC1VKY", "0"}, {"brno$m\xECsta", "0"}},
         {"Andel", "Brno"}},
        {"kind named by a prefix", {{"andel$zast", "0"}}, {"Andel"}},
        {"kind text longer than the kind", {{"brno$m\xECsta a obce", "0"}}, {"Brno"}},
        {"other delimiter", {{"andel#zast\xE1vky", "0"}}, {}},
        {"nothing before the delimiter", {{"$zast\xE1vky", "0"}}, {}},
        {"nothing after the delimiter", {{"andel$", "0"}}, {}},
        {"unknown kind", {{"andel$linky", "0"}}, {}},
        {"unknown element", {{"andelx$zast\xE1vky", "0"}}, {}},
        {"element name is a prefix only", {{"and$zast\xE1vky", "0"}}, {}},
        {"element twice in its kind", {{"dvojite$zast\xE1vky", "0"}}, {"Dvojite", "Dvojite"}},
        {"two keys for one element", {{"andel$zast", "0"}, {"andel$zast\xE1vky", "0"}}, {"Andel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ini.removeSection("pid-oblibene");
        ini.writeString("pid-oblibene", "delimiter", "$");
        for (const IniKey& k : c.keys) {
            ini.writeString("pid-oblibene", k.name, k.value);
        }
        cOblibene fav = favourites();
        fav.load();
        EXPECT_EQ(namesOf(fav), c.expected);
    }
}

TEST_F(FavouritesHistoryTest, TwiceNamedElementGivesTwoDistinctEntries) {
    ini.writeString("pid-oblibene", "delimiter", "$");
    ini.writeString("pid-oblibene", "dvojite$zast\xE1vky", "0");
    cOblibene fav = favourites();
    fav.load();
    ASSERT_EQ(fav.count(), 2u);
    EXPECT_NE(fav.entry(0).at(0).element, fav.entry(1).at(0).element);
}

TEST_F(FavouritesHistoryTest, LoadTakesAtMostTwentyEntriesFromTwentyOneKeys) {
    ini.writeString("pid-oblibene", "delimiter", "$");
    // 20 keys of elements 0..19 in reverse name order, and then a further one.
    for (std::int32_t e = 20; e >= 0; --e) {
        const std::string name(fx.categories.elementName(fx.names, 0, e));
        ini.writeString("pid-oblibene", name + "$" + kStops, "0");
    }
    cOblibene fav = favourites();
    fav.load();
    ASSERT_EQ(fav.count(), 20u);
    // The key of element 0 is the 22nd key of the section: it is not read.
    EXPECT_EQ(fav.find(fx.categories.elementName(fx.names, 0, 0)), -1);
    EXPECT_GE(fav.find(fx.categories.elementName(fx.names, 0, 20)), 0);
}

TEST_F(FavouritesHistoryTest, LoadFallsBackFromQuestionMarksTo08) {
    struct Case {
        const char* name;
        std::string storedSection;
        std::string delimiter;
        bool found;
    };
    const Case cases[] = {
        {"own section",
         "vlaky?"
         "?-oblibene",
         "$", true},
        {"08 in place of ??", "vlaky08-oblibene", "$", true},
        {"other digits", "vlaky09-oblibene", "$", false},
        {"delimiter of two characters",
         "vlaky?"
         "?-oblibene",
         "$$", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem fs2;
        IniStore store("main.ini", "temp.dat", fs2);
        store.writeString(c.storedSection, "delimiter", c.delimiter);
        store.writeString(c.storedSection, "andel$" + kStops, "0");
        cOblibene fav(store, fx.categories, fx.names, "vlaky??");
        fav.load();
        EXPECT_EQ(fav.count(), c.found ? 1u : 0u);
    }
}

TEST_F(FavouritesHistoryTest, LoadWithPrefixReadsAnotherTimetablesSection) {
    ini.writeString("other-oblibene", "delimiter", "*");
    ini.writeString("other-oblibene", "brno*" + kTowns, "0");
    cOblibene fav = favourites();
    fav.add(stop("Andel"));
    fav.load("OTHER");
    EXPECT_EQ(namesOf(fav), (std::vector<std::string>{"Brno"}));
    EXPECT_EQ(fav.delimiter(), '*');
    // It is still saved under its own name.
    fav.save();
    EXPECT_EQ(ini.readString("pid-oblibene", "brno$" + kTowns, ""), "0");
}

// ---- History -----------------------------------------------------------------------------

TEST_F(FavouritesHistoryTest, HistoryKeepsNewestFirst) {
    cHistorie his = history();
    his.add(stop("Andel"));
    his.incHistorySearchId();
    his.add(stop("Flora"));
    his.incHistorySearchId();
    his.add(town("Brno"));
    EXPECT_EQ(namesOf(his), (std::vector<std::string>{"Brno", "Flora", "Andel"}));
    // Used again: it becomes the newest.
    his.incHistorySearchId();
    his.add(stop("Andel"));
    EXPECT_EQ(namesOf(his), (std::vector<std::string>{"Andel", "Brno", "Flora"}));
    EXPECT_EQ(his.count(), 3u);
}

TEST_F(FavouritesHistoryTest, TwentyFirstHistoryEntryReplacesTheOldest) {
    cHistorie his = history();
    for (std::int32_t e = 0; e < 20; ++e) {
        his.add(place(0, e));
        his.incHistorySearchId();
    }
    const std::string oldest(his.elementName(19));
    his.add(place(0, 20));
    EXPECT_EQ(his.count(), 20u);
    EXPECT_EQ(his.find(oldest), -1);
    EXPECT_EQ(his.elementName(0), fx.categories.elementName(fx.names, 0, 20));
}

TEST_F(FavouritesHistoryTest, NewSearchForgetsEveryEntryOlderThanThirtySearches) {
    // Two consecutive old entries, one recent, one exactly 30 searches old.
    ini.writeString("pid-historie", "delimiter", "$");
    ini.writeString("pid-historie", "andel$" + kStops, "10");
    ini.writeString("pid-historie", "pankrac$" + kStops, "6");
    ini.writeString("pid-historie", "flora$" + kStops, "5");
    ini.writeString("pid-historie", "opatov$" + kStops, "4");
    ini.writeString("pid-historie", "idhledani", "35");
    cHistorie his = history();
    his.load();
    ASSERT_EQ(his.count(), 4u);
    his.incHistorySearchId();  // counter 36: 5 and 4 are below 36 - 30, 6 is not
    EXPECT_EQ(namesOf(his), (std::vector<std::string>{"Andel", "Pankrac"}));
    // Normalised (smallest value 0) and saved.
    EXPECT_EQ(his.value(0), 4);
    EXPECT_EQ(his.value(1), 0);
    EXPECT_EQ(his.searchId(), 30);
    EXPECT_EQ(ini.readInt("pid-historie", "idhledani", -1), 30);
    EXPECT_EQ(ini.readInt("pid-historie", "andel$" + kStops, -1), 4);
    EXPECT_EQ(ini.readString("pid-historie", "flora$" + kStops, "gone"), "gone");
    EXPECT_EQ(ini.readString("pid-historie", "opatov$" + kStops, "gone"), "gone");
}

TEST_F(FavouritesHistoryTest, LoadNormalisesAndKeepsAges) {
    struct Case {
        const char* name;
        std::string andel, flora, counter;
        std::int64_t andelValue, floraValue, searchId;
    };
    const Case cases[] = {
        {"already normal", "3", "0", "5", 3, 0, 5},
        {"shifted", "1003", "1000", "1005", 3, 0, 5},
        {"counter below the values", "7", "9", "2", 5, 7, 0},
        {"counter missing", "4", "6", "", 4, 6, 0},
        {"huge values", "2147483647", "2147483640", "2147483647", 7, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ini.removeSection("pid-historie");
        ini.writeString("pid-historie", "delimiter", "$");
        ini.writeString("pid-historie", "andel$" + kStops, c.andel);
        ini.writeString("pid-historie", "flora$" + kStops, c.flora);
        ini.writeString("pid-historie", "idhledani", c.counter);
        cHistorie his = history();
        his.load();
        ASSERT_EQ(his.count(), 2u);
        EXPECT_EQ(his.searchId(), c.searchId);
        // Newest first.
        const std::size_t a = his.find("andel");
        const std::size_t f = his.find("flora");
        EXPECT_EQ(his.value(a), c.andelValue);
        EXPECT_EQ(his.value(f), c.floraValue);
        EXPECT_GE(his.value(0), his.value(1));
    }
}

TEST_F(FavouritesHistoryTest, HistorySurvivesAFlushAndALoad) {
    {
        cHistorie his = history();
        his.add(stop("Andel"));
        his.incHistorySearchId();
        his.add(town("Ostrava"));
        his.incHistorySearchId();
        ASSERT_TRUE(ini.flush());
    }
    IniStore again("main.ini", "temp.dat", fs);
    cHistorie his(again, fx.categories, fx.names, "pid");
    his.load();
    EXPECT_EQ(namesOf(his), (std::vector<std::string>{"Ostrava", "Andel"}));
    EXPECT_EQ(his.searchId(), 2);
    EXPECT_EQ(his.value(0), 1);
    EXPECT_EQ(his.value(1), 0);
}

TEST_F(FavouritesHistoryTest, LoadOfAMissingSectionEmptiesTheStore) {
    cHistorie his = history();
    his.add(stop("Andel"));
    his.incHistorySearchId();
    his.load("missing");
    EXPECT_EQ(his.count(), 0u);
    EXPECT_EQ(his.searchId(), 0);
    EXPECT_EQ(his.delimiter(), 0);
}

}  // namespace
}  // namespace trasovnik
