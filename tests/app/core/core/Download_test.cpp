#include "app/core/DownloadCodes.h"
#include "app/core/DownloadJob.h"
#include "app/core/DownloadToFile.h"
#include "app/core/FileDigest.h"
#include "app/core/ServerNames.h"
#include "app/core/UpdateCheckJob.h"
#include "CoreTestSupport.h"
#include "platform/services/http/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <fstream>
#include <thread>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using platform::services::FakeConnectivity;
using platform::services::LoopbackHttpServer;
using platform::services::LoopbackRoute;
using platform::services::NetworkState;

class RecordingReporter final : public DownloadJobReporter, public UpdateCheckReporter {
public:
    void progress(int percent) override { percents.push_back(percent); }
    bool askPaidConnection() override {
        ++questions;
        return answerYes;
    }
    void nextFile(const std::u16string& name) override { nextNames.push_back(name); }
    void criticalError() override { ++criticalErrors; }
    void downloadDone(std::int64_t code, const std::u16string& failedName) override {
        doneCodes.push_back(code);
        failed = failedName;
    }
    void updateCheckDone(std::int64_t a, std::int64_t b) override { checkCodes = {a, b}; }

    bool answerYes = true;
    int questions = 0;
    int criticalErrors = 0;
    std::vector<int> percents;
    std::vector<std::u16string> nextNames;
    std::vector<std::int64_t> doneCodes;
    std::u16string failed;
    std::pair<std::int64_t, std::int64_t> checkCodes{0, 0};
};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Bytes that start like a timetable file.
std::string timetableBytes(std::size_t size, char fill = 'x') {
    std::string bytes(size, fill);
    bytes.replace(0, 4, "\x27\xBC\x86\xAA");
    return bytes;
}

class DownloadTest : public ::testing::Test {
protected:
    DownloadServices services() {
        return DownloadServices{*http, connectivity, cancel, [this](const fs::path&) { return freeKilobytes; }};
    }
    DownloadRequest request(const std::string& path) {
        DownloadRequest r;
        r.url = server.url(path);
        r.target = folder.path() / "target.bin";
        r.spaceFolder = folder.path();
        r.transfer.blockSize = 1000;
        return r;
    }
    DownloadResult fetch(const std::string& path) {
        auto s = services();
        return downloadToFile(request(path), s, reporter);
    }

    testing::TempFolder folder;
    LoopbackHttpServer server;
    std::unique_ptr<platform::services::HttpClient> http = platform::services::makeCurlHttpClient();
    FakeConnectivity connectivity{NetworkState::Free};
    std::atomic<bool> cancel{false};
    std::optional<std::int64_t> freeKilobytes = 1000000;
    RecordingReporter reporter;
};

struct AnswerCase {
    const char* what;
    LoopbackRoute route;
    std::int64_t code;
    bool stored;
};

class DownloadAnswers : public DownloadTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(DownloadAnswers, OnlyAWholeTwoHundredAnswerIsStored) {
    const AnswerCase& c = GetParam();
    server.setRoute("/file", c.route);
    server.setRoute("/moved", {.status = 302, .redirectTo = "/file"});
    testing::writeFile(folder.path() / "target.bin", "stale");
    const DownloadResult result = fetch(c.route.status == 302 ? "/moved" : "/file");
    EXPECT_EQ(result.code, c.code) << c.what;
    EXPECT_EQ(fs::exists(folder.path() / "target.bin"), c.stored) << c.what;
    if (c.stored) EXPECT_TRUE(readAll(folder.path() / "target.bin") == c.route.body) << c.what;
}

const std::string kBody(2500, 'b');

