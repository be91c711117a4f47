#include "app/core/UpdateInfo.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

TimetableHeaderInfo header(std::u16string title, std::int16_t versionDay) {
    TimetableHeaderInfo h;
    h.title = std::move(title);
    h.firstValidFrom = versionDay;
    return h;
}

std::u16string dayText(std::int16_t day) {
    return u"day " + fromUtf8(std::to_string(day));
}

class UpdateInfoTest : public ::testing::Test {
protected:
    void write(const std::string& text) { testing::writeFile(file, text); }

    testing::TempFolder folder;
    std::filesystem::path file = folder.path() / "akt.ini";
    std::vector<TimetableHeaderInfo> installed{header(u"Brno", 1990), header(u"Zl\u00EDn", 2000)};
};

TEST_F(UpdateInfoTest, UpdatesAreTheInstalledTimetablesOfferedNewer) {
    write("[tt]\r\nbrno=2000\r\nZL\xCDN=2000\r\nOstrava=2100\r\nbad=12x\r\n[size]\r\nbrno=1234\r\n"
          "[sha256]\r\nBRNO = 00ff \r\n[setup]\r\ndir=http://h/d/\r\n");
    const UpdateOffer offer = listTimetableUpdates(file, installed, nullptr, dayText);
    ASSERT_EQ(offer.rows.size(), 1u);  // Zlín is not newer, Ostrava is not installed
    EXPECT_EQ(offer.rows[0].name, u"brno");
    EXPECT_EQ(offer.rows[0].day, 2000);
    EXPECT_EQ(offer.rows[0].versionText, u"day 2000");
    EXPECT_EQ(offer.rows[0].sizeText, u"1234");
    EXPECT_EQ(offer.rows[0].sha256, "00ff");  // as written: the download decides what it is worth
    EXPECT_EQ(offer.dir, u"http://h/d/");
    const std::vector<int> onlyZlin{1};
    EXPECT_TRUE(listTimetableUpdates(file, installed, &onlyZlin, dayText).rows.empty());
}

TEST_F(UpdateInfoTest, NewTimetablesAreTheOffersNotInstalledWithTheirDefaults) {
    write("[tt]\r\nBrno=2000\r\nOstrava=2100\r\nPraha=2200\r\n[desc]\r\nPraha=MHD Praha\r\n");
    const UpdateOffer offer = listNewTimetables(file, installed, dayText);
    ASSERT_EQ(offer.rows.size(), 2u);
    EXPECT_EQ(offer.rows[0].name, u"Ostrava");  // the server's file name, case kept
    EXPECT_EQ(offer.rows[0].description, u"Ostrava");
    EXPECT_EQ(offer.rows[0].sizeText, u"nezn\u00E1m\u00E1");
    EXPECT_EQ(offer.rows[1].description, u"MHD Praha");
    EXPECT_EQ(offer.rows[1].sha256, "");  // an update information without digests
    EXPECT_EQ(offer.dir, u"");
}

TEST_F(UpdateInfoTest, OnlyInstalledTimetablesOfferedGiveNoNewOnes) {
    write("[tt]\r\nBrno=2000\r\n");
    EXPECT_TRUE(listNewTimetables(file, installed, dayText).rows.empty());
    EXPECT_TRUE(listNewTimetables(folder.path() / "missing.ini", installed, dayText).rows.empty());
}

TEST_F(UpdateInfoTest, NewProgramVersionOnlyWhenAskedAndNewer) {
    const auto app = folder.path() / "app.ini";
    testing::writeFile(app, "[setup]\r\nlast=12\r\nversion=1.2\r\n");
    EXPECT_EQ(getNewAppVersion(app, true, 11), u"1.2");
    EXPECT_EQ(getNewAppVersion(app, true, 12), u"");
    EXPECT_EQ(getNewAppVersion(app, false, 11), u"");
    EXPECT_EQ(getNewAppVersion(folder.path() / "missing.ini", true, 11), u"");
}

TEST_F(UpdateInfoTest, NewerMeansAVersionDayBelowTheOffer) {
    EXPECT_TRUE(isTimetableUpdateNewer(installed, u"BRNO", 1991));
    EXPECT_FALSE(isTimetableUpdateNewer(installed, u"brno", 1990));
    EXPECT_FALSE(isTimetableUpdateNewer(installed, u"Praha", 3000));
}

}  // namespace
}  // namespace pelorvant
