#include "updater/UpdaterRun.h"

#include "app/core/ActualizeValue.h"
#include "updater/LocalTime.h"
#include "updater/UpdaterRules.h"

#include <gtest/gtest.h>

#include <optional>

namespace obnovnik {
namespace {

using platform::services::MemoryRegistry;
using platform::services::ProcessLauncherDouble;

constexpr std::string_view kCable = "AppRunAtRs232Detect";
constexpr std::string_view kSync = "AppRunAfterSync";
constexpr std::string_view kUsb = "AppRunAfterRndisFnDetected";

// 10 December 2026 15:00:00; day number 8379.
constexpr LocalTime kNow{2026, 12, 10, 15, 0, 0};
const std::int32_t kToday = dayNumberOf(kNow);
const std::int64_t kNowSeconds = secondsSince2004(kNow);

std::int64_t stampAt(std::int64_t secondsAgo, std::int64_t kind) { return (kNowSeconds - secondsAgo) * 10 + kind; }

TEST(UpdaterTime, CountsSecondsFromNewYear2004LocalTimeInSixtyFourBits) {
    EXPECT_EQ(secondsSince2004({2004, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(secondsSince2004({2004, 1, 2, 1, 2, 3}), 86400 + 3723);
    EXPECT_EQ(kToday, 8379);
    // Ten times the count passed 2^31 in 2010; the stamp must not wrap.
    EXPECT_EQ(kNowSeconds, 723999600);
    EXPECT_GT(kNowSeconds * 10, std::int64_t{INT32_MAX});
}

struct RunCase {
    const char* name;
    std::optional<std::string> actualize;  // nothing: no value stored
    std::string_view commandLine;
    bool programRuns;
    // Expected: the stamp recorded (nothing: the value is left as it was) and the start made.
    std::optional<std::int64_t> recordedStamp;
    std::optional<std::string> startedWith;
};

std::string value(int flags, std::int64_t stamp, std::int32_t day) {
    return "/opt/trasa/pelorvant|" + std::to_string(flags) + "|" + std::to_string(stamp) + "|" + std::to_string(day);
}

// Failures name the case, not its bytes.
void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class UpdaterRunTable : public ::testing::TestWithParam<RunCase> {};

TEST_P(UpdaterRunTable, RecordsAndStartsAsTheRulesSay) {
    const RunCase& c = GetParam();
    MemoryRegistry registry;
    if (c.actualize) registry.writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, *c.actualize);
    ProcessLauncherDouble launcher;
    std::vector<std::filesystem::path> probed;
    UpdaterServices services{registry, launcher, [] { return kNow; },
                             [&](const std::filesystem::path& program) {
                                 probed.push_back(program);
                                 return c.programRuns;
                             }};
    EXPECT_EQ(runUpdater(c.commandLine, services), 0);

    std::optional<std::string> stored =
        registry.readString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, 520);
    if (c.recordedStamp) {
        ASSERT_TRUE(stored);
        pelorvant::ActualizeValue before = pelorvant::parseActualize(c.actualize.value_or(""));
        pelorvant::ActualizeValue after = pelorvant::parseActualize(*stored);
        EXPECT_EQ(after.stamp, *c.recordedStamp);
        EXPECT_EQ(after.programPath, before.programPath);
        EXPECT_EQ(after.enabled, before.enabled);
        EXPECT_EQ(after.startsProgram, before.startsProgram);
        EXPECT_EQ(after.day, before.day);
    } else {
        EXPECT_EQ(stored, c.actualize) << "left as it was";
    }
    if (c.startedWith) {
        ASSERT_EQ(launcher.starts.size(), 1u);
        EXPECT_EQ(launcher.starts[0].program, "/opt/trasa/pelorvant");
        EXPECT_EQ(launcher.starts[0].args, std::vector<std::string>{*c.startedWith});
    } else {
        EXPECT_TRUE(launcher.starts.empty());
    }
}

const std::int64_t kCableNow = kNowSeconds * 10 + 1;
const std::int64_t kOtherNow = kNowSeconds * 10 + 2;

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdaterRunTable,
    ::testing::Values(
        RunCase{"UnknownWordDoesNothing", value(3, 0, 0), "AppRunAtRs232Detect ", false, std::nullopt, std::nullopt},
        RunCase{"WordInOtherCaseDoesNothing", value(3, 0, 0), "apprunatrs232detect", false, std::nullopt, std::nullopt},
        RunCase{"NoValueRecordsButStartsNothing", std::nullopt, kCable, false, kCableNow, std::nullopt},
        RunCase{"FlagsThreeStoppedProgramStartsWithAllways", value(3, 0, 0), kCable, false, kCableNow, "allways"},
        RunCase{"FlagsThreeRunningProgramGetsUpdateData", value(3, 0, 0), kUsb, true, kOtherNow, "UpdateData"},
        RunCase{"FlagsOneRunningProgramGetsUpdateData", value(1, 0, 0), kSync, true, kOtherNow, "UpdateData"},
        RunCase{"FlagsOneStoppedProgramStartsNothing", value(1, 0, 0), kCable, false, kCableNow, std::nullopt},
        RunCase{"FlagsTwoAloneStartsNothing", value(2, 0, 0), kCable, true, kCableNow, std::nullopt},
        RunCase{"FlagsZeroStartsNothing", value(0, 0, 0), kUsb, true, kOtherNow, std::nullopt},
        RunCase{"TwentySecondsAfterATriggerNothing", value(3, stampAt(20, 2), 0), kCable, false, std::nullopt, std::nullopt},
        RunCase{"TwentyNineSecondsAfterNothing", value(3, stampAt(29, 2), 0), kUsb, false, std::nullopt, std::nullopt},
        RunCase{"ThirtySecondsAfterATriggerRuns", value(3, stampAt(30, 2), 0), kUsb, false, kOtherNow, "allways"},
        RunCase{"SyncAfterCableEndsEvenAfterThirtySeconds", value(3, stampAt(600, 1), 0), kSync, false, std::nullopt, std::nullopt},
        RunCase{"UsbAfterCableEnds", value(3, stampAt(600, 1), 0), kUsb, false, std::nullopt, std::nullopt},
        RunCase{"CableAfterCableRuns", value(3, stampAt(600, 1), 0), kCable, false, kCableNow, "allways"},
        RunCase{"UsbAfterAnOldDaysCableRuns", value(3, stampAt(86400, 1), 0), kUsb, false, kOtherNow, "allways"},
        RunCase{"CheckedTodayNothing", value(3, 0, kToday), kCable, false, std::nullopt, std::nullopt},
        RunCase{"CheckedYesterdayRuns", value(3, 0, kToday - 1), kCable, false, kCableNow, "allways"},
        RunCase{"DayInTheFutureIsStale", value(3, 0, kToday + 5), kCable, false, kCableNow, "allways"},
        RunCase{"StampInTheFutureIsStale", value(3, stampAt(-3600, 2), 0), kUsb, false, kOtherNow, "allways"},
        RunCase{"CableStampInTheFutureDoesNotSilenceUsb", value(3, stampAt(-60, 1), 0), kUsb, false, kOtherNow, "allways"}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST(UpdaterRun, FiveFieldsValueIsRewrittenFromTheDefaults) {
    // A path with "|" makes the value unreadable: the run records its trigger into a value
    // with an empty path and no flags, and starts nothing.
    MemoryRegistry registry;
    registry.writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, "/a|b/pelorvant|3|0|0");
    ProcessLauncherDouble launcher;
    UpdaterServices services{registry, launcher, [] { return kNow; }, [](const std::filesystem::path&) { return true; }};
    runUpdater(kCable, services);
    EXPECT_EQ(registry.readString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, 520),
              "|0|" + std::to_string(kCableNow) + "|0");
    EXPECT_TRUE(launcher.starts.empty());
}

TEST(UpdaterRun, PercentInThePathIsKeptAndAFailingStartIsSilent) {
    MemoryRegistry registry;
    registry.writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, "/opt/100%d/pelorvant|3|0|0");
    ProcessLauncherDouble launcher;
    launcher.succeeds = false;
    UpdaterServices services{registry, launcher, [] { return kNow; }, [](const std::filesystem::path&) { return false; }};
    EXPECT_EQ(runUpdater(kCable, services), 0);
    EXPECT_EQ(registry.readString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, 520),
              "/opt/100%d/pelorvant|3|" + std::to_string(kCableNow) + "|0");
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].program, "/opt/100%d/pelorvant");
}

// Two events of one connection in a row, with the running program saving its state between
// them (as it does after a check): the program keeps the updater's stamp, so only the first
// event hands an update over.
TEST(UpdaterRun, TwoEventsInARowHandOverOnce) {
    MemoryRegistry registry;
    registry.writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName,
                         value(3, stampAt(3600, 2), kToday - 1));
    ProcessLauncherDouble launcher;
    LocalTime now = kNow;
    UpdaterServices services{registry, launcher, [&now] { return now; }, [](const std::filesystem::path&) { return true; }};
    EXPECT_EQ(runUpdater(kUsb, services), 0);
    ASSERT_EQ(launcher.starts.size(), 1u);
    // The program's own save: path, flags and day are its own, the stamp stays the updater's.
    registry.updateString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, 520,
                          [](const std::optional<std::string>& current) -> std::optional<std::string> {
                              pelorvant::ActualizeValue v = pelorvant::parseActualize(current.value_or(""));
                              v.day = kToday - 1;
                              return pelorvant::formatActualize(v);
                          });
    now.second = 20;
    EXPECT_EQ(runUpdater(kUsb, services), 0);
    EXPECT_EQ(launcher.starts.size(), 1u);
}

}  // namespace
}  // namespace obnovnik
