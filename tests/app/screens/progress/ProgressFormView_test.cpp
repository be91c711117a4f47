#include "ProgressHarness.h"

#include "app/screens/progress/ProgressTexts.h"

#include "platform/controls/ProgressBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <chrono>
#include <thread>

namespace pelorvant::testing {
namespace {

using platform::resources::loadResString;

// Replaced exports report what the test set here; the blocking load waits for its cancel.
struct FakeEngine {
    std::int32_t loadResult = ENGINE_OK;
    std::int32_t loadSet = 0;
    std::int32_t loadFailing = -1;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> loadRunning{false};
    std::int32_t searchStatus = ENGINE_OK;
    std::int32_t searchResult = 0;
    std::atomic<int> searchCalls{0};
    platform::ThreadId uiThread = 0;
};
FakeEngine fake;

std::int32_t fakeLoad(const std::int32_t*, std::int32_t, std::int32_t* set, std::int32_t* failing, TrasaWindow) {
    *set = fake.loadSet;
    *failing = fake.loadFailing;
    return fake.loadResult;
}

std::int32_t fakeChange(std::int32_t* set, const std::int32_t*, std::int32_t, std::int32_t* failing, TrasaWindow) {
    *set = fake.loadSet;
    *failing = fake.loadFailing;
    return fake.loadResult;
}

std::int32_t blockingLoad(const std::int32_t*, std::int32_t, std::int32_t* set, std::int32_t* failing, TrasaWindow) {
    fake.loadRunning = true;
    while (!fake.cancelled) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    *set = ENGINE_LOAD_CANCELLED;
    *failing = -1;
    return ENGINE_OK;
}

std::int32_t fakeCancelLoad() {
    fake.cancelled = true;
    return ENGINE_OK;
}

// A search that runs as the engine's does: it waits until the test has pressed "Storno" while it
// was still being set up, then clears its cancel flag as every run does, announces its start when
// asked to, and is cancelled only by a flag set after that.
struct LateSearch {
    std::atomic<bool> cancelPressed{false};
    std::atomic<bool> cancelFlag{false};
    bool announcesStart = true;
};
LateSearch late;

std::int32_t lateCancel() {
    late.cancelFlag = true;
    return ENGINE_OK;
}

std::int32_t lateSearch(std::int32_t, std::int32_t, std::int32_t* result, TrasaWindow window) {
    while (!late.cancelPressed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    late.cancelFlag = false;
    if (late.announcesStart) {
        platform::sendMessage(static_cast<platform::WindowHandle>(window), WM_ENGINE_START, ENGINE_START_SEARCH, 0);
    }
    *result = late.cancelFlag ? ENGINE_SEARCH_CANCELLED : 3;
    return ENGINE_OK;
}

std::int32_t fakeSearch(std::int32_t, std::int32_t, std::int32_t* result, TrasaWindow) {
    ++fake.searchCalls;
    *result = fake.searchResult;
    return fake.searchStatus;
}

// Today's day number cannot be made on the worker thread.
std::int32_t dayFailsOnWorker(std::int32_t, std::int32_t, std::int32_t, std::int16_t* day) {
    *day = 8000;
    return platform::currentThreadId() == fake.uiThread ? ENGINE_OK : ENGINE_ERROR;
}

std::int32_t fakeRequest(std::int32_t, std::int32_t, std::uint8_t* done) {
    *done = 0;
    return ENGINE_OK;
}

class ProgressFormViewTest : public ProgressTest {
protected:
    void SetUp() override {
        ProgressTest::SetUp();
        fake.loadResult = ENGINE_OK;
        fake.loadSet = 0;
        fake.loadFailing = -1;
        fake.cancelled = false;
        fake.loadRunning = false;
        fake.searchStatus = ENGINE_OK;
        fake.searchResult = 0;
        fake.searchCalls = 0;
        fake.uiThread = platform::currentThreadId();
    }
    std::unique_ptr<cSearchJob> searchJob(std::int32_t mode) {
        auto job = std::make_unique<cSearchJob>();
        job->set = 0;
        job->mode = mode;
        job->resultId = 1;
        job->when = 1800000000;
        job->fromName = u"Adamov";
        job->toName = u"Borek";
        return job;
    }
};

TEST_F(ProgressFormViewTest, ALoadedSetNamesTheTabAndOpensTheSearchForm) {
    install(std::filesystem::path(TRASA_FIXTURE_DIR) / "search-city.jz", "city.jz");
    makeTab();
    tab->progress.startLoading(loadJob({0}));
    EXPECT_FALSE(settings.idle);
    waitIdle();
    EXPECT_TRUE(settings.idle);
    EXPECT_GE(tab->set, 0);
    EXPECT_EQ(tab->views, std::vector<int>{4028});
    EXPECT_EQ(tab->titles, std::vector<std::u16string>{u"Mesto"});
    EXPECT_EQ(tab->loaded, std::vector<std::int32_t>{tab->set});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(counter->terminations, 0);
}

TEST_F(ProgressFormViewTest, TimetablesOfTwoSourcesNameTheOneThatDoesNotFit) {
    install(std::filesystem::path(TRASA_FIXTURE_DIR) / "search-city.jz", "city.jz");
    install(std::filesystem::path(TRASA_FIXTURE_DIR) / "app-other-source.jz", "other.jz");
    makeTab();
    tab->set = -1;
    tab->progress.startLoading(loadJob({0, 1}));
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"pochází z jiného zdroje"), std::u16string::npos);
    const bool namesOne = boxes[0].find(u"'Mesto'") != std::u16string::npos ||
                          boxes[0].find(u"'Letiste'") != std::u16string::npos;
    EXPECT_TRUE(namesOne) << toUtf8(boxes[0]);
    EXPECT_EQ(tab->set, -1);
    EXPECT_EQ(tab->views, std::vector<int>{4025});
    EXPECT_TRUE(tab->titles.empty());
    EXPECT_EQ(counter->terminations, 0);
}

TEST_F(ProgressFormViewTest, AFailingIndexOutsideTheCatalogueNamesNoFile) {
    fakeApi.api_nactiSestavuJizdnichRadu = fakeLoad;
    fake.loadSet = ENGINE_LOAD_OTHER_SOURCE;
    fake.loadFailing = 99;
    makeTab();
    tab->progress.startLoading(loadJob({0}));
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(u"Jízdní řád: ''"), std::u16string::npos) << toUtf8(boxes[0]);
    EXPECT_EQ(tab->views, std::vector<int>{4025});
}

