#include "platform/services/instance/SingleInstance.h"
#include "platform/services/instance/InstanceName.h"
#include "platform/services/instance/InstanceServer.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ForeignInstance.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include <optional>

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

TEST(InstanceName, DependsOnTheProgramPathAndFitsASocketAddress) {
    InstanceName a = instanceNameFor("/opt/trasa/pelorvant");
    EXPECT_TRUE(a.lockFile.starts_with("pelorvant-"));
    EXPECT_TRUE(a.socketFile.starts_with("pelorvant-"));
    EXPECT_NE(a.lockFile, a.socketFile);
    EXPECT_NE(a.lockFile, instanceNameFor("/home/u/pelorvant").lockFile);
    EXPECT_NE(a.socketFile, instanceNameFor("/home/u/pelorvant").socketFile);
    EXPECT_EQ(a.socketFile, instanceNameFor("/opt/trasa/pelorvant").socketFile);
    EXPECT_LE(instanceNameFor("/opt/" + std::string(300, 'p')).socketFile.size(), 50u);
}

// Saves environment variables and puts them back when the test ends.
class SavedEnvironment {
public:
    void set(const char* name, const std::string& value) {
        save(name);
        ::setenv(name, value.c_str(), 1);
    }
    void unset(const char* name) {
        save(name);
        ::unsetenv(name);
    }
    ~SavedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

private:
    void save(const char* name) {
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Another user's uid for folders and files made by this test (as root, through chown).
constexpr uid_t kOtherUser = 65534;

bool canGiveAway() {
    return ::geteuid() == 0;
}

struct FolderCase {
    const char* name;
    std::filesystem::perms mode;
    bool otherOwner;
    bool link;
    bool isPrivate;
};

void PrintTo(const FolderCase& c, std::ostream* out) {
    *out << c.name;
}

class PrivateFolderCheck : public ::testing::TestWithParam<FolderCase> {};

TEST_P(PrivateFolderCheck, OnlyAFolderOfThisUserClosedToOthersIsPrivate) {
    const FolderCase& c = GetParam();
    if (c.otherOwner && !canGiveAway())
        GTEST_SKIP() << "giving a folder to another user needs root";
    TempFolder root;
    const std::filesystem::path folder = root / "folder";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, c.mode);
    if (c.otherOwner)
        ASSERT_EQ(::chown(folder.c_str(), kOtherUser, kOtherUser), 0);
    std::filesystem::path used = folder;
    if (c.link) {
        used = root / "link";
        std::filesystem::create_directory_symlink(folder, used);
    }
    EXPECT_EQ(PrivateFolder::open(used).has_value(), c.isPrivate);
    EXPECT_EQ(makeSingleInstance(programOfSelf(), used) != nullptr, c.isPrivate);
}

using std::filesystem::perms;
INSTANTIATE_TEST_SUITE_P(
    Cases, PrivateFolderCheck,
    ::testing::Values(
        FolderCase{"own_0700", perms::owner_all, false, false, true},
        FolderCase{"own_0755",
                   perms::owner_all | perms::group_read | perms::group_exec | perms::others_read |
                       perms::others_exec,
                   false, false, false},
        FolderCase{"own_sticky_1777", perms::all | perms::sticky_bit, false, false, false},
        FolderCase{"own_0770", perms::owner_all | perms::group_all, false, false, false},
        FolderCase{"another_users_0700", perms::owner_all, true, false, false},
        FolderCase{"link_to_own_0700", perms::owner_all, false, true, false}));

TEST(PrivateFolderCheck, AFileOrNothingIsNoFolder) {
    TempFolder root;
    trasa::testing::writeText(root / "file", "x");
    EXPECT_FALSE(PrivateFolder::open(root / "file"));
    EXPECT_FALSE(PrivateFolder::open(root / "missing"));
    EXPECT_FALSE(PrivateFolder::open(""));
}

TEST(RuntimeFolder, ThePrivateRuntimeFolderIsTaken) {
    TempFolder runtime;
    SavedEnvironment environment;
    environment.set("XDG_RUNTIME_DIR", runtime.path().string());
    EXPECT_EQ(defaultRuntimeFolder({}), runtime.path());
}

TEST(RuntimeFolder, WithoutAPrivateRuntimeFolderTheUsersOwnCacheFolderIsMadeAndClosed) {
    TempFolder home;
    TempFolder shared;
    std::filesystem::permissions(shared.path(), perms::all | perms::sticky_bit);
    for (const std::optional<std::string>& runtime :
         {std::optional<std::string>{}, std::optional<std::string>{"relative/is/ignored"},
          std::optional<std::string>{shared.path().string()}}) {
        SCOPED_TRACE(runtime.value_or("unset"));
        SavedEnvironment environment;
        if (runtime) {
            environment.set("XDG_RUNTIME_DIR", *runtime);
        } else {
            environment.unset("XDG_RUNTIME_DIR");
        }
        environment.set("XDG_CACHE_HOME", (home / "cache").string());
        std::filesystem::path folder = defaultRuntimeFolder({});
        EXPECT_EQ(folder, home / "cache" / "trasa-instance");
        EXPECT_EQ(std::filesystem::status(folder).permissions() & perms::all, perms::owner_all);
        // Opened to others by hand: closed again.
        std::filesystem::permissions(folder, perms::owner_all | perms::others_all);
        EXPECT_EQ(defaultRuntimeFolder({}), folder);
        EXPECT_EQ(std::filesystem::status(folder).permissions() & perms::all, perms::owner_all);
    }
}

struct CacheCase {
    const char* name;
    // Makes the cache folder $XDG_CACHE_HOME names into one that must not be used.
    std::function<void(const std::filesystem::path& cache)> make;
    // Only root can give a folder to another user.
    bool needsRoot;
};

void PrintTo(const CacheCase& c, std::ostream* out) {
    *out << c.name;
}

class UntrustedCacheFolder : public ::testing::TestWithParam<CacheCase> {};

// Without a private runtime folder, a fallback folder that is not the user's own, or that sits
// where another user can take or swap its name, is passed over for the one in the home's cache.
TEST_P(UntrustedCacheFolder, IsPassedOverForTheHomesCache) {
    const CacheCase& c = GetParam();
    if (c.needsRoot && !canGiveAway())
        GTEST_SKIP() << "giving a folder to another user needs root";
    TempFolder root;
    const std::filesystem::path cache = root / "cache";
    std::filesystem::create_directory(cache);
    c.make(cache);
    const auto before = std::filesystem::symlink_status(cache / "trasa-instance");
    SavedEnvironment environment;
    environment.unset("XDG_RUNTIME_DIR");
    environment.set("XDG_CACHE_HOME", cache.string());
    environment.set("HOME", (root / "home").string());
    EXPECT_EQ(defaultRuntimeFolder({}), root / "home/.cache/trasa-instance");
    const auto after = std::filesystem::symlink_status(cache / "trasa-instance");
    EXPECT_EQ(after.type(), before.type()) << "left as it was";
    EXPECT_EQ(after.permissions(), before.permissions());
}

void giveAway(const std::filesystem::path& path) {
    ASSERT_EQ(::lchown(path.c_str(), kOtherUser, kOtherUser), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UntrustedCacheFolder,
    ::testing::Values(
        // Another user made the folder first in a cache folder everybody can write to.
        CacheCase{"another_users_folder_in_a_shared_cache",
                  [](const std::filesystem::path& cache) {
                      std::filesystem::permissions(cache, perms::all | perms::sticky_bit);
                      std::filesystem::create_directory(cache / "trasa-instance");
                      std::filesystem::permissions(cache / "trasa-instance", perms::owner_all);
                      giveAway(cache / "trasa-instance");
                  },
                  true},
        CacheCase{"another_users_open_folder",
                  [](const std::filesystem::path& cache) {
                      std::filesystem::create_directory(cache / "trasa-instance");
                      std::filesystem::permissions(cache / "trasa-instance", perms::all);
                      giveAway(cache / "trasa-instance");
                  },
                  true},
        CacheCase{"a_link_to_a_folder_of_the_users",
                  [](const std::filesystem::path& cache) {
                      std::filesystem::create_directory(cache / "elsewhere");
                      std::filesystem::permissions(cache / "elsewhere", perms::owner_all);
                      std::filesystem::create_directory_symlink(cache / "elsewhere", cache / "trasa-instance");
                  },
                  false},
        CacheCase{"a_file",
                  [](const std::filesystem::path& cache) { trasa::testing::writeText(cache / "trasa-instance", ""); },
                  false},
        // Anybody could rename the folder away and put another in its place.
        CacheCase{"a_cache_everybody_can_change",
                  [](const std::filesystem::path& cache) { std::filesystem::permissions(cache, perms::all); },
                  false},
        CacheCase{"another_users_cache",
                  [](const std::filesystem::path& cache) { giveAway(cache); },
                  true}));

TEST(RuntimeFolder, ThePasswordDatabasesHomeComesLast) {
    // Everybody can change both $XDG_CACHE_HOME and the cache of $HOME.
    TempFolder shared;
    TempFolder home;
    TempFolder databaseHome;
    std::filesystem::permissions(shared.path(), perms::all);
    std::filesystem::create_directory(home / ".cache");
    std::filesystem::permissions(home / ".cache", perms::all);
    SavedEnvironment environment;
    environment.unset("XDG_RUNTIME_DIR");
    environment.set("XDG_CACHE_HOME", shared.path().string());
    environment.set("HOME", home.path().string());
    EXPECT_EQ(defaultRuntimeFolder(databaseHome.path()), databaseHome / ".cache/trasa-instance");
    EXPECT_FALSE(std::filesystem::exists(shared / "trasa-instance"));
    EXPECT_FALSE(std::filesystem::exists(home / ".cache/trasa-instance"));
    EXPECT_EQ(defaultRuntimeFolder({}), std::filesystem::path()) << "and without it there is none";
}

TEST(RuntimeFolder, WithoutAnyHomeThereIsNone) {
    SavedEnvironment environment;
    environment.unset("XDG_RUNTIME_DIR");
    environment.unset("XDG_CACHE_HOME");
    environment.unset("HOME");
    EXPECT_EQ(defaultRuntimeFolder({}), std::filesystem::path());
}

TEST(UnguardedInstance, EveryStartRunsAndFindsNobody) {
    auto instance = makeUnguardedInstance();
    Recorder recorder;
    EXPECT_TRUE(instance->claim());
    EXPECT_TRUE(instance->serve(recorder));
    EXPECT_EQ(instance->find(), nullptr);
    EXPECT_TRUE(makeUnguardedInstance()->claim());
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

TEST_F(InstanceInProcess, TheSocketFileGoesWithTheServerAndAStaleOneIsReplaced) {
    const std::filesystem::path socket = runtime / instanceNameFor(self).socketFile;
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->serve(recorder));
    EXPECT_TRUE(std::filesystem::is_socket(socket));
    first.reset();
    EXPECT_FALSE(std::filesystem::exists(socket));
    // A crashed instance leaves its socket file: the next one replaces it.
    {
        std::optional<PrivateFolder> folder = PrivateFolder::open(runtime.path());
        ASSERT_TRUE(folder);
        int stale = listenOnSocketFile(*folder, instanceNameFor(self).socketFile);
        ASSERT_GE(stale, 0);
        ::close(stale);
    }
    EXPECT_TRUE(std::filesystem::is_socket(socket));
    ASSERT_TRUE(second->claim());
    ASSERT_TRUE(second->serve(recorder));
    std::unique_ptr<RunningInstance> found =
        makeSingleInstance(self, runtime.path(), kShort)->find();
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->raise());
}

TEST_F(InstanceInProcess, ASocketFileOfAnotherUserIsNotConnectedTo) {
    if (!canGiveAway())
        GTEST_SKIP() << "giving a socket file to another user needs root";
    ASSERT_TRUE(first->claim());
    ASSERT_TRUE(first->serve(recorder));
    const std::filesystem::path socket = runtime / instanceNameFor(self).socketFile;
    ASSERT_EQ(::lchown(socket.c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_EQ(second->find(), nullptr);
    EXPECT_EQ(recorder.raised, 0);
}

TEST_F(InstanceInProcess, AListenerThatNeverAnswersIsNoInstance) {
    std::optional<PrivateFolder> folder = PrivateFolder::open(runtime.path());
    ASSERT_TRUE(folder);
    int squatter = listenOnSocketFile(*folder, instanceNameFor(self).socketFile);
    ASSERT_GE(squatter, 0);
    EXPECT_EQ(second->find(), nullptr);
    ::close(squatter);
}

TEST_F(InstanceInProcess, AnotherProgramOnTheSocketNameIsNoInstance) {
    // This process listens on the name of another program's instance.
    const std::filesystem::path other = "/usr/bin/env";
    std::optional<PrivateFolder> folder = PrivateFolder::open(runtime.path());
    ASSERT_TRUE(folder);
    int squatter = listenOnSocketFile(*folder, instanceNameFor(other).socketFile);
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
    std::optional<PrivateFolder> folder = PrivateFolder::open(runtime.path());
    ASSERT_TRUE(folder);
    int silent = connectToSocketFile(*folder, instanceNameFor(self).socketFile);
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

    std::unique_ptr<ChildProcess> startPeer(const std::string& folder = "",
                                            std::vector<std::string> environment = {}) {
        auto child = std::make_unique<ChildProcess>(
            peer,
            std::vector<std::string>{folder.empty() ? runtime.path().string() : folder, "Pelorvant",
                                     record.string()},
            environment);
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
    EXPECT_TRUE(std::filesystem::exists(runtime / instanceNameFor(peer).lockFile))
        << "the file stays";
    EXPECT_EQ(later->find(), nullptr);
    EXPECT_TRUE(later->claim());
}

TEST_F(InstanceAcrossProcesses,
       AnotherUserOnTheSharedRuntimeFolderBlocksNeitherTheInstanceNorTheHandOver) {
    // The runtime folder is one every user can write to, and another user got there first with
    // the program's lock and socket: the program meets in the user's own folder instead.
    TempFolder shared;
    TempFolder home;
    trasa::testing::ForeignInstance squatter(shared.path(), instanceNameFor(peer).lockFile,
                                             instanceNameFor(peer).socketFile);
    ASSERT_TRUE(squatter.ready());
    SavedEnvironment environment;
    environment.set("XDG_RUNTIME_DIR", shared.path().string());
    environment.set("XDG_CACHE_HOME", (home / "cache").string());
    auto child = startPeer("default");
    const std::filesystem::path own = defaultRuntimeFolder({});
    EXPECT_EQ(own, home / "cache" / "trasa-instance");
    auto later = makeSingleInstance(peer, own);
    ASSERT_NE(later, nullptr);
    EXPECT_FALSE(later->claim()) << "the instance holds its own claim";
    std::unique_ptr<RunningInstance> found = later->find();
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->raise());
    EXPECT_TRUE(found->handOver());
    EXPECT_EQ(readText(record), "ready\nraise\nhandover\n");
}

}  // namespace
}  // namespace platform::services
