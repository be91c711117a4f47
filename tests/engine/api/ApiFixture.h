#pragma once
// An engine made through the exports (without an INI store) with the compiled test timetables
// in its header catalogue, and sets loaded from them by title.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/api/trasovnik.h"

namespace trasovnik::testing {

inline std::string fixturePath(std::string_view name) {
    return std::string(TRASA_FIXTURE_DIR) + "/" + std::string(name);
}

// Titles of the test timetables, in Windows-1250.
inline constexpr std::string_view kCityTitle = "MHD Horn\xED Lhota 07";
inline constexpr std::string_view kRegionalTitle = "Autobusy Vyso\xE8ina";

class ApiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
        const std::vector<std::string> paths = {fixturePath("city_v40.jz"),
                                                fixturePath("regional_v33.jz")};
        std::vector<const char*> texts;
        std::vector<int32_t> lengths;
        for (const auto& p : paths) {
            texts.push_back(p.data());
            lengths.push_back(static_cast<int32_t>(p.size()));
        }
        int32_t count = 0;
        ASSERT_EQ(api_nactiHlavicky(texts.data(), lengths.data(), 2, &count), ENGINE_OK);
        ASSERT_EQ(count, 2);
    }

    // The file name and the title of catalogue entry i (Windows-1250).
    struct EntryTexts {
        std::string fileName;
        std::string title;
    };
    static EntryTexts entryTexts(int32_t i) {
        const char* s[6];
        int32_t n[9];
        int16_t h[5];
        uint8_t f[5];
        const int16_t* codes = nullptr;
        EXPECT_EQ(api_getHlavicku(i, &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &n[0], &n[1], &n[2], &n[3],
                                  &n[4], &n[5], &n[6], &h[0], &h[1], &h[2], &h[3], &h[4], &f[0], &f[1], &n[7],
                                  &codes, &n[8], &f[2], &f[3], &f[4]),
                  ENGINE_OK);
        return {std::string(s[0], static_cast<std::size_t>(n[0])), std::string(s[1], static_cast<std::size_t>(n[1]))};
    }

    // The catalogue index of the timetable with this title.
    static int32_t catalogueIndex(std::string_view title) {
        for (int32_t i = 0; i < 2; ++i) {
            if (entryTexts(i).title == title) {
                return i;
            }
        }
        ADD_FAILURE() << "no timetable of that title";
        return -1;
    }

    static int32_t loadSet(std::vector<std::string_view> titles) {
        std::vector<int32_t> indexes;
        for (auto t : titles) {
            indexes.push_back(catalogueIndex(t));
        }
        int32_t set = -1;
        int32_t failing = -1;
        EXPECT_EQ(api_nactiSestavuJizdnichRadu(indexes.data(), static_cast<int32_t>(indexes.size()),
                                               &set, &failing, 0),
                  ENGINE_OK);
        EXPECT_GE(set, 0);
        return set;
    }
};

}  // namespace trasovnik::testing