// A file the engine refuses is the file's fault: the box names it with the text of its kind,
// the tab goes back to the set choice without a set, and the program goes on.
TEST_F(ProgressFormViewTest, ARefusedFileIsNamedAndTheProgramGoesOn) {
    const std::filesystem::path whole = std::filesystem::path(TRASA_FIXTURE_DIR) / "search-city.jz";
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(settings.dataFolder / "city.jz", std::ios::binary) << bytes;
    makeTab();
    context.data->loadHeaders();
    ASSERT_EQ(context.data->headers().size(), 1u);
    // Damaged after the catalogue read its header, as a half-copied file is.
    std::ofstream(settings.dataFolder / "city.jz", std::ios::binary | std::ios::trunc)
        << bytes.substr(0, bytes.size() / 2);
    tab->set = -1;
    tab->progress.startLoading(loadJob({0}));
    waitIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], fillName(loadResString(353), u"Mesto"));
    EXPECT_EQ(tab->set, -1);
    EXPECT_EQ(tab->views, std::vector<int>{4025});
    EXPECT_EQ(counter->terminations, 0);

    // The other refusals have texts of their own, each naming the file.
    for (const std::int32_t status :
         {ENGINE_LOAD_OUT_OF_MEMORY, ENGINE_LOAD_TOO_NEW, ENGINE_LOAD_TOO_OLD}) {
        EXPECT_NE(loadStatusText(status), 0u) << status;
    }
    EXPECT_NE(loadResString(354).find(u"%s"), std::u16string::npos);
    EXPECT_NE(loadResString(355).find(u"%s"), std::u16string::npos);
}

