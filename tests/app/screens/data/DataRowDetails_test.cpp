#include "app/screens/data/DataRowDetails.h"

#include "platform/draw/Utf.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

TEST(DataRowDetails, OfferedRowShowsVersionAndSizeInKilobytes) {
    EXPECT_EQ(offeredRowDetails(16, u"MHD Brno", u"23. 6.", u"1234"),
              u"<*b*><*16*>MHD Brno\r<*14*>Verze:<*b*>23. 6.  <*b*>Velikost:<*b*>1234 KB");
}

class InstalledFileDetails : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "details-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(InstalledFileDetails, SizeIsInWholeKilobytes) {
    const fs::path file = folder / "brno.jz";
    std::ofstream(file, std::ios::binary) << std::string(3000000, 'x');
    EXPECT_EQ(installedFileDetails(20, file), u"<*b*><*20*> Um\u00EDst\u011Bn\u00ED:<*b*><*16*>\r" +
                                                  platform::draw::fromUtf8(file.string()) +
                                                  u"<*b*><*20*>\rVelikost:<*b*>2929 KB");
}

TEST_F(InstalledFileDetails, FileThatCannotBeReadShowsZero) {
    const std::u16string text = installedFileDetails(16, folder / "gone.jz");
    EXPECT_NE(text.find(u"Velikost:<*b*>0 KB"), std::u16string::npos);
}

}  // namespace
}  // namespace pelorvant
