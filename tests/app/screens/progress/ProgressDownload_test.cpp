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
    void waitForAnswer(const AskingView& asking) {
        pumpUntil([&asking] { return !asking.results.empty(); });
    }

    LoopbackHttpServer server;
    std::vector<std::u16string> restarts;
};

TEST_F(ProgressDownloadTest, NewTimetableIsInstalledAndTheRestartIsOffered) {
    server.setRoute("/upd/Nov\xC3\xBD.jz", {.body = timetableBytes(3000)});
    tab->progress.startDownload({u"Nov\u00FD"}, u"", 4040);
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
    server.setRoute("/upd/Brno.jz", {.body = timetableBytes(2000)});
    tab->progress.startDownload({u"Brno"}, u"", 4040);
    waitIdle();
    EXPECT_EQ(savedDay, 2000);  // 23 June 2009
}

TEST_F(ProgressDownloadTest, AFailedDownloadKeepsTheDayOfTheLastUpdate) {
    settings.lastUpdateCheckDay = 1500;
    settings.writeActualize(*registry);
    tab->progress.startDownload({u"Brno"}, u"", 4040);
    waitIdle();
    AppSettings stored;
    stored.readActualize(*registry);
    EXPECT_EQ(stored.lastUpdateCheckDay, 1500);
    EXPECT_EQ(settings.lastUpdateCheckDay, 1500);
}

TEST_F(ProgressDownloadTest, MissingFileIsNamedAndNothingRestarts) {
    tab->progress.startDownload({u"Brno"}, u"", 4040);
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"Soubor Brno nebyl"), std::u16string::npos);
    EXPECT_TRUE(restarts.empty());
    EXPECT_EQ(tab->views, std::vector<int>{4040});
}

TEST_F(ProgressDownloadTest, AnErrorPageIsNotInstalled) {
    server.setRoute("/upd/Brno.jz", {.status = 403, .body = "<html>forbidden</html>"});
    tab->progress.startDownload({u"Brno"}, u"", -1);
    waitIdle();
    EXPECT_FALSE(std::filesystem::exists(settings.dataFolder / "Brno.jz"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], loadResString(297));
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

}  // namespace
}  // namespace pelorvant::testing
