// The T9 exports: typed text and keypad keys fill the caller's places; deleting the last key
// leaves them as they were.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/api/trasovnik.h"

namespace {

class T9ExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
        const std::string path = std::string(TRASA_FIXTURE_DIR) + "/st-city.jz";
        const char* texts[] = {path.c_str()};
        int32_t lengths[] = {static_cast<int32_t>(path.size())};
        int32_t count = 0;
        ASSERT_EQ(api_nactiHlavicky(texts, lengths, 1, &count), ENGINE_OK);
        int32_t index = 0;
        int32_t failing = -1;
        ASSERT_EQ(api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0), ENGINE_OK);
        std::memset(places, 0, sizeof places);
    }
    void TearDown() override {
        for (TrasaPlace& p : places) {
            std::free(p.items);
        }
        api_zrusSestavuJizdnichRadu(set);
    }

    int32_t set = -1;
    TrasaPlace places[100];
    int32_t total = -1, history = -1, favourites = -1;
};

TEST_F(T9ExportsTest, TypedTextFillsThePlacesOfTheMatchingNames) {
    // "ná" fits Nádraží and Náměstí of the stops kind (kind 1, elements 2 and 3).
    ASSERT_EQ(api_T9ZmenTextQwerty(set, -1, "n\xE1", 2, -1, places, &total, &history, &favourites),
              ENGINE_OK);
    EXPECT_EQ(total, 2);
    EXPECT_EQ(history, 0);
    EXPECT_EQ(favourites, 0);
    ASSERT_EQ(places[0].count, 1);
    EXPECT_EQ(places[0].items[0].kind, 1);
    EXPECT_EQ(places[0].items[0].element, 2);
    EXPECT_EQ(places[1].items[0].element, 3);
    EXPECT_EQ(places[2].count, 0);

    EXPECT_EQ(api_T9ZmenTextQwerty(set, -1, nullptr, 3, -1, places, &total, &history, &favourites),
              ENGINE_ERROR);
    EXPECT_EQ(api_T9ZmenTextQwerty(set, 4, "n", 1, 0, places, &total, &history, &favourites),
              ENGINE_ERROR);
}

TEST_F(T9ExportsTest, KeysNarrowTheListAndDeletingTheLastKeepsIt) {
    int32_t code = 0;
    int32_t length = 0;
    char digits[30] = {};
    char text[30] = {};
    ASSERT_EQ(api_T9ZmenText(set, -1, 9, 0, 0, &code, digits, text, &length, 1, places, &total,
                             &history, &favourites),
              ENGINE_OK);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(total, 1);  // Zahrada
    EXPECT_EQ(places[0].items[0].element, 7);
    ASSERT_EQ(api_T9ZmenText(set, -1, -1, 0, 0, &code, digits, text, &length, 1, places, &total,
                             &history, &favourites),
              ENGINE_OK);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(total, 0);
    ASSERT_EQ(places[0].count, 1);  // left as it was
    EXPECT_EQ(places[0].items[0].element, 7);
}

}  // namespace
