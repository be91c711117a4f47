// The progress view's download and update-check modes against a loopback server.
#include "ProgressHarness.h"

#include "app/core/UpdateAddresses.h"
#include "app/core/UpdateCheckJob.h"
#include "platform/resources/StringTable.h"
#include "platform/services/http/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace pelorvant::testing {
namespace {

using platform::resources::loadResString;
using platform::services::LoopbackHttpServer;

std::string timetableBytes(std::size_t size) {
    std::string bytes(size, 't');
    bytes.replace(0, 4, "\x27\xBC\x86\xAA");
    return bytes;
}

// The view that asked for an update check: records what it was told.
class AskingView final : public platform::ui::WindowObject {
public:
    explicit AskingView(platform::WindowHandle parent) {
        create(shellCreateParams(platform::ui::WS_CHILD, {0, 0, 10, 10}, parent, 7));
    }
    ~AskingView() override { destroy(); }
    std::vector<std::uintptr_t> results;
    const platform::ui::MessageMapBase& messageMap() const override {
        static const auto map =
            platform::ui::MessageMap<AskingView>().message(WM_UPDATECHECK_DONE, &AskingView::OnDone);
        return map;
    }

private:
    platform::MsgResult OnDone(std::uintptr_t result, std::intptr_t) {
        results.push_back(result);
        return 0;
    }
};

class ProgressDownloadTest : public ProgressTest {
protected:
    void SetUp() override {
        ProgressTest::SetUp();
        ::setenv(kUpdateServerVariable, server.url("/upd/").c_str(), 1);
        makeTab();
        tab->progress.restart = [this](std::u16string_view question) { restarts.emplace_back(question); };
    }
    void TearDown() override {
        ::unsetenv(kUpdateServerVariable);
        ProgressTest::TearDown();
    }
    // The engine's check accepts every file: for tests whose bytes only start like a timetable.
    void acceptAnyTimetable() {
        fakeApi.api_zkontrolujJizdniRad = [](const char*, std::int32_t, std::int32_t* status,
                                             TrasaWindow) {
            *status = 0;
            return std::int32_t{ENGINE_OK};
        };
    }
    static std::string fixtureBytes(const char* name) {
        std::ifstream in(std::filesystem::path(TRASA_FIXTURE_DIR) / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void waitForAnswer(const AskingView& asking) {
        pumpUntil([&asking] { return !asking.results.empty(); });
    }

    LoopbackHttpServer server;
    std::vector<std::u16string> restarts;
};

TEST_F(ProgressDownloadTest, NewTimetableIsInstalledAndTheRestartIsOffered) {
    acceptAnyTimetable();
    server.setRoute("/upd/Nov\xC3\xBD.jz", {.body = timetableBytes(3000)});
    tab->progress.startDownload({{.name = u"Nov\u00FD"}}, u"", 4040);
    EXPECT_FALSE(settings.idle);
    waitIdle();
    EXPECT_TRUE(std::filesystem::exists(settings.dataFolder / "Nov\xC3\xBD.jz"));
    EXPECT_EQ(tab->views, std::vector<int>{4040});
    ASSERT_EQ(restarts.size(), 1u);
    EXPECT_EQ(restarts[0], loadResString(298));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgressDownloadTest, TheDayOfTheUpdateIsSavedBeforeTheRestart) {
    // The restart ends the process without the shut-down, so the day must be stored by then.
    tab->progress.searchClock = [] {
        std::tm t{};
        t.tm_mday = 23;
        t.tm_mon = 5;
        t.tm_year = 109;
        return t;
    };
    std::int32_t savedDay = -1;
    tab->progress.restart = [this, &savedDay](std::u16string_view) {
        AppSettings stored;
        stored.readActualize(*registry);
        savedDay = stored.lastUpdateCheckDay;
    };
    acceptAnyTimetable();
    server.setRoute("/upd/Brno.jz", {.body = timetableBytes(2000)});
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    EXPECT_EQ(savedDay, 2000);  // 23 June 2009
}

TEST_F(ProgressDownloadTest, AFailedDownloadKeepsTheDayOfTheLastUpdate) {
    settings.lastUpdateCheckDay = 1500;
    settings.writeActualize(*registry);
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    AppSettings stored;
    stored.readActualize(*registry);
    EXPECT_EQ(stored.lastUpdateCheckDay, 1500);
    EXPECT_EQ(settings.lastUpdateCheckDay, 1500);
}

TEST_F(ProgressDownloadTest, MissingFileIsNamedAndNothingRestarts) {
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"Soubor Brno nebyl"), std::u16string::npos);
    EXPECT_TRUE(restarts.empty());
    EXPECT_EQ(tab->views, std::vector<int>{4040});
}

TEST_F(ProgressDownloadTest, AnErrorPageIsNotInstalled) {
    server.setRoute("/upd/Brno.jz", {.status = 403, .body = "<html>forbidden</html>"});
    tab->progress.startDownload({{.name = u"Brno"}}, u"", -1);
    waitIdle();
    EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / "Brno.jz"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], loadResString(12400));
    EXPECT_EQ(tab->views, std::vector<int>{4025});
    EXPECT_EQ(counter->terminations, 0);
}

