#include "tools/mkupdate/UpdateFolder.h"

#include "app/core/DownloadCodes.h"
#include "app/core/DownloadJob.h"
#include "app/core/FileDigest.h"
#include "app/core/ServerNames.h"
#include "app/core/UpdateCheckJob.h"
#include "app/core/UpdateInfo.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "platform/services/network/Connectivity.h"

#include "engine/data/Cp1250Text.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class MkUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "mkupdate-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fixture = fs::path(TRASA_FIXTURE_DIR) / "city_v40.jz";
        trasovnik::LoadObserver quiet;
        header = trasovnik::loadTimetableFile(fixture.string(), quiet)->header;
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    fs::path fixture;
    trasovnik::cHlavicka header;
};

TEST_F(MkUpdateTest, OffersTimetablesNamedByTheirTitles) {
    const std::string title = trasovnik::cp1250ToUtf8(header.title);
    fs::copy_file(fixture, folder / (title + ".jz"));
    const auto report = mkupdate::writeUpdateFolder(
        {.folder = folder, .dir = "http://127.0.0.1:8000/", .build = 12, .version = "1.2 \xC5\xBElut\xC3\xA1"});
    EXPECT_TRUE(report.problems.empty());
    ASSERT_EQ(report.offered, std::vector<std::string>{title});
    const std::string kb = std::to_string(fs::file_size(fixture) / 1024);
    EXPECT_EQ(readAll(folder / "pelorakt.ini"),
              "[tt]\r\n" + header.title + "=" + std::to_string(header.firstValidFrom) + "\r\n[size]\r\n" +
                  header.title + "=" + kb + "\r\n[desc]\r\n" + header.title + "=" + header.firstText +
                  "\r\n[sha256]\r\n" + header.title + "=" + pelorvant::sha256Hex(*pelorvant::sha256OfFile(fixture)) +
                  "\r\n[setup]\r\ndir=http://127.0.0.1:8000/\r\n");
    EXPECT_EQ(readAll(folder / "app" / "pelorakt.ini"), "[setup]\r\nlast=12\r\nversion=1.2 \x9Elut\xE1\r\n");
}

TEST_F(MkUpdateTest, FilesTheProgramWouldNotFindAreLeftOutAndNamed) {
    fs::copy_file(fixture, folder / "renamed.jz");
    std::ofstream(folder / "junk.jz") << "not a timetable";
    const auto report = mkupdate::writeUpdateFolder({.folder = folder});
    EXPECT_TRUE(report.offered.empty());
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_NE(report.problems[0].find("junk.jz"), std::string::npos);
    EXPECT_NE(report.problems[1].find("renamed.jz"), std::string::npos);
    EXPECT_EQ(readAll(folder / "pelorakt.ini"), "[tt]\r\n[size]\r\n[desc]\r\n[sha256]\r\n");
    EXPECT_EQ(readAll(folder / "app" / "pelorakt.ini"), "[setup]\r\nlast=0\r\n");
}

}  // namespace

// The folder mkupdate wrote, served as static files, is a working update source: the check
// fetches it, the new timetable is offered and its download lands in the data folder.

namespace {

class SilentReporter final : public pelorvant::DownloadJobReporter, public pelorvant::UpdateCheckReporter {
public:
    void progress(int) override {}
    bool askPaidConnection() override { return false; }
    void nextFile(const std::u16string&) override {}
    void criticalError() override {}
    void downloadDone(std::int64_t, const std::u16string&) override {}
    void updateCheckDone(std::int64_t, std::int64_t) override {}
};

TEST_F(MkUpdateTest, StaticServerOfTheFolderIsAWorkingUpdateSource) {
    const std::string title = trasovnik::cp1250ToUtf8(header.title);
    const fs::path site = folder / "site";
    fs::create_directories(site);
    fs::copy_file(fixture, site / (title + ".jz"));
    platform::services::LoopbackHttpServer server;
    server.serveFolder("/", site.string());
    mkupdate::writeUpdateFolder({.folder = site, .build = 3, .version = "3"});

    auto http = platform::services::makeCurlHttpClient();
    platform::services::FakeConnectivity network;
    std::atomic<bool> cancel{false};
    pelorvant::DownloadServices services{*http, network, cancel, {}};
    SilentReporter reporter;
    const fs::path data = folder / "data";
    pelorvant::UpdateCheckJob check;
    check.updateInfoAddress = server.url("/pelorakt.ini");
    check.programVersionAddress = server.url("/app/pelorakt.ini");
    check.dataFolder = data;
    const auto codes = pelorvant::runUpdateCheck(check, services, reporter);
    ASSERT_GE(codes.updateInfo, 0);
    ASSERT_GE(codes.programVersion, 0);
    EXPECT_EQ(pelorvant::getNewAppVersion(data / pelorvant::kProgramVersionFileName, true, 2), u"3");

    const auto offer = pelorvant::listNewTimetables(data / pelorvant::kUpdateInfoFileName, {},
                                                    [](std::int16_t) { return std::u16string(); });
    ASSERT_EQ(offer.rows.size(), 1u);
    ASSERT_EQ(offer.rows[0].sha256.size(), 64u);
    pelorvant::DownloadJob job;
    job.files = {{offer.rows[0].name, offer.rows[0].sha256}};
    job.serverFolder = pelorvant::serverFolderAddress(offer.dir, check.updateInfoAddress);
    job.downloadFolder = data;
    job.checkTimetable = [](const fs::path&) {
        return 0;
    };  // the engine's check is tested with the engine
    // One bit flipped on the server after the update information was written: the digest
    // tells, though the length is right and the check above takes any file.
    std::string flipped = readAll(fixture);
    flipped[flipped.size() / 2] ^= 0x10;
    std::ofstream(site / (title + ".jz"), std::ios::binary | std::ios::trunc) << flipped;
    EXPECT_EQ(pelorvant::runDownloadJob(job, services, reporter), pelorvant::kDownloadDamaged);
    EXPECT_FALSE(fs::exists(data / (title + ".jz")));

    fs::copy_file(fixture, site / (title + ".jz"), fs::copy_options::overwrite_existing);
    EXPECT_EQ(pelorvant::runDownloadJob(job, services, reporter),
              static_cast<std::int64_t>(fs::file_size(fixture)));
    EXPECT_EQ(readAll(data / (title + ".jz")), readAll(fixture));
}

}  // namespace