INSTANTIATE_TEST_SUITE_P(
    Answers, DownloadAnswers,
    ::testing::Values(AnswerCase{"200 with a length", {.body = kBody}, 2500, true},
                      AnswerCase{"200 without a length", {.body = kBody, .announceLength = false}, 2500, true},
                      AnswerCase{"200 under one kilobyte", {.body = "tiny"}, 4, true},
                      AnswerCase{"200 empty", {.body = ""}, 0, true},
                      AnswerCase{"404", {.status = 404, .body = "missing"}, kDownloadNotFound, false},
                      AnswerCase{"403 page", {.status = 403, .body = "forbidden"}, kDownloadServerError, false},
                      AnswerCase{"500 page", {.status = 500, .body = "error"}, kDownloadServerError, false},
                      AnswerCase{"body cut short", {.body = kBody, .cutAfter = 1200}, kDownloadCutShort, false},
                      AnswerCase{"redirect to itself", {.status = 302, .redirectTo = "/file"}, kDownloadRedirectLoop,
                                 false},
                      AnswerCase{"redirect to a local file", {.status = 302, .redirectTo = "file:///etc/hostname"},
                                 kDownloadBadRedirect, false}));

TEST_F(DownloadTest, RedirectIsFollowed) {
    server.setRoute("/file", {.body = kBody});
    server.setRoute("/moved", {.status = 302, .redirectTo = "/file"});
    EXPECT_EQ(fetch("/moved").code, 2500);
}

TEST_F(DownloadTest, ProgressIsInPercentOfTheAnnouncedLength) {
    server.setRoute("/file", {.body = std::string(4000, 'p')});
    ASSERT_EQ(fetch("/file").code, 4000);
    EXPECT_EQ(reporter.percents, (std::vector<int>{25, 50, 75, 100}));
}

TEST_F(DownloadTest, NoLengthGivesNoPercentage) {
    server.setRoute("/file", {.body = std::string(4000, 'p'), .announceLength = false});
    const DownloadResult result = fetch("/file");
    EXPECT_EQ(result.code, 4000);
    EXPECT_FALSE(result.lengthAnnounced);
    EXPECT_TRUE(reporter.percents.empty());
}

TEST_F(DownloadTest, FreeSpaceMustHoldTheFileAndAQuarterMegabyteMore) {
    server.setRoute("/file", {.body = std::string(300 * 1024, 's')});
    freeKilobytes = 300 + 256;
    EXPECT_EQ(fetch("/file").code, 300 * 1024);
    freeKilobytes = 300 + 255;
    EXPECT_EQ(fetch("/file").code, kDownloadNoSpace);
    EXPECT_FALSE(fs::exists(folder.path() / "target.bin"));
}

TEST_F(DownloadTest, ServerDownIsCannotOpen) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.port();
    }
    auto s = services();
    DownloadRequest r = request("/file");
    r.url = "http://127.0.0.1:" + std::to_string(closedPort) + "/file";
    EXPECT_EQ(downloadToFile(r, s, reporter).code, kDownloadCannotOpen);
}

TEST_F(DownloadTest, NoAnswerDirectlyGoesThroughTheProxy) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.port();
    }
    server.setRoute("*", {.body = "through the proxy"});
    auto s = services();
    DownloadRequest r = request("/file");
    r.url = "http://127.0.0.1:" + std::to_string(closedPort) + "/pelorakt.ini";
    r.transfer.proxy = "127.0.0.1:" + std::to_string(server.port());
    EXPECT_EQ(downloadToFile(r, s, reporter).code, 17);
    EXPECT_EQ(readAll(r.target), "through the proxy");
    ASSERT_EQ(server.targets().size(), 1u);
    EXPECT_EQ(server.targets()[0], r.url);
}

TEST_F(DownloadTest, CancelOnASlowBodyStopsWithinABlockAndRemovesThePartialFile) {
    server.setRoute("/file", {.body = std::string(2000000, 'c'), .slowChunk = 1000,
                              .slowPause = std::chrono::milliseconds(5)});
    std::thread canceller([&] {
        while (reporter.percents.empty() && server.slowBytesSent() < 5000) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        cancel = true;
    });
    const DownloadResult result = fetch("/file");
    canceller.join();
    EXPECT_EQ(result.code, kDownloadCancelled);
    EXPECT_FALSE(fs::exists(folder.path() / "target.bin"));
    EXPECT_LT(server.slowBytesSent(), 2000000u);
}