// A failing engine ends the program, and nothing of the gone set is used afterwards.
TEST_F(ProgressFormViewTest, AFailingLoadEndsTheProgramAndUsesNothingMore) {
    struct Case {
        std::int32_t engineResult;
        std::int32_t set;
        std::uint32_t text;
    };
    const Case cases[] = {
        {ENGINE_OUT_OF_MEMORY, -1, 280},
        {ENGINE_ERROR, -1, 279},
        {-4, -1, 279},
        {ENGINE_OK, -9, 279},  // a load status without a message of its own
    };
    fakeApi.api_nactiSestavuJizdnichRadu = fakeLoad;
    fakeApi.api_zmenSestavuJizdnichRadu = fakeChange;
    makeTab();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.engineResult);
        fake.loadResult = c.engineResult;
        fake.loadSet = c.set;
        boxes.clear();
        counter->terminations = 0;
        tab->views.clear();
        tab->set = 3;
        tab->progress.startLoading(loadJob({0}));
        waitIdle();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0], loadResString(c.text));
        EXPECT_EQ(counter->terminations, 1);
        EXPECT_TRUE(tab->views.empty());
        EXPECT_TRUE(tab->titles.empty());
        EXPECT_EQ(tab->set, 3);
        EXPECT_TRUE(settings.idle);
    }
}

TEST_F(ProgressFormViewTest, CancellingALoadReturnsToTheChoiceWithoutAMessage) {
    fakeApi.api_nactiSestavuJizdnichRadu = blockingLoad;
    fakeApi.api_CancelNacitani = fakeCancelLoad;
    makeTab();
    tab->progress.startLoading(loadJob({0}));
    while (!fake.loadRunning) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kit.pump();
    EXPECT_FALSE(settings.idle);
    platform::sendMessage(tab->progress.handle(), platform::ui::WM_COMMAND, kCommandCancel, 0);
    waitIdle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(tab->set, -1);
    EXPECT_EQ(tab->views, std::vector<int>{4025});
}

TEST_F(ProgressFormViewTest, TheBarFollowsTheEnginesPercentUpToAHundred) {
    makeTab();
    const auto view = tab->progress.handle();
    platform::sendMessage(view, WM_ENGINE_PROGRESS, 40, 0);
    EXPECT_EQ(tab->progress.barPosition(), 40);
    platform::sendMessage(view, WM_ENGINE_PROGRESS, 101, 0);
    EXPECT_EQ(tab->progress.barPosition(), 40);
    platform::sendMessage(view, WM_ENGINE_PROGRESS, 100, 0);
    EXPECT_EQ(tab->progress.barPosition(), 100);
}

// Each search outcome: the message it shows, where the tab goes, whether the program ends.
TEST_F(ProgressFormViewTest, SearchOutcomesShowTheirMessageAndReturn) {
    struct Case {
        std::int32_t mode;
        std::int32_t status;
        std::int32_t result;
        std::uint32_t text;  // 0: no box
        int view;            // 0: the tab stays
        bool ends;
    };
    const Case cases[] = {
        {kSearchNew, ENGINE_OK, 3, 0, 4026, false},
        {kSearchNew, ENGINE_OK, ENGINE_SEARCH_CANCELLED, 0, 4028, false},
        {kSearchLater, ENGINE_OK, ENGINE_SEARCH_CANCELLED, 0, 4026, false},
        {kSearchNew, ENGINE_OK, ENGINE_SEARCH_NOTHING_FOUND, 362, 4028, false},
        {kSearchLater, ENGINE_OK, ENGINE_SEARCH_RESULT_GONE, 358, 4026, false},
        {kSearchNew, ENGINE_OK, ENGINE_SEARCH_NO_CANDIDATES, 426, 4028, false},
        {kSearchNew, ENGINE_OK, -6, 279, 0, true},
        {kSearchNew, ENGINE_OUT_OF_MEMORY, 0, 280, 0, true},
        {kSearchEarlier, ENGINE_ERROR, 0, 279, 0, true},
    };
    fakeApi.api_HledejCestu = fakeSearch;
    fakeApi.api_NastavZadaniHledani = [](std::int32_t, const TrasaTriple*, std::int32_t, double, double,
                                         const TrasaTriple*, std::int32_t, double, double, const TrasaTriple*,
                                         std::int32_t, std::int16_t, std::int16_t, std::uint8_t, std::uint8_t,
                                         std::uint8_t* done) {
        *done = 0;
        return ENGINE_OK;
    };
    fakeApi.api_NastavZadaniHledaniDalsi = fakeRequest;
    fakeApi.api_NastavZadaniHledaniPredchozi = fakeRequest;
    makeTab();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << " " << c.status << " " << c.result);
        fake.searchStatus = c.status;
        fake.searchResult = c.result;
        boxes.clear();
        counter->terminations = 0;
        tab->views.clear();
        tab->results.clear();
        tab->progress.startSearch(searchJob(c.mode));
        waitIdle();
        ASSERT_EQ(boxes.size(), c.text ? 1u : 0u);
        if (c.text) EXPECT_EQ(boxes[0], loadResString(c.text));
        EXPECT_EQ(tab->views, c.view ? std::vector<int>{c.view} : std::vector<int>{});
        EXPECT_EQ(counter->terminations, c.ends ? 1 : 0);
        EXPECT_EQ(tab->results, c.result >= 0 && c.status == ENGINE_OK ? std::vector<std::int32_t>{c.result}
                                                                        : std::vector<std::int32_t>{});
    }
}

