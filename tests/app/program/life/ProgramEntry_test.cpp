#include "app/program/life/ProgramEntry.h"

#include "app/core/StartedForUpdate.h"
#include "platform/services/instance/SingleInstanceDouble.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using namespace std::chrono_literals;
using platform::services::SingleInstanceDouble;

// The application, recording what the entry asked of it.
class RecordingLife final : public ProgramLife, public platform::services::InstanceRequests {
public:
    std::vector<std::string> calls;
    bool frameworkStarts = true;
    bool startUpSucceeds = true;
    bool flagAtStartUp = false;
    std::string titleWhileStarting;

    bool initFramework() override {
        calls.push_back("initFramework");
        return frameworkStarts;
    }
    bool initInstance() override {
        calls.push_back("initInstance");
        flagAtStartUp = startedForUpdate();
        return startUpSucceeds;
    }
    int run() override {
        calls.push_back("run");
        return 7;
    }
    int exitInstance() override {
        calls.push_back("exitInstance");
        return 1;
    }
    platform::services::InstanceRequests& instanceRequests(std::string_view title) override {
        titleWhileStarting = title;
        return *this;
    }
    std::string title() override { return "Pelorvant"; }
    void raise() override {}
    void handOver() override {}
};

class ProgramEntryTest : public ::testing::Test {
protected:
    SingleInstanceDouble instance;
    RecordingLife app;
    std::vector<std::chrono::milliseconds> sleeps;
    EntryServices services{instance,
                           [this](std::chrono::milliseconds ms) {
                               sleeps.push_back(ms);
                               instance.calls.push_back("sleep");
                           },
                           "Pelorvant"};

    int start(std::string_view commandLine) { return pelorvantWinMain(commandLine, app, services); }
    static std::vector<std::chrono::milliseconds> times(int count, std::chrono::milliseconds each) {
        return std::vector<std::chrono::milliseconds>(count, each);
    }
};

TEST_F(ProgramEntryTest, PlainStartClaimsAndServesBeforeTheFrameworkStartsThenRuns) {
    setStartedForUpdate(true);
    EXPECT_EQ(start(""), 7);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"initFramework", "initInstance", "run"}));
    EXPECT_EQ(instance.calls, (std::vector<std::string>{"claim", "serve"}));
    EXPECT_TRUE(sleeps.empty());
    EXPECT_FALSE(app.flagAtStartUp);
    EXPECT_EQ(instance.served, &app);
    EXPECT_EQ(app.titleWhileStarting, "Pelorvant");
}

TEST_F(ProgramEntryTest, FrameworkThatDoesNotStartEndsWithMinusOne) {
    app.frameworkStarts = false;
    EXPECT_EQ(start(""), -1);
    EXPECT_EQ(app.calls, std::vector<std::string>{"initFramework"});
}

TEST_F(ProgramEntryTest, AStartUpThatFailsEndsWithItsExitCode) {
    app.startUpSucceeds = false;
    EXPECT_EQ(start(""), 1);
    EXPECT_EQ(app.calls,
              (std::vector<std::string>{"initFramework", "initInstance", "exitInstance"}));
}

TEST_F(ProgramEntryTest, AllwaysServesLaterStartsDuringItsWaitThenStartsForAnUpdate) {
    EXPECT_EQ(start("allways"), 7);
    EXPECT_EQ(instance.calls, (std::vector<std::string>{"claim", "serve", "sleep"}))
        << "a later start during the 25 s finds this one";
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{25000ms});
    EXPECT_TRUE(app.flagAtStartUp);
}

TEST_F(ProgramEntryTest, UpdateDataWithoutARunningInstanceStartsAtOnceWithoutTheFlag) {
    EXPECT_EQ(start("UpdateData"), 7);
    EXPECT_TRUE(sleeps.empty());
    EXPECT_FALSE(app.flagAtStartUp);
}

TEST_F(ProgramEntryTest, UpdateDataWithARunningInstanceWaitsRaisesHandsOverAndEnds) {
    instance.otherHoldsClaim = -1;
    instance.otherTitle = "Pelorvant";
    EXPECT_EQ(start("UpdateData"), -1);
    EXPECT_EQ(instance.calls,
              (std::vector<std::string>{"claim", "find", "sleep", "raise", "handover"}));
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{25000ms});
    EXPECT_TRUE(app.calls.empty()) << "no window for a start that hands over";
}

TEST_F(ProgramEntryTest, PlainSecondStartOnlyRaisesTheRunningInstance) {
    instance.otherHoldsClaim = -1;
    instance.otherTitle = "PELORVANT";  // titles compare without regard to case
    EXPECT_EQ(start(""), -1);
    EXPECT_EQ(instance.calls, (std::vector<std::string>{"claim", "find", "raise"}));
    EXPECT_TRUE(sleeps.empty());
    EXPECT_TRUE(app.calls.empty());
}

