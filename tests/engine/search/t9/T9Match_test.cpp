// T9 codes and the T9 search over a set: keypad keys (with keys beyond the ninth), typed
// letters (one or more words, diacritics ignored), taking keys back, the 30-key limit, and
// history and favourites placed first and counted apart.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/t9/T9Code.h"
#include "engine/search/t9/T9Search.h"
#include "tests/engine/data/SectionFixture.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

std::string cp(std::u16string_view text) {
    return wideToCp1250(text);
}

TEST(T9Code, KeysAndCodesOfTexts) {
    struct Case {
        std::u16string text;
        std::int32_t code;
    };
    const Case cases[] = {
        {u"abc", 222},
        {u"adg", 432},
        {u"Brno", 6672},
        {u"a b", 1000000212},
        {u"Č", 2},
        {u"č", 2},
        {u"Ř", 7},
        {u"ř", 7},
        {u"ů", 8},
        {u"ch", 42},
        {u"0129", 1111},
        {u"wxyz", 9999},
        {u"Nové Město", 1000000000 + 873613866},   // coded "nove mest": the space is key 1
        {u"abcdefghijklm", 444333222},             // only the first nine characters count
        {u"abcdefghi-j", 1000000000 + 444333222},  // a separator after the ninth still flags
        {u"-abc", 2221},                           // a leading separator does not
        {u"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t9CodeOfWord(cp(c.text)), c.code) << cp1250ToUtf8(cp(c.text));
    }
    for (int b = 0; b < 256; ++b) {
        const int key = t9KeyOfChar(static_cast<std::uint8_t>(b));
        EXPECT_GE(key, 1) << b;
        EXPECT_LE(key, 9) << b;
    }
}

TEST(T9Code, SeparatorsAreTheFiveWordBreaks) {
    for (int b = 0; b < 256; ++b) {
        const bool expected = b == ' ' || b == ',' || b == '-' || b == '.' || b == '/';
        EXPECT_EQ(isT9Separator(static_cast<std::uint8_t>(b)), expected) << b;
    }
}

const std::vector<std::u16string> kNames = {u"Brno",
                                            u"Čáslav",
                                            u"Nové Město",
                                            u"Hlavní nádraží",
                                            u"Hlavní pošta nádraží",
                                            u"Náměstí Míru",
                                            u"Nádra",
                                            u"Nadrazi",
                                            u"Abcdefghi",
                                            u"Abcdefghij",
                                            u"Adamov",
                                            u"Abcdefghijklmnopqrstuvwxyzabcdefgh"};

std::string utf8Of(const std::u16string& s) {
    return cp1250ToUtf8(cp(s));
}

// A file whose stops kind holds one element per name of kNames.
nlohmann::json namesFile(const std::string& title, int identifier, int keyBase) {
    nlohmann::json doc = setFile(title, identifier, 0, keyBase);
    nlohmann::json elements = nlohmann::json::array();
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const std::string id = "n" + std::to_string(i);
        doc["stops"].push_back({{"id", id}, {"name", utf8Of(kNames[i])}, {"group", "g"}});
        elements.push_back({{"name", utf8Of(kNames[i])}, {"stops", {id}}});
    }
    doc["categories"][0]["elements"] = elements;
    return doc;
}

class T9SearchTest : public SetFixture {
protected:
    void loadFiles(const std::vector<std::string>& titles) {
        int id = 1;
        for (const std::string& t : titles) {
            addFile(t, namesFile(t, id, 100 * id));
            ++id;
        }
        makeEngine();
        ASSERT_EQ(loadTitles(titles).setIndex, 0);
    }
    cJizdniRadySestavy& set() { return engine->getSestava(0).combination(); }
    // Element index of a name in the stops kind (elements are kept in name order).
    std::int32_t elementOf(const std::u16string& name) {
        const cJizdniRad& f = set().timetable(0);
        const auto found = f.categories.findEntriesByPrefix(f.names, 0, cp(name));
        EXPECT_EQ(found.size(), 1u) << utf8Of(name);
        return found.empty() ? -1 : static_cast<std::int32_t>(found[0]);
    }
    // "name" per candidate, "name@0+1" when the candidate joins several files.
    std::vector<std::string> names(const T9Counts& counts) const {
        std::vector<std::string> out;
        for (std::int32_t i = 0; i < counts.total; ++i) {
            const IndexTripleVector& c = candidates[static_cast<std::size_t>(i)];
            std::string s =
                cp1250ToUtf8(engine->getSestava(0).combination().elementNameOf(c.at(0)));
            if (c.count() > 1) {
                s += "@";
                for (std::uint32_t t = 0; t < c.count(); ++t) {
                    s += (t ? "+" : "") + std::to_string(c.at(t).timetable);
                }
            }
            out.push_back(s);
        }
        for (std::size_t i = static_cast<std::size_t>(counts.total); i < candidates.size(); ++i) {
            EXPECT_EQ(candidates[i].count(), 0) << "slot " << i << " not emptied";
        }
        return out;
    }
    std::vector<std::string> typed(std::u16string_view text, T9Scope scope = {}) {
        return names(t9TypedText(set(), scope, cp(text), candidates));
    }
    // Keypad state of one entry.
    T9Counts press(int key, char16_t letter = 0) {
        const bool isLetter = letter != 0;
        return t9KeyPress(set(), T9Scope{}, key, isLetter ? wideCharToCp1250(letter) : 0, isLetter,
                          T9TypedState{&code, digits, text, &length}, candidates);
    }

