// Two starts of the program as two real processes meeting in a temporary runtime folder.
#include "platform/services/instance/InstanceName.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ForeignInstance.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace pelorvant {
namespace {

using trasa::testing::ChildProcess;
using trasa::testing::eventually;
using trasa::testing::readText;
using trasa::testing::TempFolder;

class EntryProcesses : public ::testing::Test {
protected:
    ~EntryProcesses() override {
        for (pid_t pid : othersToKill) ::kill(pid, SIGKILL);
    }

    std::unique_ptr<ChildProcess> start(const std::string& word, std::vector<std::string> extraEnvironment = {}) {
        const bool ownRuntime = std::ranges::any_of(extraEnvironment, [](const std::string& entry) {
            return entry.starts_with("XDG_RUNTIME_DIR=");
        });
        if (!ownRuntime)
            extraEnvironment.push_back("XDG_RUNTIME_DIR=" + runtime.path().string());
        extraEnvironment.push_back("PROBE_RECORD=" + record.string());
        std::vector<std::string> args;
        if (!word.empty()) args.push_back(word);
        return std::make_unique<ChildProcess>(TRASA_ENTRY_PROBE, args, extraEnvironment);
    }
    // The events one process recorded, in order.
    std::vector<std::string> eventsOf(pid_t pid) {
        std::vector<std::string> events;
        std::istringstream lines(readText(record));
        std::string line;
        const std::string prefix = std::to_string(pid) + " ";
        while (std::getline(lines, line)) {
            if (line.starts_with(prefix)) events.push_back(line.substr(prefix.size()));
        }
        return events;
    }
    bool recorded(pid_t pid, const std::string& event) {
        for (const std::string& e : eventsOf(pid)) {
            if (e == event) return true;
        }
        return false;
    }

    void answerTheQuestion() { trasa::testing::writeText(record.string() + ".answer", "yes"); }
    using Events = std::vector<std::string>;

    TempFolder runtime;
    std::filesystem::path record = runtime / "record";
    std::vector<pid_t> othersToKill;
};

TEST_F(EntryProcesses, ASecondStartDuringTheFirstsQuestionEndsAndTheFirstComesToTheFront) {
    auto first = start("", {"PROBE_QUESTION=1"});
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "asking"); }));
    auto second = start("");
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(second->pid()), (Events{"start ", "end -1"})) << "it never ran";
    answerTheQuestion();
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    EXPECT_EQ(eventsOf(first->pid()),
              (Events{"start ", "asking", "answered", "raised", "running"}));
}

TEST_F(EntryProcesses, AnUpdateHandedOverDuringTheFirstsQuestionMakesItAStartForAnUpdate) {
    auto first = start("", {"PROBE_QUESTION=1"});
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "asking"); }));
    auto second = start("UpdateData");
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(second->pid()), (Events{"start UpdateData", "sleep 25000", "end -1"}));
    answerTheQuestion();
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    EXPECT_EQ(eventsOf(first->pid()),
              (Events{"start ", "asking", "answered", "raised", "update-check", "running"}));
}

TEST_F(EntryProcesses, ASecondStartDuringTheFirstsWaitForAnUpdateEnds) {
    auto first = start("allways", {"PROBE_REAL_WAITS=1"});
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "sleep 25000"); }));
    auto second = start("");
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(second->pid()), (Events{"start ", "end -1"}));
}

TEST_F(EntryProcesses, TerminatedAtTheQuestionTheProgramEndsAtOnceAndStoresNothing) {
    auto first = start("", {"PROBE_QUESTION=1"});
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "asking"); }));
    ::kill(first->pid(), SIGTERM);
    EXPECT_EQ(first->waitForExit(std::chrono::seconds(5)), 128 + SIGTERM);
    EXPECT_EQ(eventsOf(first->pid()), (Events{"start ", "asking"})) << "no answer, no saved state";
}

TEST_F(EntryProcesses, TerminatedDuringTheWaitForAnUpdateTheProgramEndsAtOnce) {
    auto first = start("allways", {"PROBE_REAL_WAITS=1"});
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "sleep 25000"); }));
    const auto signalled = std::chrono::steady_clock::now();
    ::kill(first->pid(), SIGTERM);
    EXPECT_EQ(first->waitForExit(std::chrono::seconds(5)), 128 + SIGTERM);
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(5));
    EXPECT_EQ(eventsOf(first->pid()), (Events{"start allways", "sleep 25000"}));
}

TEST_F(EntryProcesses, TerminatedWhileRunningTheProgramShutsDownInOrder) {
    auto first = start("");
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    ::kill(first->pid(), SIGTERM);
    EXPECT_EQ(first->waitForExit(), 0);
    EXPECT_EQ(eventsOf(first->pid()), (Events{"start ", "running", "saved", "end 0"}));
}

TEST_F(EntryProcesses, AnotherUserOnASharedRuntimeFolderBlocksNeitherTheStartNorTheHandOver) {
    TempFolder shared;
    TempFolder home;
    const platform::services::InstanceName names =
        platform::services::instanceNameFor(std::filesystem::weakly_canonical(TRASA_ENTRY_PROBE));
    trasa::testing::ForeignInstance squatter(shared.path(), names.lockFile, names.socketFile);
    ASSERT_TRUE(squatter.ready());
    const std::vector<std::string> environment{"XDG_RUNTIME_DIR=" + shared.path().string(),
                                               "XDG_CACHE_HOME=" + (home / "cache").string()};
    auto first = start("", environment);
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    auto second = start("UpdateData", environment);
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(first->pid()),
              (Events{"start ", "running", "raised", "handover", "update-check"}));
}

