// Every proper prefix of a compiled timetable file must fail to load with an engine code,
// cleanly: nothing else escapes, nothing leaks, nothing is read out of bounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "tests/engine/data/TimetableTestFiles.h"

namespace trasovnik {
namespace {

TEST(Truncation, EveryPrefixOfEveryFixtureFailsWithAnEngineCode) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TRASA_FIXTURE_DIR)) {
        if (entry.path().extension() == ".jz") {
            files.push_back(entry.path());
        }
    }
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        const std::vector<std::uint8_t> whole = testing::readFixture(path.filename().string());
        ASSERT_FALSE(whole.empty()) << path;
        ASSERT_NE(testing::load(whole), nullptr) << path;
        for (std::size_t n = 0; n < whole.size(); ++n) {
            std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + static_cast<long>(n));
            try {
                testing::load(std::move(prefix));
                ADD_FAILURE() << path.filename() << ": a prefix of " << n << " of " << whole.size()
                              << " bytes loaded";
            } catch (const EngineException& e) {
                EXPECT_TRUE(e.code() == ENGINE_EXC_SHORT_READ || e.code() == ENGINE_EXC_DECOMPRESS)
                    << path.filename() << " " << n << ": " << engineCodeName(e.code());
            }
        }
    }
}

}  // namespace
}  // namespace trasovnik