// "Storno" pressed before the engine's run began (its flag is cleared then) still cancels: the
// flag is set again when the run announces itself, and a run that finishes anyway is not shown.
TEST_F(ProgressFormViewTest, AStornoPressedBeforeTheRunStartsStillReturnsSilently) {
    fakeApi.api_HledejCestu = lateSearch;
    fakeApi.api_CancelHledani = lateCancel;
    fakeApi.api_NastavZadaniHledaniDalsi = fakeRequest;
    makeTab();
    for (const bool announces : {true, false}) {
        SCOPED_TRACE(announces);
        late.announcesStart = announces;
        late.cancelPressed = false;
        tab->views.clear();
        tab->results.clear();
        boxes.clear();
        tab->progress.startSearch(searchJob(kSearchLater));
        platform::sendMessage(tab->progress.handle(), platform::ui::WM_COMMAND, kCommandCancelSearch, 0);
        late.cancelPressed = true;
        waitIdle();
        EXPECT_EQ(late.cancelFlag.load(), announces);
        EXPECT_TRUE(boxes.empty());
        EXPECT_TRUE(tab->results.empty());
        EXPECT_EQ(tab->views, std::vector<int>{4026});
    }
    // The next search is not taken for a cancelled one.
    late.announcesStart = true;
    late.cancelPressed = true;
    tab->views.clear();
    tab->progress.startSearch(searchJob(kSearchLater));
    waitIdle();
    EXPECT_EQ(tab->results, std::vector<std::int32_t>{3});
}

TEST_F(ProgressFormViewTest, ASearchWithoutTodaysDayNumberEndsWithoutSearching) {
    fakeApi.api_HledejCestu = fakeSearch;
    fakeApi.api_DatumToShortDen = dayFailsOnWorker;
    fakeApi.api_NastavZadaniHledaniDalsi = fakeRequest;
    makeTab();
    tab->progress.startSearch(searchJob(kSearchLater));
    waitIdle();
    EXPECT_EQ(fake.searchCalls.load(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], loadResString(279));
    EXPECT_EQ(counter->terminations, 1);
    EXPECT_TRUE(tab->views.empty());
}

TEST_F(ProgressFormViewTest, TheFirstConnectionEnablesJumpAndTheNextSearchStartsWithout) {
    fakeApi.api_HledejCestu = fakeSearch;
    fakeApi.api_NastavZadaniHledaniDalsi = fakeRequest;
    fake.searchResult = 2;
    makeTab();
    tab->progress.startSearch(searchJob(kSearchLater));
    EXPECT_FALSE(tab->progress.jumpEnabled());
    waitIdle();
    platform::sendMessage(tab->progress.handle(), WM_ENGINE_FIRST_FOUND, 0, 0);
    EXPECT_TRUE(tab->progress.jumpEnabled());
    tab->progress.startSearch(searchJob(kSearchLater));
    EXPECT_FALSE(tab->progress.jumpEnabled());
    waitIdle();
}

