// Round trips: each fixture description, compiled at build time, loads into the model that the
// expected text under tests/tools/golden/ describes (the dump tool's text). A difference shows
// which field the compiler or the engine got wrong.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "tools/jzdump/TimetableDump.h"

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, LoadedModelMatchesTheExpectedText) {
    const std::string name = GetParam();
    trasovnik::LoadObserver quiet;
    auto jr =
        trasovnik::loadTimetableFile(std::string(TRASA_FIXTURE_DIR) + "/" + name + ".jz", quiet);
    ASSERT_NE(jr, nullptr);
    const std::string expected =
        readText(std::string(TRASA_SOURCE_DIR) + "/tests/tools/golden/" + name + ".txt");
    ASSERT_FALSE(expected.empty()) << "no expected text for " << name;
    const std::string actual = jzdump::dumpTimetable(*jr);
    // Compare line by line so that a failure names the first differing line.
    std::istringstream a(actual), e(expected);
    std::string al, el;
    int line = 1;
    while (std::getline(e, el)) {
        ASSERT_TRUE(std::getline(a, al)) << "dump ends before line " << line << ": " << el;
        ASSERT_EQ(al, el) << "line " << line;
        ++line;
    }
    EXPECT_FALSE(std::getline(a, al)) << "dump has more lines from " << line << ": " << al;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RoundTrip,
                         ::testing::Values("city_v40", "regional_v33", "old_v32"));

}  // namespace