TEST_F(ProgramEntryTest,
       AnInstanceThatHoldsTheClaimAndNeverAnswersIsAskedFiveTimesThenThisStartEnds) {
    for (std::optional<std::string> title : {std::optional<std::string>{}, std::optional<std::string>{"Jiný program"}}) {
        SCOPED_TRACE(title.value_or("no answer"));
        instance = SingleInstanceDouble{};
        instance.otherHoldsClaim = -1;
        instance.otherTitle = title;
        sleeps.clear();
        app.calls.clear();
        EXPECT_EQ(start("UpdateData"), -1);
        EXPECT_EQ(sleeps, times(5, 1000ms));
        EXPECT_EQ(std::count(instance.calls.begin(), instance.calls.end(), "find"), 5);
        EXPECT_TRUE(app.calls.empty()) << "never a second program beside the first";
    }
}

// The instance takes every question and never answers (stopped, or hung): the questions and
// the waits between them share one bound of five seconds.
TEST_F(ProgramEntryTest, AnInstanceThatTakesTheQuestionsAndNeverAnswersCostsFiveSecondsInAll) {
    struct Case {
        const char* name;
        std::chrono::milliseconds hangs;  // how long a question waits before it is given up
        int finds;
        std::vector<std::chrono::milliseconds> sleeps;
    };
    for (const Case& c : {Case{"the whole bound", 0ms, 1, {}},
                          Case{"half a second a question", 500ms, 4, {1000ms, 1000ms, 1000ms}},
                          Case{"two seconds a question", 2000ms, 2, {1000ms}}}) {
        SCOPED_TRACE(c.name);
        std::chrono::steady_clock::time_point clock{};
        instance = SingleInstanceDouble{};
        instance.otherHoldsClaim = -1;
        instance.otherHangs = true;
        // 0: the question waits its whole limit.
        instance.whileHanging = [&](std::chrono::milliseconds limit) {
            clock += c.hangs == 0ms ? limit : std::min(limit, c.hangs);
        };
        services.now = [&] { return clock; };
        services.sleep = [&](std::chrono::milliseconds ms) {
            sleeps.push_back(ms);
            clock += ms;
        };
        sleeps.clear();
        app.calls.clear();
        EXPECT_EQ(start("UpdateData"), -1);
        EXPECT_EQ(instance.findLimits.front(), 5000ms);
        EXPECT_EQ(static_cast<int>(instance.findLimits.size()), c.finds);
        EXPECT_EQ(sleeps, c.sleeps);
        EXPECT_LE(clock - std::chrono::steady_clock::time_point{}, 5000ms);
        EXPECT_TRUE(app.calls.empty()) << "never a second program beside the first";
    }
}

TEST_F(ProgramEntryTest, AnInstanceThatEndsWhileBeingSearchedLeavesTheClaimToThisStart) {
    instance.otherHoldsClaim = 2;  // gone by the second search attempt
    EXPECT_EQ(start(""), 7);
    EXPECT_EQ(sleeps, times(1, 1000ms));
    EXPECT_TRUE(instance.holdsClaim());
    EXPECT_EQ(instance.calls.back(), "serve");
}

TEST_F(ProgramEntryTest, AllwaysBesideARunningInstanceOnlyRaisesIt) {
    instance.otherHoldsClaim = -1;
    instance.otherTitle = "Pelorvant";
    EXPECT_EQ(start("allways"), -1);
    EXPECT_EQ(instance.calls, (std::vector<std::string>{"claim", "find", "raise"}));
    EXPECT_TRUE(sleeps.empty()) << "no wait for a start that does not run";
    EXPECT_TRUE(app.calls.empty());
}

TEST_F(ProgramEntryTest, RestartLooksAtLeastNineTimesEvenWithoutAnOldInstance) {
    EXPECT_EQ(start("restart"), 7);
    EXPECT_EQ(sleeps, times(9, 50ms));
}

TEST_F(ProgramEntryTest, RestartWaitsUntilTheOldInstanceIsGone) {
    instance.otherHoldsClaim = 14;
    EXPECT_EQ(start("restart"), 7);
    EXPECT_EQ(sleeps, times(15, 50ms));
    EXPECT_EQ(app.calls.back(), "run");
}

TEST_F(ProgramEntryTest, RestartGivesUpAfterThirtySecondsAndGoesOnWithTheSearch) {
    instance.otherHoldsClaim = -1;
    instance.otherTitle = "Pelorvant";
    EXPECT_EQ(start("restart"), -1);
    ASSERT_GE(sleeps.size(), 600u);
    EXPECT_EQ(std::vector<std::chrono::milliseconds>(sleeps.begin(), sleeps.begin() + 600), times(600, 50ms));
    EXPECT_EQ(sleeps.size(), 600u) << "the old instance answered: raised, and this start ends";
    EXPECT_EQ(instance.calls.back(), "raise");
}

TEST_F(ProgramEntryTest, CommandWordsAreComparedExactly) {
    for (std::string_view line : {"Restart", "restart ", "ALLWAYS", "updatedata", "restart allways"}) {
        SCOPED_TRACE(line);
        sleeps.clear();
        instance = SingleInstanceDouble{};
        EXPECT_EQ(start(line), 7);
        EXPECT_TRUE(sleeps.empty());
        EXPECT_FALSE(app.flagAtStartUp);
    }
}

}  // namespace
}  // namespace pelorvant