TEST_F(EntryProcesses, ASecondStartBesideAStoppedInstanceGivesUpByItselfAndSaysSo) {
    auto first = start("");
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    ::kill(first->pid(), SIGSTOP);
    // Its standard error goes to a file.
    const std::filesystem::path errors = runtime / "errors";
    ChildProcess second("/bin/sh", {"-c", "exec \"$0\" UpdateData 2>\"$1\"", TRASA_ENTRY_PROBE, errors.string()},
                        {"XDG_RUNTIME_DIR=" + runtime.path().string(), "PROBE_RECORD=" + record.string()});
    // Its own bound is a few seconds (the entry's tests hold it to the clock); a loaded machine
    // may take much longer to start it, so only a hang fails here.
    const std::optional<int> code = second.waitForExit(std::chrono::seconds(90));
    ::kill(first->pid(), SIGCONT);
    ASSERT_EQ(code, 255) << "did not end by itself";
    EXPECT_EQ(eventsOf(second.pid()), (Events{"start UpdateData", "end -1"})) << "it never ran";
    EXPECT_NE(readText(errors).find("does not answer"), std::string::npos) << readText(errors);
    EXPECT_EQ(eventsOf(first->pid()), (Events{"start ", "running"}));
}

// Without a runtime folder, and another user made the instance folder first in a cache folder
// that everybody can write to: the two starts still meet, in the folder of the user's home.
TEST_F(EntryProcesses, AnotherUserFirstInASharedCacheFolderDoesNotLetTwoStartsRun) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
    TempFolder shared;
    TempFolder home;
    std::filesystem::permissions(shared.path(), std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
    std::filesystem::create_directory(shared / "trasa-instance");
    ASSERT_EQ(::chown((shared / "trasa-instance").c_str(), 65534, 65534), 0);
    const std::vector<std::string> environment{"XDG_RUNTIME_DIR=", "XDG_CACHE_HOME=" + shared.path().string(),
                                               "HOME=" + home.path().string()};
    auto first = start("", environment);
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    auto second = start("", environment);
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(second->pid()), (Events{"start ", "end -1"})) << "it never ran";
    EXPECT_EQ(eventsOf(first->pid()), (Events{"start ", "running", "raised"}));
    EXPECT_TRUE(std::filesystem::is_directory(home / ".cache/trasa-instance"));
}

TEST_F(EntryProcesses, SecondStartWithUpdateDataRaisesTheFirstAndHandsOver) {
    auto first = start("");
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    auto second = start("UpdateData");
    EXPECT_EQ(second->waitForExit(), 255) << "exit code -1";
    EXPECT_EQ(eventsOf(second->pid()), (std::vector<std::string>{"start UpdateData", "sleep 25000", "end -1"}));
    EXPECT_EQ(eventsOf(first->pid()),
              (std::vector<std::string>{"start ", "running", "raised", "handover", "update-check"}))
        << "the hand-over was handled before the second start ended";
}

TEST_F(EntryProcesses, PlainSecondStartOnlyRaisesTheFirst) {
    auto first = start("");
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    auto second = start("");
    EXPECT_EQ(second->waitForExit(), 255);
    EXPECT_EQ(eventsOf(first->pid()), (std::vector<std::string>{"start ", "running", "raised"}));
    EXPECT_EQ(eventsOf(second->pid()), (std::vector<std::string>{"start ", "end -1"}));
}

TEST_F(EntryProcesses, AKilledFirstInstanceLeavesNoBlock) {
    auto first = start("");
    ASSERT_TRUE(eventually([&] { return recorded(first->pid(), "running"); }));
    first->kill();
    auto second = start("UpdateData");
    ASSERT_TRUE(eventually([&] { return recorded(second->pid(), "running"); }));
    EXPECT_EQ(eventsOf(second->pid()), (std::vector<std::string>{"start UpdateData", "running"}))
        << "no search, no wait";
}

TEST_F(EntryProcesses, RestartWaitsForTheOldProcessThenRuns) {
    auto first = start("", {"PROBE_RESTART=1"});
    EXPECT_EQ(first->waitForExit(), 0);
    pid_t restarted = 0;
    ASSERT_TRUE(eventually([&] {
        std::istringstream lines(readText(record));
        std::string line;
        while (std::getline(lines, line)) {
            if (line.ends_with(" running") && std::stoi(line) != first->pid()) restarted = std::stoi(line);
        }
        return restarted != 0;
    }));
    othersToKill.push_back(restarted);
    std::vector<std::string> events = eventsOf(restarted);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "start restart");
    EXPECT_EQ(events.back(), "running");
    // The new process started while the old one still ran its last half second, and its
    // first look came before the old one had gone.
    const std::string all = readText(record);
    EXPECT_LT(all.find(std::to_string(restarted) + " start restart"), all.find(std::to_string(first->pid()) + " exit"));
    EXPECT_GT(all.find(std::to_string(restarted) + " running"), all.find(std::to_string(first->pid()) + " exit"));
}

}  // namespace
}  // namespace pelorvant
