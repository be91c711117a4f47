#include "platform/services/instance/InstanceName.h"
#include "platform/services/instance/InstanceServer.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/SingleInstance.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

namespace platform::services {
namespace {

using namespace std::chrono_literals;
using trasa::testing::ChildProcess;
using trasa::testing::eventually;
using trasa::testing::readText;
using trasa::testing::TempFolder;

constexpr InstanceTimeouts kShort{300ms};

class Recorder final : public InstanceRequests {
public:
    std::string title() override { return "Pelorvant"; }
    void raise() override { raised++; }
    void handOver() override {
        std::this_thread::sleep_for(handOverTakes);
        handedOver++;
    }
    std::atomic<int> raised = 0;
    std::atomic<int> handedOver = 0;
    std::chrono::milliseconds handOverTakes{0};
};

TEST(InstanceName, DependsOnProgramPathAndRuntimeFolderAndFitsASocketName) {
    const std::string longFolder = "/run/user/1000/" + std::string(300, 'x');
    InstanceName a = instanceNameFor("/opt/trasa/pelorvant", "/run/user/1000");
    EXPECT_EQ(a.lockFile.parent_path(), "/run/user/1000");
    EXPECT_TRUE(a.lockFile.filename().string().starts_with("pelorvant-"));
    EXPECT_NE(a.lockFile, instanceNameFor("/home/u/pelorvant", "/run/user/1000").lockFile);
    EXPECT_NE(a.socketName, instanceNameFor("/home/u/pelorvant", "/run/user/1000").socketName);
    EXPECT_NE(a.socketName, instanceNameFor("/opt/trasa/pelorvant", "/tmp/other").socketName);
    EXPECT_EQ(a.socketName, instanceNameFor("/opt/trasa/pelorvant", "/run/user/1000").socketName);
    EXPECT_LE(instanceNameFor("/opt/pelorvant", longFolder).socketName.size(), 107u);
}

TEST(InstanceName, RuntimeFolderFallsBackToAPrivateCacheFolder) {
    TempFolder home;
    std::string savedRuntime = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    ::setenv("XDG_RUNTIME_DIR", "relative/is/ignored", 1);
    ::setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
    std::filesystem::path folder = defaultRuntimeFolder();
    ::unsetenv("XDG_CACHE_HOME");
    if (savedRuntime.empty()) ::unsetenv("XDG_RUNTIME_DIR"); else ::setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    EXPECT_EQ(folder, home / "cache" / "trasa-instance");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
}

class InstanceInProcess : public ::testing::Test {
protected:
    TempFolder runtime;
    std::filesystem::path self = programOfSelf();
    std::unique_ptr<SingleInstance> first = makeSingleInstance(self, runtime.path(), kShort);
    std::unique_ptr<SingleInstance> second = makeSingleInstance(self, runtime.path(), kShort);
    Recorder recorder;
};

TEST_F(InstanceInProcess, SecondStartFindsTheFirstRaisesItAndHandsOver) {
    ASSERT_TRUE(first->claim());
    EXPECT_TRUE(first->claim()) << "a repeated claim keeps it";
    ASSERT_TRUE(first->serve(recorder));
    EXPECT_FALSE(second->claim());
    std::unique_ptr<RunningInstance> found = second->find();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->title(), "Pelorvant");
    EXPECT_TRUE(found->raise());
    EXPECT_TRUE(found->handOver());
    EXPECT_EQ(recorder.raised, 1);
    EXPECT_EQ(recorder.handedOver, 1) << "the hand-over returns only once handled";
}

TEST_F(InstanceInProcess, NothingIsFoundWhenNoInstanceServes) {
    EXPECT_EQ(second->find(), nullptr);
    ASSERT_TRUE(first->claim());
    EXPECT_EQ(second->find(), nullptr) << "a claim alone does not answer";
}

TEST_F(InstanceInProcess, ServingNeedsTheClaim) {
    EXPECT_FALSE(first->serve(recorder));
}

TEST_F(InstanceInProcess, TheClaimEndsWithItsHolder) {
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->serve(recorder));
    first.reset();
    EXPECT_TRUE(second->claim());
    EXPECT_EQ(makeSingleInstance(self, runtime.path(), kShort)->find(), nullptr);
}