struct NetworkCase {
    const char* what;
    NetworkState state;
    bool mayAsk;
    bool answerYes;
    int questions;
    std::int64_t code;
    bool canConnect = false;  // NetworkManager brings a connection up when asked
    int requests = 0;         // connection requests made
};

class DownloadNetwork : public DownloadTest, public ::testing::WithParamInterface<NetworkCase> {};

TEST_P(DownloadNetwork, PaidConnectionIsUsedOnlyAfterAYes) {
    const NetworkCase& c = GetParam();
    server.setRoute("/file", {.body = "data"});
    connectivity.setState(c.state);
    connectivity.canConnect = c.canConnect;
    reporter.answerYes = c.answerYes;
    auto s = services();
    DownloadRequest r = request("/file");
    r.transfer.mayAsk = c.mayAsk;
    EXPECT_EQ(downloadToFile(r, s, reporter).code, c.code) << c.what;
    EXPECT_EQ(reporter.questions, c.questions) << c.what;
    EXPECT_TRUE(server.targets().empty() == (c.code < 0)) << c.what;
    EXPECT_EQ(connectivity.requests, c.requests) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Networks, DownloadNetwork,
    ::testing::Values(NetworkCase{"free connection", NetworkState::Free, true, false, 0, 4},
                      NetworkCase{"no NetworkManager", NetworkState::Unknown, true, false, 0, 4},
                      NetworkCase{"metered, Yes", NetworkState::Metered, true, true, 1, 4},
                      NetworkCase{"metered, No", NetworkState::Metered, true, false, 1, kDownloadNoConnection},
                      NetworkCase{"metered, started by the updater", NetworkState::Metered, false, true, 0,
                                  kDownloadNoConnection},
                      NetworkCase{"metered, started by the updater", NetworkState::Metered, false,
                                  true, 0, kDownloadNoConnection},
                      NetworkCase{"offline, Yes, nothing comes up", NetworkState::Offline, true,
                                  true, 1, kDownloadNoConnection, false, 1},
                      NetworkCase{"offline, Yes, a connection comes up", NetworkState::Offline,
                                  true, true, 1, 4, true, 1},
                      NetworkCase{"offline, No", NetworkState::Offline, true, false, 1,
                                  kDownloadNoConnection, true, 0},
                      NetworkCase{"offline, started by the updater", NetworkState::Offline, false,
                                  true, 0, kDownloadNoConnection, true, 0}));

TEST(DownloadPercent, SixtyFourBitsAndNoDivisionByZero) {
    EXPECT_EQ(downloadPercent(512, 1000), 51);
    EXPECT_EQ(downloadPercent(10, 0), 0);
    EXPECT_EQ(downloadPercent(10, -1), 0);
    EXPECT_EQ(downloadPercent(3'000'000'000LL, 6'000'000'000LL), 50);
    EXPECT_EQ(downloadPercent(INT64_MAX - 1, INT64_MAX), 99);
    EXPECT_EQ(downloadPercent(2000, 1000), 100);
}

TEST(ServerNames, RefusesPathsAndControlCharacters) {
    EXPECT_TRUE(isSafeTimetableName(u"Brno"));
    EXPECT_TRUE(isSafeTimetableName(u"\u017Dilina 2026"));
    for (const std::u16string& bad : std::vector<std::u16string>{u"", u"a/b", u"a\\b", u"..", u"x..y", u"a\nb", std::u16string(u"a\0b", 3)}) {
        EXPECT_FALSE(isSafeTimetableName(bad)) << toUtf8(bad);
    }
}