// The user starts the next search while the end of the last one has not been handled yet: the
// interface thread must not wait for a worker that waits for it, and the late end of the first
// search is not taken for the end of the second.
TEST_F(ProgressFormViewTest, ASearchStartedBeforeTheLastOnesEndWasHandledGoesOnWithoutAFreeze) {
    fakeApi.api_HledejCestu = fakeSearch;
    fakeApi.api_NastavZadaniHledaniDalsi = fakeRequest;
    fake.searchResult = 2;
    makeTab();
    tab->progress.startSearch(searchJob(kSearchLater));
    while (fake.searchCalls < 1) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // The first worker has reported its end by now; nothing of it was handled.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // A freeze would never end: the watchdog names it instead of a hanging test.
    std::atomic<bool> started{false};
    std::thread watchdog([&started] {
        for (int i = 0; i < 20000 && !started; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!started) {
            std::fprintf(stderr, "the interface thread waits for a worker that waits for it\n");
            std::abort();
        }
    });
    fake.searchResult = 5;
    tab->progress.startSearch(searchJob(kSearchLater));
    started = true;
    watchdog.join();
    waitIdle();
    pumpUntil([this] { return !tab->views.empty(); });
    EXPECT_EQ(fake.searchCalls, 2);
    EXPECT_EQ(tab->results, std::vector<std::int32_t>{5});
    EXPECT_EQ(tab->views, std::vector<int>{4026});
}

TEST(ProgressTexts, DetailColumnsAndStatusTexts) {
    EXPECT_EQ(progressTitleMarkup(20, u"Hledání:"), u"<*b*><*26*>Hledání:");
    EXPECT_EQ(fillName(u"Jízdní řád: '%s' jinde", u"Kraj"), u"Jízdní řád: 'Kraj' jinde");
    EXPECT_EQ(fillName(u"bez jména", u"Kraj"), u"bez jména");
    EXPECT_EQ(searchStatusText(ENGINE_SEARCH_PLACES_OVERLAP), 361u);
    EXPECT_EQ(searchStatusText(ENGINE_SEARCH_NO_VALID_TIMETABLE), 359u);
    EXPECT_EQ(searchStatusText(-6), 0u);
    cSearchJob job;
    job.toName = u"Borek";
    const SearchDetails rows = searchDetails(job, 16);
    ASSERT_EQ(rows.left.size(), rows.right.size());
    EXPECT_NE(rows.right[0].find(loadResString(425)), std::u16string::npos);  // From: the GPS position
    EXPECT_NE(rows.right[1].find(u"Borek"), std::u16string::npos);
}

}  // namespace
}  // namespace pelorvant::testing

namespace pelorvant::testing {
namespace {

// The top of the first text run that holds `text`; -1 when there is none.
int topOf(const ImageLabel& label, std::u16string_view text) {
    for (const LabelRun& run : label.layout().runs) {
        if (run.type == LabelRunType::Text && run.text.find(text) != std::u16string::npos) {
            return label.layout().lineTop(run.line);
        }
    }
    return -1;
}

TEST_F(ProgressFormViewTest, EveryRowOfTheDetailsStartsAtTheSameHeightInBothColumns) {
    makeTab();
    // A narrow view: the values wrap onto several lines.
    platform::ui::moveWindow(tab->progress.handle(), 0, 0, 240, 280);
    tab->progress.Layout(0, 240, 280);
    tab->progress.setDetailColumns({u"<*16*>Jízdní řád:", u"<*16*>\rPlatnost:", u"<*16*>\rVerze:"},
                                   {u"<*16*><*b*>MHD Horní Lhota 07 a okolí", u"\r<*16*><*b*>1.12.2026 - 31.1.2027",
                                    u"\r<*16*><*b*>verze 3"});
    ASSERT_GT(topOf(tab->progress.state, u"okolí"), topOf(tab->progress.state, u"MHD"));  // the name wraps
    EXPECT_EQ(topOf(tab->progress.details, u"Platnost:"), topOf(tab->progress.state, u"1.12.2026"));
    EXPECT_EQ(topOf(tab->progress.details, u"Verze:"), topOf(tab->progress.state, u"verze"));
    // Unequal lists change nothing.
    const std::u16string before = tab->progress.details.markupText;
    tab->progress.setDetailColumns({u"a"}, {});
    EXPECT_EQ(tab->progress.details.markupText, before);
}

}  // namespace
}  // namespace pelorvant::testing