TEST_F(InstanceInProcess, AHandOverThatIsNotHandledInTimeGivesUp) {
    recorder.handOverTakes = 1500ms;
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->serve(recorder));
    std::unique_ptr<RunningInstance> found = second->find();
    ASSERT_NE(found, nullptr);
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(found->handOver());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1400ms);
}

TEST_F(InstanceInProcess, AListenerThatNeverAnswersIsNoInstance) {
    int squatter = listenOnAbstractName(instanceNameFor(self, runtime.path()).socketName);
    ASSERT_GE(squatter, 0);
    EXPECT_EQ(second->find(), nullptr);
    ::close(squatter);
}

TEST_F(InstanceInProcess, AnotherProgramOnTheSocketNameIsNoInstance) {
    // This process listens on the name of another program's instance.
    const std::filesystem::path other = "/usr/bin/env";
    int squatter = listenOnAbstractName(instanceNameFor(other, runtime.path()).socketName);
    ASSERT_GE(squatter, 0);
    std::atomic<bool> stop = false;
    std::thread answerer([&] {
        while (!stop) {
            int client = ::accept4(squatter, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                (void)!::send(client, "title Pelorvant\n", 16, MSG_NOSIGNAL);  // the probe may hang up first
                ::close(client);
            } else {
                std::this_thread::sleep_for(5ms);
            }
        }
    });
    EXPECT_EQ(makeSingleInstance(other, runtime.path(), kShort)->find(), nullptr);
    stop = true;
    answerer.join();
    ::close(squatter);
}

TEST_F(InstanceInProcess, AClientThatSaysNothingDoesNotBlockTheNext) {
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->serve(recorder));
    int silent = connectToAbstractName(instanceNameFor(self, runtime.path()).socketName);
    ASSERT_GE(silent, 0);
    auto probe = makeSingleInstance(self, runtime.path(), InstanceTimeouts{2000ms});
    std::unique_ptr<RunningInstance> found = probe->find();
    ASSERT_NE(found, nullptr) << "the silent client was dropped after the answer time";
    ::close(silent);
}

class InstanceAcrossProcesses : public ::testing::Test {
protected:
    TempFolder runtime;
    std::filesystem::path record = runtime / "record";
    std::filesystem::path peer = TRASA_INSTANCE_PEER;

    std::unique_ptr<ChildProcess> startPeer() {
        auto child = std::make_unique<ChildProcess>(peer, std::vector<std::string>{runtime.path().string(), "Pelorvant", record.string()});
        EXPECT_TRUE(eventually([&] { return readText(record).find("ready") != std::string::npos; }));
        return child;
    }
};

TEST_F(InstanceAcrossProcesses, SecondProcessFindsRaisesAndHandsOverToTheFirst) {
    auto child = startPeer();
    auto later = makeSingleInstance(peer, runtime.path());
    EXPECT_FALSE(later->claim());
    std::unique_ptr<RunningInstance> found = later->find();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->title(), "Pelorvant");
    EXPECT_TRUE(found->raise());
    EXPECT_TRUE(found->handOver());
    EXPECT_EQ(readText(record), "ready\nraise\nhandover\n");
}

TEST_F(InstanceAcrossProcesses, AKilledInstanceLeavesNoBlock) {
    auto child = startPeer();
    auto later = makeSingleInstance(peer, runtime.path());
    ASSERT_FALSE(later->claim());
    child->kill();
    EXPECT_TRUE(std::filesystem::exists(instanceNameFor(peer, runtime.path()).lockFile)) << "the file stays";
    EXPECT_EQ(later->find(), nullptr);
    EXPECT_TRUE(later->claim());
}

}  // namespace
}  // namespace platform::services
