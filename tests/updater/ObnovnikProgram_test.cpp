// The real updater program, run as the system runs it: a device event's word, the user's
// configuration folder, and a program (a fake that records how it was started) in field 1.
#include "app/core/ActualizeValue.h"
#include "platform/services/instance/InstanceName.h"
#include "platform/services/registry/Registry.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ForeignInstance.h"
#include "tests/support/TempFolder.h"
#include "updater/LocalTime.h"

#include <gtest/gtest.h>

#include <thread>

namespace obnovnik {
namespace {

using namespace std::chrono_literals;
using trasa::testing::ChildProcess;
using trasa::testing::eventually;
using trasa::testing::readText;
using trasa::testing::TempFolder;

struct ProgramCase {
    const char* name;
    int flags;
    bool hasValue;
    std::int64_t stampSecondsAgo;  // 0: stamp 0
    int dayOffset;                 // the day field relative to today; -9999: day 0
    const char* word;
    bool programRuns;
    const char* started;  // the fake's recorded command line; nullptr: not started
    bool records;         // a new stamp is written
};

// Failures name the case, not its bytes.
void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.name; }

class ObnovnikProgram : public ::testing::TestWithParam<ProgramCase> {
protected:
    TempFolder config;
    TempFolder runtime;
    std::filesystem::path record = runtime / "record";
    std::filesystem::path fake = std::filesystem::weakly_canonical(TRASA_FAKE_PELORVANT);
    std::vector<std::string> environment{"XDG_CONFIG_HOME=" + config.path().string(),
                                         "XDG_RUNTIME_DIR=" + runtime.path().string(),
                                         "FAKE_PELORVANT_RECORD=" + record.string()};

    std::unique_ptr<platform::services::Registry> registry() {
        return platform::services::makeFileRegistry(config.path());
    }
    std::optional<std::string> storedValue() {
        return registry()->readString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, 520);
    }
};

TEST_P(ObnovnikProgram, StartsTheProgramAsTheRulesSay) {
    const ProgramCase& c = GetParam();
    const LocalTime now = systemLocalTime();
    const std::int64_t nowSeconds = secondsSince2004(now);
    std::string before;
    if (c.hasValue) {
        pelorvant::ActualizeValue value;
        value.programPath = fake.string();
        value.enabled = (c.flags & 1) != 0;
        value.startsProgram = (c.flags & 2) != 0;
        value.stamp = c.stampSecondsAgo == 0 ? 0 : (nowSeconds - c.stampSecondsAgo) * 10 + 2;
        value.day = c.dayOffset == -9999 ? 0 : dayNumberOf(now) + c.dayOffset;
        before = pelorvant::formatActualize(value);
        ASSERT_TRUE(registry()->writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName, before));
    }
    std::unique_ptr<ChildProcess> running;
    if (c.programRuns) {
        running = std::make_unique<ChildProcess>(fake, std::vector<std::string>{"--serve", (runtime / "ready").string()},
                                                 environment);
        ASSERT_TRUE(eventually([&] { return std::filesystem::exists(runtime / "ready"); }));
    }

    ChildProcess obnovnik(TRASA_OBNOVNIK, {c.word}, environment);
    EXPECT_EQ(obnovnik.waitForExit(), 0);

    if (c.started != nullptr) {
        ASSERT_TRUE(eventually([&] { return readText(record).ends_with("\n"); }));
        EXPECT_EQ(readText(record), std::string(c.started) + "\n");
    } else {
        std::this_thread::sleep_for(200ms);
        EXPECT_FALSE(std::filesystem::exists(record)) << readText(record);
    }
    std::optional<std::string> after = storedValue();
    if (c.records) {
        ASSERT_TRUE(after);
        pelorvant::ActualizeValue written = pelorvant::parseActualize(*after);
        const std::int64_t kind = std::string(c.word) == "AppRunAtRs232Detect" ? 1 : 2;
        EXPECT_EQ(written.stamp % 10, kind);
        EXPECT_GE(written.stamp / 10, nowSeconds);
        EXPECT_LE(written.stamp / 10, secondsSince2004(systemLocalTime()));
    } else if (c.hasValue) {
        EXPECT_EQ(after, before);
    } else {
        EXPECT_FALSE(after);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ObnovnikProgram,
    ::testing::Values(
        ProgramCase{"StoppedProgramFlagsThreeStartsWithAllways", 3, true, 0, -9999, "AppRunAtRs232Detect", false, "allways", true},
        ProgramCase{"RunningProgramGetsUpdateData", 1, true, 0, -1, "AppRunAfterRndisFnDetected", true, "UpdateData", true},
        ProgramCase{"StoppedProgramFlagsOneStartsNothing", 1, true, 3600, -1, "AppRunAfterSync", false, nullptr, true},
        ProgramCase{"WithinThirtySecondsNothing", 3, true, 20, -9999, "AppRunAtRs232Detect", false, nullptr, false},
        ProgramCase{"AlreadyCheckedTodayNothing", 3, true, 0, 0, "AppRunAfterRndisFnDetected", true, nullptr, false},
        ProgramCase{"OtherCommandLineNothing", 3, true, 0, -9999, "UpdateData", false, nullptr, false},
        ProgramCase{"NoValueRecordsAndStartsNothing", 0, false, 0, -9999, "AppRunAtRs232Detect", false, nullptr, true}),
    [](const ::testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

TEST(ObnovnikProgramRunning, AnotherUserOnASharedRuntimeFolderDoesNotHideTheRunningProgram) {
    // The runtime folder is one every user can write to, and another user holds the program's
    // lock and socket names there: the running program, met in its user's own folder, is seen.
    TempFolder config;
    TempFolder shared;
    TempFolder cache;
    const std::filesystem::path record = cache / "record";
    const std::filesystem::path fake = std::filesystem::weakly_canonical(TRASA_FAKE_PELORVANT);
    const platform::services::InstanceName names = platform::services::instanceNameFor(fake);
    trasa::testing::ForeignInstance squatter(shared.path(), names.lockFile, names.socketFile);
    ASSERT_TRUE(squatter.ready());
    const std::vector<std::string> environment{
        "XDG_CONFIG_HOME=" + config.path().string(), "XDG_RUNTIME_DIR=" + shared.path().string(),
        "XDG_CACHE_HOME=" + cache.path().string(), "FAKE_PELORVANT_RECORD=" + record.string()};
    pelorvant::ActualizeValue value;
    value.programPath = fake.string();
    value.enabled = true;
    ASSERT_TRUE(platform::services::makeFileRegistry(config.path())
                    ->writeString(pelorvant::kProgramRegistryKey, pelorvant::kActualizeValueName,
                                  pelorvant::formatActualize(value)));
    ChildProcess running(fake, {"--serve", (cache / "ready").string()}, environment);
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(cache / "ready"); }));
    ChildProcess obnovnik(TRASA_OBNOVNIK, {"AppRunAtRs232Detect"}, environment);
    EXPECT_EQ(obnovnik.waitForExit(), 0);
    ASSERT_TRUE(eventually([&] { return readText(record).ends_with("\n"); }));
    EXPECT_EQ(readText(record), "UpdateData\n");
}

TEST(ObnovnikProgramLine, SeveralWordsAreNoEventWord) {
    TempFolder config;
    ChildProcess obnovnik(TRASA_OBNOVNIK, {"AppRunAtRs232Detect", "x"}, {"XDG_CONFIG_HOME=" + config.path().string()});
    EXPECT_EQ(obnovnik.waitForExit(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(config.path())) << "nothing recorded";
}

}  // namespace
}  // namespace obnovnik