TEST(ServerNames, ServerFolderFromDirOrFromTheUpdateAddress) {
    EXPECT_EQ(serverFolderAddress(u"http://h/data", "http://x/a/pelorakt.ini"), "http://h/data/");
    EXPECT_EQ(serverFolderAddress(u"https://h/data/", ""), "https://h/data/");
    EXPECT_EQ(serverFolderAddress(u"", "http://x/a/pelorakt.ini"), "http://x/a/");
    EXPECT_EQ(serverFolderAddress(u"file:///etc/", ""), "");
    EXPECT_EQ(serverFolderAddress(u"http://h/../etc/", ""), "");
    EXPECT_EQ(serverFolderAddress(u"http://h/a\r\nb", ""), "");
    EXPECT_EQ(timetableAddress("http://h/d/", u"Brno m\u011Bsto"), "http://h/d/Brno%20m%C4%9Bsto.jz");
}

// The download thread's work over several files.
class DownloadJobTest : public DownloadTest {
protected:
    DownloadJob job(const std::vector<std::u16string>& names) {
        DownloadJob j;
        for (const std::u16string& name : names)
            j.files.push_back({name, ""});
        j.serverFolder = server.url("/data/");
        j.downloadFolder = folder.path() / "dl";
        j.transfer.blockSize = 1000;
        j.checkTimetable = [this](const fs::path& file) {
            checked.push_back(readAll(file));
            return checkStatus;
        };
        return j;
    }
    // What the engine's check answers, and the files it was given.
    std::int32_t checkStatus = 0;
    std::vector<std::string> checked;
    std::int64_t run(const DownloadJob& j) {
        auto s = services();
        return runDownloadJob(j, s, reporter);
    }
};

TEST_F(DownloadJobTest, NothingChosen) {
    EXPECT_EQ(run(job({})), kDownloadNothingChosen);
    EXPECT_EQ(reporter.doneCodes, (std::vector<std::int64_t>{kDownloadNothingChosen}));
}

TEST_F(DownloadJobTest, NewAndInstalledFilesArePutInPlace) {
    const std::string fresh = timetableBytes(3000, 'n');
    const std::string update = timetableBytes(2000, 'u');
    server.setRoute("/data/Nov\xC3\xA9.jz", {.body = fresh});
    server.setRoute("/data/Brno.jz", {.body = update});
    DownloadJob j = job({u"Nov\u00E9", u"Brno"});
    const fs::path installed = folder.path() / "data" / "brno.jz";
    testing::writeFile(installed, "old");
    j.installed = {{u"BRNO", installed}};
    EXPECT_EQ(run(j), 2000);
    EXPECT_TRUE(readAll(j.downloadFolder / "Nov\xC3\xA9.jz") == fresh);
    EXPECT_TRUE(readAll(installed) == update);
    EXPECT_FALSE(fs::exists(j.downloadFolder / kTemporaryTimetableName));
    EXPECT_EQ(reporter.nextNames, (std::vector<std::u16string>{u"Brno"}));
    EXPECT_EQ(reporter.criticalErrors, 0);
}

struct FailureCase {
    const char* what;
    LoopbackRoute route;
    std::int64_t code;
};

