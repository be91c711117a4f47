#pragma once
// Pieces the tests of these screens share: loading a compiled fixture as the engine's set, and
// naming a parameterised test after its device profile.
#include "app/core/EngineBinding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace pelorvant::testing {

// Loads build/<preset>/fixtures/<file> as a new set; its index, or -1 when it failed.
inline std::int32_t loadFixtureSet(const EngineApi& api, const std::string& file) {
    const std::string path = std::string(TRASA_FIXTURE_DIR) + "/" + file;
    const char* texts[] = {path.c_str()};
    std::int32_t lengths[] = {static_cast<std::int32_t>(path.size())};
    std::int32_t count = 0;
    if (api.api_nactiHlavicky(texts, lengths, 1, &count) != ENGINE_OK || count < 1) return -1;
    std::int32_t index = 0;
    std::int32_t failing = -1;
    std::int32_t set = -1;
    if (api.api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0) != ENGINE_OK) return -1;
    return set;
}

// "240x320-keypad" → "240x320_keypad", as test names allow.
inline std::string profileTestName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name;
}

}  // namespace pelorvant::testing