TEST_F(ProgressDownloadTest, UpdateCheckTellsTheAskingViewAndKeepsTheFile) {
    server.setRoute("/upd/pelorakt.ini", {.body = "[tt]\r\nBrno=2000\r\n"});
    server.setRoute("/upd/app/pelorakt.ini", {.body = "[setup]\r\nlast=1\r\n"});
    AskingView asking(tab->handle());
    tab->progress.startUpdateCheck(0, false, asking.handle());
    waitForAnswer(asking);
    EXPECT_EQ(asking.results, std::vector<std::uintptr_t>{1});
    EXPECT_TRUE(settings.idle);
    std::ifstream in(settings.dataFolder / kUpdateInfoFileName, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
              "[tt]\r\nBrno=2000\r\n");
}

TEST_F(ProgressDownloadTest, MissingUpdateInformationIsShownUnlessTheUpdaterAsked) {
    for (const bool forUpdater : {false, true}) {
        boxes.clear();
        AskingView asking(tab->handle());
        tab->progress.startUpdateCheck(0, forUpdater, asking.handle());
        waitForAnswer(asking);
        EXPECT_EQ(asking.results, std::vector<std::uintptr_t>{0});
        EXPECT_EQ(boxes.size(), forUpdater ? 0u : 1u);
    }
}

// The engine's own reader decides: a real timetable is installed, the same file cut to half
// (with a matching length) is refused with the damaged-file text and nothing restarts.
TEST_F(ProgressDownloadTest, TheEnginesReaderDecidesWhatIsInstalled) {
    const std::string whole = fixtureBytes("search-city.jz");
    ASSERT_GT(whole.size(), 1000u);
    install(std::filesystem::path(TRASA_FIXTURE_DIR) / "search-region.jz", "Brno.jz");
    const std::string installed = fixtureBytes("search-region.jz");
    server.setRoute("/upd/Brno.jz", {.body = whole.substr(0, whole.size() / 2)});
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"P\u0159ijat\u00FD soubor 'Brno' je po\u0161kozen\u00FD"),
              std::u16string::npos);
    EXPECT_EQ(boxes[0].find(u"internetu"), std::u16string::npos);
    EXPECT_TRUE(restarts.empty());
    std::ifstream in(settings.dataFolder / "Brno.jz", std::ios::binary);
    EXPECT_TRUE(std::string((std::istreambuf_iterator<char>(in)),
                            std::istreambuf_iterator<char>()) == installed);
    EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / "temp.jz"));

    boxes.clear();
    server.setRoute("/upd/Brno.jz", {.body = whole});
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(restarts.size(), 1u);
}

// The check shows no details of the operation before it, and a check the user cancels ends
// without a word to tell.
TEST_F(ProgressDownloadTest, ACancelledCheckHasNothingToSay) {
    tab->progress.details.SetText(u"J\u00EDzdn\u00ED \u0159\u00E1d: Brno");
    server.setRoute("/upd/pelorakt.ini", {.body = std::string(200000, 'x'),
                                          .slowChunk = 1000,
                                          .slowPause = std::chrono::milliseconds(20)});
    AskingView asking(tab->handle());
    tab->progress.startUpdateCheck(0, false, asking.handle());
    EXPECT_EQ(tab->progress.details.markupText, u"");
    EXPECT_EQ(tab->progress.state.markupText, u"");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (server.slowBytesSent() == 0 && std::chrono::steady_clock::now() < deadline) {
        kit.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    platform::sendMessage(tab->progress.handle(), platform::ui::WM_COMMAND, kCommandCancel, 0);
    waitForAnswer(asking);
    EXPECT_EQ(asking.results, std::vector<std::uintptr_t>{0});
    EXPECT_EQ(tab->progress.updateCheckFailure(), u"");
    EXPECT_TRUE(boxes.empty());
}

// An HTML page served with status 200 fails the check with its own text, not the one that
// blames the connection; a server that cannot be reached gets that one.
TEST_F(ProgressDownloadTest, TheCheckSaysWhatFailed) {
    server.setRoute("/upd/pelorakt.ini", {.body = "<html>Wi-Fi login</html>"});
    AskingView asking(tab->handle());
    tab->progress.startUpdateCheck(0, false, asking.handle());
    waitForAnswer(asking);
    EXPECT_EQ(asking.results, std::vector<std::uintptr_t>{0});
    EXPECT_NE(tab->progress.updateCheckFailure().find(u"Server neposlal platn\u00FD soubor"),
              std::u16string::npos);
    EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / kUpdateInfoFileName));

    ::setenv(kUpdateServerVariable, "http://127.0.0.1:1/upd/", 1);
    AskingView again(tab->handle());
    tab->progress.startUpdateCheck(0, false, again.handle());
    waitForAnswer(again);
    EXPECT_EQ(tab->progress.updateCheckFailure(), loadResString(287));
}

