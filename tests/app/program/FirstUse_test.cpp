#include "app/program/FirstUse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

class FirstUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "firstuse-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        sample = root / "bin" / ".." / "data" / "sample.jz";
        fs::create_directories(root / "bin");
        fs::create_directories(sample.parent_path());
        std::ofstream(sample, std::ios::binary) << "sample bytes";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
    fs::path sample;
};

TEST_F(FirstUseTest, AnEmptyOrMissingDataFolderGetsTheSample) {
    const fs::path data = root / "home" / "data";
    EXPECT_TRUE(installSampleTimetable(data, bundledSamplePath(root / "bin")));
    std::ifstream in(data / "sample.jz", std::ios::binary);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "sample bytes");
    EXPECT_FALSE(fs::exists(data / "sample.jz.part"));
}

TEST_F(FirstUseTest, AFolderWithATimetableIsLeftAlone) {
    const fs::path data = root / "data2";
    fs::create_directories(data);
    std::ofstream(data / "mine.jz") << "x";
    EXPECT_FALSE(installSampleTimetable(data, sample));
    EXPECT_FALSE(fs::exists(data / "sample.jz"));
}

TEST_F(FirstUseTest, WithoutTheSampleNothingChanges) {
    const fs::path data = root / "data3";
    EXPECT_FALSE(installSampleTimetable(data, root / "nowhere.jz"));
    EXPECT_FALSE(fs::exists(data / "sample.jz"));
}

TEST_F(FirstUseTest, ASampleBesideTheProgramIsPreferred) {
    std::ofstream(root / "bin" / "sample.jz") << "y";
    EXPECT_EQ(bundledSamplePath(root / "bin"), root / "bin" / "sample.jz");
}

}  // namespace
}  // namespace pelorvant