class DownloadJobFailures : public DownloadJobTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadJobFailures, OldFileStaysWholeAndNothingIsLeftBehind) {
    const FailureCase& c = GetParam();
    server.setRoute("/data/first.jz", {.body = timetableBytes(1500)});
    server.setRoute("/data/brno.jz", c.route);
    DownloadJob j = job({u"first", u"brno"});
    const fs::path installed = folder.path() / "data" / "brno.jz";
    testing::writeFile(installed, "old timetable");
    j.installed = {{u"brno", installed}};
    EXPECT_EQ(run(j), c.code) << c.what;
    EXPECT_EQ(reporter.failed, u"brno") << c.what;
    EXPECT_EQ(readAll(installed), "old timetable") << c.what;
    EXPECT_TRUE(fs::exists(j.downloadFolder / "first.jz")) << c.what;  // the first one stays installed
    EXPECT_FALSE(fs::exists(j.downloadFolder / kTemporaryTimetableName)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, DownloadJobFailures,
    ::testing::Values(FailureCase{"404", {.status = 404, .body = "no"}, kDownloadNotFound},
                      FailureCase{"500 page", {.status = 500, .body = "oops"}, kDownloadServerError},
                      FailureCase{"not a timetable", {.body = "<html>login</html>"}, kDownloadBadFile},
                      FailureCase{"no length announced", {.body = timetableBytes(1500), .announceLength = false},
                                  kDownloadBadFile},
                      FailureCase{"cut short", {.body = timetableBytes(5000), .cutAfter = 2500}, kDownloadCutShort}));

// The digest the update information gives decides before the engine's reader: a file of the
// right length that the reader would take is still refused when one bit differs, a digest that
// cannot be read fetches nothing, and without a digest the other checks decide alone.
TEST_F(DownloadJobTest, TheOfferedDigestDecidesBeforeTheReader) {
    const std::string served = timetableBytes(1500, 's');
    std::string flipped = served;
    flipped[700] ^= 0x04;
    const fs::path sample = folder.path() / "sample.jz";
    testing::writeFile(sample, served);
    const std::string digest = sha256Hex(*sha256OfFile(sample));
    std::string upper = digest;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        const char* what;
        std::string body;
        std::string sha256;
        std::int64_t code;
        bool fetched;
        bool readerAsked;
    } cases[] = {
        {"matching", served, digest, 1500, true, true},
        {"matching, upper case", served, upper, 1500, true, true},
        {"one bit flipped", flipped, digest, kDownloadDamaged, true, false},
        {"no digest", flipped, "", 1500, true, true},
        {"digest of another file", served, std::string(64, '0'), kDownloadDamaged, true, false},
        {"63 digits", served, digest.substr(1), kDownloadBadDigest, false, false},
        {"not hexadecimal", served, digest.substr(1) + "g", kDownloadBadDigest, false, false},
        {"digits and more", served, digest + "0", kDownloadBadDigest, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        checked.clear();
        const std::size_t requestsBefore = server.targets().size();
        server.setRoute("/data/brno.jz", {.body = c.body});
        const fs::path installed = folder.path() / "data" / "brno.jz";
        testing::writeFile(installed, "old timetable");
        DownloadJob j = job({u"brno"});
        j.files[0].sha256 = c.sha256;
        j.installed = {{u"brno", installed}};
        EXPECT_EQ(run(j), c.code);
        EXPECT_EQ(server.targets().size() > requestsBefore, c.fetched);
        EXPECT_EQ(!checked.empty(), c.readerAsked);
        EXPECT_TRUE(readAll(installed) == (c.code >= 0 ? c.body : "old timetable"));
        EXPECT_FALSE(fs::exists(installed.parent_path() / kTemporaryTimetableName));
    }
}

// A file of the right length and magic that the engine's reader refuses replaces nothing and is
// deleted; the next file is not fetched.
TEST_F(DownloadJobTest, AFileTheEngineRefusesReplacesNothing) {
    const std::string damaged = timetableBytes(1500, 'd');
    server.setRoute("/data/brno.jz", {.body = damaged});
    server.setRoute("/data/next.jz", {.body = timetableBytes(1500)});
    DownloadJob j = job({u"brno", u"next"});
    const fs::path installed = folder.path() / "data" / "brno.jz";
    testing::writeFile(installed, "old timetable");
    j.installed = {{u"brno", installed}};
    checkStatus = -4;
    EXPECT_EQ(run(j), kDownloadDamaged);
    EXPECT_EQ(reporter.failed, u"brno");
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_TRUE(checked[0] == damaged);
    EXPECT_EQ(readAll(installed), "old timetable");
    EXPECT_FALSE(fs::exists(installed.parent_path() / kTemporaryTimetableName));
    EXPECT_FALSE(fs::exists(j.downloadFolder / "next.jz"));
}

TEST_F(DownloadJobTest, WithoutACheckNothingIsInstalled) {
    server.setRoute("/data/brno.jz", {.body = timetableBytes(1500)});
    DownloadJob j = job({u"brno"});
    j.checkTimetable = nullptr;
    EXPECT_EQ(run(j), kDownloadDamaged);
    EXPECT_FALSE(fs::exists(j.downloadFolder / "brno.jz"));
}

// The temporary file is written beside the installed file, and the free space checked is that
// of the installed file's folder, not the download folder's.
TEST_F(DownloadJobTest, TheTemporaryFileIsWrittenBesideItsTarget) {
    server.setRoute("/data/brno.jz", {.body = timetableBytes(1500)});
    DownloadJob j = job({u"brno"});
    const fs::path card = folder.path() / "card" / "pelorvant" / "data";
    const fs::path installed = card / "brno.jz";
    testing::writeFile(installed, "old");
    j.installed = {{u"brno", installed}};
    std::vector<fs::path> asked;
    auto s = services();
    s.freeSpace = [&](const fs::path& f) -> std::optional<std::int64_t> {
        asked.push_back(f);
        return 1000000;
    };
    fs::path seenTemp;
    j.checkTimetable = [&](const fs::path& file) {
        seenTemp = file;
        return 0;
    };
    EXPECT_EQ(runDownloadJob(j, s, reporter), 1500);
    EXPECT_EQ(seenTemp, card / kTemporaryTimetableName);
    EXPECT_EQ(asked, (std::vector<fs::path>{card}));
    EXPECT_EQ(readAll(installed).size(), 1500u);
    EXPECT_FALSE(fs::exists(j.downloadFolder / kTemporaryTimetableName));
}

TEST_F(DownloadJobTest, NamesFromTheServerNeverLeaveTheFolder) {
    server.setRoute("*", {.body = timetableBytes(1500)});
    DownloadJob j = job({u"../escape"});
    EXPECT_EQ(run(j), kDownloadRefusedName);
    EXPECT_TRUE(server.targets().empty());
    EXPECT_FALSE(fs::exists(folder.path() / "escape.jz"));
}

TEST_F(DownloadJobTest, InstalledPathWithoutTheNameGoesToTheDownloadFolder) {
    server.setRoute("/data/brno.jz", {.body = timetableBytes(1500)});
    DownloadJob j = job({u"brno"});
    const fs::path odd = folder.path() / "data" / "other.jz";
    testing::writeFile(odd, "other");
    j.installed = {{u"brno", odd}};
    EXPECT_EQ(run(j), 1500);
    EXPECT_EQ(reporter.criticalErrors, 1);
    EXPECT_EQ(readAll(odd), "other");
    EXPECT_TRUE(fs::exists(j.downloadFolder / "brno.jz"));
}

TEST_F(DownloadJobTest, CancelAfterTheFirstBlockLeavesNoFile) {
    server.setRoute("/data/big.jz", {.body = timetableBytes(50000)});
    struct CancellingReporter final : DownloadJobReporter {
        std::atomic<bool>* cancel = nullptr;
        std::int64_t code = 0;
        void progress(int) override { *cancel = true; }
        bool askPaidConnection() override { return true; }
        void nextFile(const std::u16string&) override {}
        void criticalError() override {}
        void downloadDone(std::int64_t c, const std::u16string&) override { code = c; }
    } cancelling;
    cancelling.cancel = &cancel;
    auto s = services();
    EXPECT_EQ(runDownloadJob(job({u"big"}), s, cancelling), kDownloadCancelled);
    EXPECT_EQ(cancelling.code, kDownloadCancelled);
    EXPECT_FALSE(fs::exists(folder.path() / "dl" / "big.jz"));
    EXPECT_FALSE(fs::exists(folder.path() / "dl" / kTemporaryTimetableName));
}

// The update check keeps the last good information when a fetch fails.
class UpdateCheckTest : public DownloadTest {
protected:
    UpdateCheckJob job() {
        UpdateCheckJob j;
        j.updateInfoAddress = server.url("/pelorakt.ini");
        j.programVersionAddress = server.url("/app/pelorakt.ini");
        j.dataFolder = folder.path() / "data";
        return j;
    }
    UpdateCheckCodes run() {
        auto s = services();
        return runUpdateCheck(job(), s, reporter);
    }
};

TEST_F(UpdateCheckTest, BothFilesAreFetched) {
    server.setRoute("/pelorakt.ini", {.body = "[tt]\r\nbrno=2000\r\n"});
    server.setRoute("/app/pelorakt.ini", {.body = "[setup]\r\nlast=12\r\n"});
    const UpdateCheckCodes codes = run();
    EXPECT_EQ(codes.updateInfo, 17);
    EXPECT_EQ(codes.programVersion, 18);
    EXPECT_EQ(reporter.checkCodes, (std::pair<std::int64_t, std::int64_t>{17, 18}));
    EXPECT_EQ(readAll(folder.path() / "data" / kUpdateInfoFileName), "[tt]\r\nbrno=2000\r\n");
    EXPECT_EQ(readAll(folder.path() / "data" / kProgramVersionFileName), "[setup]\r\nlast=12\r\n");
}

// Answers that are no update information, each keeping the last good one: the check fails with
// the code that tells the user it was the file, not the connection (or the server's error).
TEST_F(UpdateCheckTest, AnswersThatAreNoUpdateInformationNeverReplaceIt) {
    const std::string huge(kUpdateInfoMaxBytes + 5000, 'x');
    const struct {
        const char* what;
        LoopbackRoute route;
        std::int64_t code;
    } cases[] = {
        {"500 page", {.status = 500, .body = "<html>error</html>"}, kDownloadServerError},
        {"HTML with 200",
         {.body = "<html><body>Přihlášení k Wi-Fi</body></html>"},
         kDownloadBadUpdateInfo},
        {"INI without tt", {.body = "[size]\r\nbrno=12\r\n"}, kDownloadBadUpdateInfo},
        {"empty", {.body = ""}, kDownloadBadUpdateInfo},
        {"huge with its length", {.body = huge}, kDownloadBadUpdateInfo},
        {"huge without a length", {.body = huge, .announceLength = false}, kDownloadBadUpdateInfo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::writeFile(folder.path() / "data" / kUpdateInfoFileName, "[tt]\r\nold=1\r\n");
        server.setRoute("/pelorakt.ini", c.route);
        const UpdateCheckCodes codes = run();
        EXPECT_EQ(codes.updateInfo, c.code);
        EXPECT_EQ(codes.programVersion, -1);
        EXPECT_EQ(readAll(folder.path() / "data" / kUpdateInfoFileName), "[tt]\r\nold=1\r\n");
        EXPECT_FALSE(fs::exists(folder.path() / "data" / "akt.ini.part"));
    }
}

// A body without a length is stopped as soon as it passes the limit, not stored whole.
TEST_F(UpdateCheckTest, AnEndlessBodyStopsAtTheLimit) {
    server.setRoute("/pelorakt.ini", {.body = std::string(8 * kUpdateInfoMaxBytes, 'x'),
                                      .announceLength = false,
                                      .slowChunk = 64 * 1024,
                                      .slowPause = std::chrono::milliseconds(1)});
    EXPECT_EQ(run().updateInfo, kDownloadBadUpdateInfo);
    EXPECT_LT(server.slowBytesSent(), static_cast<std::size_t>(4 * kUpdateInfoMaxBytes));
}

TEST_F(UpdateCheckTest, AProgramVersionFileWithoutSetupFailsTheSecondFetch) {
    server.setRoute("/pelorakt.ini", {.body = "[tt]\r\nbrno=2000\r\n"});
    server.setRoute("/app/pelorakt.ini", {.body = "<html>moved</html>"});
    const UpdateCheckCodes codes = run();
    EXPECT_EQ(codes.updateInfo, 17);
    EXPECT_EQ(codes.programVersion, kDownloadBadUpdateInfo);
}

}  // namespace
}  // namespace pelorvant