// The box after a failure of the server, or of something it sent, says so in the user's words;
// only a server that cannot be reached at all keeps the texts that point at the connection.
constexpr std::u16string_view kServerFailed =
    u"Server na po\u017Eadavek odpov\u011Bd\u011Bl chybou a soubor neposlal. Data v za\u0159\u00EDzen\u00ED z\u016Fstala beze zm\u011Bny. Zkuste to pros\u00EDm pozd\u011Bji znovu.";
constexpr std::u16string_view kRedirectLoop =
    u"Server p\u0159esm\u011Brov\u00E1v\u00E1 po\u017Eadavek st\u00E1le dokola, a proto soubor nelze st\u00E1hnout. Data v za\u0159\u00EDzen\u00ED z\u016Fstala beze zm\u011Bny. Zkuste to pros\u00EDm pozd\u011Bji znovu.";
constexpr std::u16string_view kBadRedirect =
    u"Server p\u0159esm\u011Broval po\u017Eadavek na adresu, ze kter\u00E9 aplikace soubory nestahuje. Data v za\u0159\u00EDzen\u00ED z\u016Fstala beze zm\u011Bny.";
constexpr std::u16string_view kCutShort =
    u"P\u0159enos souboru ze serveru skon\u010Dil d\u0159\u00EDve, ne\u017E soubor p\u0159i\u0161el cel\u00FD. Data v za\u0159\u00EDzen\u00ED z\u016Fstala beze zm\u011Bny. Zkuste to pros\u00EDm znovu.";
constexpr std::u16string_view kNetworkDownload =
    u"P\u0159i stahov\u00E1n\u00ED datov\u00FDch soubor\u016F do\u0161lo k chyb\u011B. Ujist\u011Bte se, \u017Ee je k dispozici p\u0159ipojen\u00ED k internetu a zkuste to znovu.";
constexpr std::u16string_view kNetworkCheck =
    u"Nepoda\u0159ilo se st\u00E1hnout soubor s aktualizacemi. Ujist\u011Bte se, \u017Ee je k dispozici p\u0159ipojen\u00ED k internetu a zkuste to znovu.";

struct ServerFailure {
    const char* what;
    platform::services::LoopbackRoute route;  // for the requested path
    std::u16string_view box;
};

std::vector<ServerFailure> serverFailures(const std::string& path) {
    return {
        {"500", {.status = 500, .body = "<html>error</html>"}, kServerFailed},
        {"503", {.status = 503, .body = "busy"}, kServerFailed},
        {"redirect to itself", {.status = 302, .redirectTo = path}, kRedirectLoop},
        {"redirect to a local file", {.status = 301, .redirectTo = "file:///etc/passwd"}, kBadRedirect},
        {"body cut short", {.body = timetableBytes(5000), .cutAfter = 2500}, kCutShort},
    };
}

TEST_F(ProgressDownloadTest, AFailedServerIsToldAsSuchInTheDownloadBox) {
    acceptAnyTimetable();
    for (const ServerFailure& c : serverFailures("/upd/Brno.jz")) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        server.setRoute("/upd/Brno.jz", c.route);
        tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
        waitIdle();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], c.box);
        EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / "Brno.jz"));
        EXPECT_TRUE(restarts.empty());
    }
    boxes.clear();
    ::setenv(kUpdateServerVariable, "http://127.0.0.1:1/upd/", 1);
    tab->progress.startDownload({{.name = u"Brno"}}, u"", 4040);
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], kNetworkDownload);
}

TEST_F(ProgressDownloadTest, AFailedServerIsToldAsSuchAfterTheCheck) {
    for (const ServerFailure& c : serverFailures("/upd/pelorakt.ini")) {
        SCOPED_TRACE(c.what);
        server.setRoute("/upd/pelorakt.ini", c.route);
        AskingView asking(tab->handle());
        tab->progress.startUpdateCheck(0, false, asking.handle());
        waitForAnswer(asking);
        EXPECT_EQ(asking.results, std::vector<std::uintptr_t>{0});
        EXPECT_EQ(tab->progress.updateCheckFailure(), c.box);
        EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / kUpdateInfoFileName));
    }
    ::setenv(kUpdateServerVariable, "http://127.0.0.1:1/upd/", 1);
    AskingView asking(tab->handle());
    tab->progress.startUpdateCheck(0, false, asking.handle());
    waitForAnswer(asking);
    EXPECT_EQ(tab->progress.updateCheckFailure(), kNetworkCheck);
}

}  // namespace
}  // namespace pelorvant::testing