    std::vector<IndexTripleVector> candidates = std::vector<IndexTripleVector>(kT9CandidateSlots);
    std::int32_t code = 0;
    std::int32_t length = 0;
    std::uint8_t digits[30] = {};
    std::uint8_t text[30] = {};
};

TEST_F(T9SearchTest, TypedLettersMatchNamesIgnoringCaseAndDiacritics) {
    loadFiles({"Alfa"});
    struct Case {
        std::u16string typed;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {u"br", {"Brno"}},
        {u"cas", {"Čáslav"}},
        {u"ČÁS", {"Čáslav"}},
        {u"čas", {"Čáslav"}},
        {u"hl", {"Hlavní nádraží", "Hlavní pošta nádraží"}},
        {u"hl n", {"Hlavní nádraží"}},
        {u"hl  ,n", {"Hlavní nádraží"}},  // a run of typed separators is one break
        {u"hl p n", {"Hlavní pošta nádraží"}},
        {u"nam mir", {"Náměstí Míru"}},
        {u"nam m", {"Náměstí Míru"}},
        {u"nam ", {"Náměstí Míru"}},  // a trailing separator matches at the name's next one
        {u"nam x", {}},
        {u"nove m", {"Nové Město"}},
        {u"nove-m", {"Nové Město"}},  // any typed separator stands for any break of the name
        {u"brno ", {}},               // a one-word name has no next word
        {u"abcdefghij", {"Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
        {u"abcdefghijk", {"Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
        {u"abcdefghi", {"Abcdefghi", "Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
        // An exact-length name comes first, whatever its name order.
        {u"nadra", {"Nádra", "Nadrazi"}},
        {u"nádra", {"Nádra", "Nadrazi"}},
        {u"x", {}},
        {u"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(typed(c.typed), c.expected) << utf8Of(c.typed);
    }
}

TEST_F(T9SearchTest, KeypadKeysMatchByTheirLetterGroups) {
    loadFiles({"Alfa"});
    struct Case {
        std::vector<int> keys;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{2},
         {"Abcdefghi", "Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh", "Adamov", "Alfa obec",
          "Brno", "Čáslav"}},
        {{2, 2}, {"Abcdefghi", "Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh", "Čáslav"}},
        {{2, 7, 6, 6}, {"Brno"}},
        {{6, 6, 8, 3, 1, 6}, {"Nové Město"}},
        // Nine keys: the exact-length name first; the tenth key is compared with the tenth
        // character, so a nine-character name no longer matches.
        {{2, 2, 2, 3, 3, 3, 4, 4, 4},
         {"Abcdefghi", "Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
        {{2, 2, 2, 3, 3, 3, 4, 4, 4, 5}, {"Abcdefghij", "Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
        {{2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5}, {"Abcdefghijklmnopqrstuvwxyzabcdefgh"}},
    };
    for (const Case& c : cases) {
        code = 0;
        length = 0;
        T9Counts counts;
        for (int k : c.keys) {
            counts = press(k);
        }
        EXPECT_EQ(length, static_cast<std::int32_t>(c.keys.size()));
        EXPECT_EQ(names(counts), c.expected) << c.keys.size() << " keys";
    }
}

TEST_F(T9SearchTest, AKeyThatLeavesNothingIsTakenBack) {
    loadFiles({"Alfa"});
    for (int k : {2, 7, 6, 6}) {
        press(k);
    }
    const T9Counts counts = press(9);  // "brnow" names nothing
    EXPECT_EQ(length, 4);
    EXPECT_EQ(code, 6672);
    EXPECT_EQ(names(counts), std::vector<std::string>{"Brno"});

    // Letters the same way: "brq" goes back to "br".
    code = 0;
    length = 0;
    press(0, u'b');
    press(0, u'r');
    EXPECT_EQ(names(press(0, u'q')), std::vector<std::string>{"Brno"});
    EXPECT_EQ(length, 2);

    // Nothing from the first key on: the entry ends empty.
    code = 0;
    length = 0;
    const T9Counts none = press(1);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(none.total, 0);
}

TEST_F(T9SearchTest, DeletingTheOnlyKeyEndsEmptyWithoutASearch) {
    loadFiles({"Alfa"});
    press(2);
    press(7);
    // Back to one key: the search of "2" again.
    EXPECT_EQ(names(press(-1)).size(), 7u);
    EXPECT_EQ(length, 1);
    const IndexTriple before = candidates[0].at(0);
    const T9Counts counts = press(-1);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(counts.total, 0);
    EXPECT_EQ(counts.history, 0);
    EXPECT_EQ(counts.favourites, 0);
    // No search ran: the candidates are left as they were.
    ASSERT_EQ(candidates[0].count(), 1);
    EXPECT_EQ(candidates[0].at(0).element, before.element);
    // Deleting on an empty entry stays empty.
    EXPECT_EQ(press(-1).total, 0);
    EXPECT_EQ(length, 0);
}

TEST_F(T9SearchTest, TheThirtyFirstKeyOrLetterIsDropped) {
    loadFiles({"Alfa"});
    const std::u16string longName = kNames.back();
    T9Counts counts;
    for (std::size_t i = 0; i < 31; ++i) {
        counts = press(0, longName[i]);
    }
    EXPECT_EQ(length, 30);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text), 30), cp(longName.substr(0, 30)));
    EXPECT_EQ(names(counts), std::vector<std::string>{"Abcdefghijklmnopqrstuvwxyzabcdefgh"});

    code = 0;
    length = 0;
    const std::string asText = cp(longName);
    for (std::size_t i = 0; i < 31; ++i) {
        counts = press(t9KeyOfChar(static_cast<std::uint8_t>(asText[i])));
    }
    EXPECT_EQ(length, 30);
    for (std::size_t i = 9; i < 30; ++i) {
        EXPECT_EQ(digits[i], t9KeyOfChar(static_cast<std::uint8_t>(asText[i]))) << i;
    }
    EXPECT_EQ(names(counts), std::vector<std::string>{"Abcdefghijklmnopqrstuvwxyzabcdefgh"});
}

TEST_F(T9SearchTest, HistoryAndFavouritesComeFirstAndAreCountedApart) {
    loadFiles({"Alfa"});
    std::vector<IndexTriple> brno{{0, 0, elementOf(u"Brno")}};
    std::vector<IndexTriple> caslav{{0, 0, elementOf(u"Čáslav")}};
    ASSERT_EQ(set().addHistory(PlaceRecord{brno.data(), 1}), 0);
    ASSERT_EQ(set().addFavourite(PlaceRecord{brno.data(), 1}), 0);
    ASSERT_EQ(set().addFavourite(PlaceRecord{caslav.data(), 1}), 0);

    const T9Counts counts = press(2);
    EXPECT_EQ(counts.history, 1);
    EXPECT_EQ(counts.favourites, 1);  // Brno is in the history already
    // Brno and Čáslav are not repeated among the elements.
    EXPECT_EQ(names(counts), (std::vector<std::string>{"Brno", "Čáslav", "Abcdefghi", "Abcdefghij",
                                                       "Abcdefghijklmnopqrstuvwxyzabcdefgh",
                                                       "Adamov", "Alfa obec"}));
    // A history entry that does not match is not listed.
    const T9Counts h = t9TypedText(set(), T9Scope{}, cp(u"ča"), candidates);
    EXPECT_EQ(h.history, 0);
    EXPECT_EQ(h.favourites, 1);
    EXPECT_EQ(names(h), std::vector<std::string>{"Čáslav"});
}

TEST_F(T9SearchTest, AnObjectOfSeveralFilesIsOneCandidate) {
    loadFiles({"Alfa", "Beta"});
    const std::int32_t e = elementOf(u"Brno");
    std::vector<IndexTriple> both{{0, 0, e}, {1, 0, e}};
    ASSERT_EQ(set().addHistory(PlaceRecord{both.data(), 2}), 0);

    const T9Counts counts = t9TypedText(set(), T9Scope{}, cp(u"br"), candidates);
    EXPECT_EQ(counts.history, 1);
    EXPECT_EQ(names(counts), std::vector<std::string>{"Brno@0+1"});
    EXPECT_EQ(typed(u"cas"), std::vector<std::string>{"Čáslav@0+1"});
    // One category of one file, and a merged category over both.
    EXPECT_EQ(typed(u"cas", T9Scope{1, 0}), std::vector<std::string>{"Čáslav"});
    EXPECT_EQ(candidates[0].at(0).timetable, 1);
    EXPECT_EQ(typed(u"cas", T9Scope{-1, 0}), std::vector<std::string>{"Čáslav@0+1"});
    // The towns kind names no such place.
    EXPECT_EQ(typed(u"cas", T9Scope{0, 1}), std::vector<std::string>{});
}

TEST_F(T9SearchTest, ScopesOutsideTheSetAreRefused) {
    loadFiles({"Alfa"});
    EXPECT_EQ(engineCodeOf([&] { typed(u"a", T9Scope{0, 7}); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { typed(u"a", T9Scope{3, 0}); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { typed(u"a", T9Scope{-1, 40}); }), ENGINE_EXC_INDEX);
    std::vector<IndexTripleVector> few(3);
    EXPECT_EQ(engineCodeOf([&] { t9TypedText(set(), T9Scope{}, "a", few); }),
              ENGINE_EXC_BAD_ARGUMENT);
}

}  // namespace
}  // namespace trasovnik::testing
