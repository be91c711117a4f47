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
    EXPECT_EQ(installSampleTimetable(data, bundledSamplePath(root / "bin")),
              SampleInstall::Installed);
    std::ifstream in(data / "sample.jz", std::ios::binary);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "sample bytes");
    EXPECT_FALSE(fs::exists(data / "sample.jz.part"));
}

TEST_F(FirstUseTest, AFolderWithATimetableIsLeftAlone) {
    const fs::path data = root / "data2";
    fs::create_directories(data);
    std::ofstream(data / "mine.jz", std::ios::binary) << "\x27\xBC\x86\xAA rest of a timetable";
    EXPECT_EQ(installSampleTimetable(data, sample), SampleInstall::NotNeeded);
    EXPECT_FALSE(fs::exists(data / "sample.jz"));
}

// An interrupted copy or a saved error page is no timetable: the sample comes all the same.
TEST_F(FirstUseTest, FilesThatAreNoTimetablesDoNotCount) {
    const fs::path data = root / "data4";
    fs::create_directories(data);
    std::ofstream(data / "empty.jz");
    std::ofstream(data / "page.jz") << "<html>Not found</html>";
    EXPECT_EQ(installSampleTimetable(data, sample), SampleInstall::Installed);
    EXPECT_TRUE(fs::exists(data / "sample.jz"));
    EXPECT_TRUE(fs::exists(data / "empty.jz"));  // the user's files stay
}

// A copy that cannot be made (here the temporary name is taken by a folder, as a full disk
// would refuse the bytes) is reported, and nothing is left that looks like a timetable.
TEST_F(FirstUseTest, AFailedCopyIsReported) {
    const fs::path data = root / "data5";
    fs::create_directories(data / "sample.jz.part" / "x");
    EXPECT_EQ(installSampleTimetable(data, sample), SampleInstall::Failed);
    EXPECT_FALSE(fs::exists(data / "sample.jz"));
    EXPECT_NE(sampleNotCopiedText(data).find(u"nepoda\u0159ilo zkop\u00EDrovat"),
              std::u16string::npos);
}

TEST_F(FirstUseTest, WithoutTheSampleNothingChanges) {
    const fs::path data = root / "data3";
    EXPECT_EQ(installSampleTimetable(data, root / "nowhere.jz"), SampleInstall::NotNeeded);
    EXPECT_FALSE(fs::exists(data / "sample.jz"));
}

TEST_F(FirstUseTest, ASampleBesideTheProgramIsPreferred) {
    std::ofstream(root / "bin" / "sample.jz") << "y";
    EXPECT_EQ(bundledSamplePath(root / "bin"), root / "bin" / "sample.jz");
}

}  // namespace
}  // namespace pelorvant
