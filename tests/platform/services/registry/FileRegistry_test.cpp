#include "platform/services/registry/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace platform::services {
namespace {

namespace fs = std::filesystem;

class FileRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "registry-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        home_ = pattern;
        registry_ = makeFileRegistry(home_);
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path home_;
    std::unique_ptr<Registry> registry_;
};

TEST_F(FileRegistryTest, WrittenValueReadsBackAndSurvivesANewStore) {
    ASSERT_TRUE(registry_->writeString("SOFTWARE\\Pelorvant", "Path", "/media/card|/srv/data"));
    EXPECT_EQ(registry_->readString("SOFTWARE\\Pelorvant", "Path", 100), "/media/card|/srv/data");
    EXPECT_TRUE(fs::is_regular_file(home_ / "SOFTWARE" / "Pelorvant" / "Path"));

    auto other = makeFileRegistry(home_);
    EXPECT_EQ(other->readString("SOFTWARE\\Pelorvant", "Path", 100), "/media/card|/srv/data");
}

TEST_F(FileRegistryTest, MissingKeyOrValueIsNothing) {
    EXPECT_EQ(registry_->readString("SOFTWARE\\Nothing", "Path", 100), std::nullopt);
    ASSERT_TRUE(registry_->writeString("SOFTWARE\\Pelorvant", "Path", "x"));
    EXPECT_EQ(registry_->readString("SOFTWARE\\Pelorvant", "Other", 100), std::nullopt);
}

TEST_F(FileRegistryTest, ValueLongerThanTheLimitCountsAsMissing) {
    ASSERT_TRUE(registry_->writeString("K", "V", std::string(10, 'a')));
    EXPECT_EQ(registry_->readString("K", "V", 10), std::string(10, 'a'));
    EXPECT_EQ(registry_->readString("K", "V", 9), std::nullopt);
}

TEST_F(FileRegistryTest, EmptyValueIsPresentAndEmpty) {
    ASSERT_TRUE(registry_->writeString("K", "V", ""));
    EXPECT_EQ(registry_->readString("K", "V", 10), "");
}

TEST_F(FileRegistryTest, ReplacingKeepsOnlyTheNewValueAndLeavesNoTemporaryFiles) {
    ASSERT_TRUE(registry_->writeString("K", "V", "a long first value"));
    ASSERT_TRUE(registry_->writeString("K", "V", "short"));
    EXPECT_EQ(registry_->readString("K", "V", 100), "short");
    for (const auto& entry : fs::directory_iterator(home_ / "K")) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "V" || name == ".lock") << name;
    }
}

TEST_F(FileRegistryTest, RemovedValueIsGoneAndRemovingNothingSucceeds) {
    ASSERT_TRUE(registry_->writeString("K", "V", "x"));
    EXPECT_TRUE(registry_->removeValue("K", "V"));
    EXPECT_EQ(registry_->readString("K", "V", 100), std::nullopt);
    EXPECT_TRUE(registry_->removeValue("K", "V"));
    EXPECT_TRUE(registry_->removeValue("NoSuchKey", "V"));
}

// Names that could climb out of the store or hit its own files stay inside their key folder.
TEST_F(FileRegistryTest, HostileNamesStayInsideTheStore) {
    const char* names[] = {"..", ".", "../escape", "a/b", ".lock", "%41", ""};
    for (const char* name : names) {
        ASSERT_TRUE(registry_->writeString("K\\..\\..", name, name)) << name;
    }
    for (const char* name : names) {
        EXPECT_EQ(registry_->readString("K\\..\\..", name, 100), name) << name;
    }
    EXPECT_FALSE(fs::exists(home_.parent_path() / "escape"));
    for (const auto& entry : fs::recursive_directory_iterator(home_)) {
        const auto rel = fs::relative(entry.path(), home_).string();
        EXPECT_EQ(rel.find(".."), std::string::npos) << rel;
    }
}

TEST_F(FileRegistryTest, UnwritableStoreReportsFailure) {
    std::ofstream(home_ / "blocker") << "a file where a key folder should be";
    EXPECT_FALSE(registry_->writeString("blocker\\Sub", "V", "x"));
    EXPECT_EQ(registry_->readString("blocker\\Sub", "V", 100), std::nullopt);
}

// Two processes replace the same value over and over while a third reads it: every read is one
// writer's value whole.
TEST_F(FileRegistryTest, TwoProcessesWritingAtOnceNeverLeaveATornValue) {
    const std::string valueA(6000, 'A');
    const std::string valueB(9000, 'B');
    ASSERT_TRUE(registry_->writeString("Shared", "V", valueA));
    pid_t writers[2];
    for (int i = 0; i < 2; ++i) {
        writers[i] = ::fork();
        ASSERT_GE(writers[i], 0);
        if (writers[i] == 0) {
            auto store = makeFileRegistry(home_);
            bool ok = true;
            for (int n = 0; n < 300; ++n) ok = store->writeString("Shared", "V", i == 0 ? valueA : valueB) && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    int torn = 0;
    int reads = 0;
    for (;;) {
        const auto value = registry_->readString("Shared", "V", 20000);
        ++reads;
        if (!value || (*value != valueA && *value != valueB)) ++torn;
        int status = 0;
        if (::waitpid(writers[0], &status, WNOHANG) != 0 && ::waitpid(writers[1], &status, WNOHANG) != 0) break;
    }
    for (pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    const auto last = registry_->readString("Shared", "V", 20000);
    EXPECT_TRUE(last == valueA || last == valueB);
}

TEST_F(FileRegistryTest, UpdateReadsAndWritesUnderOneLockOrLeavesTheValue) {
    ASSERT_TRUE(registry_->writeString("K", "V", "1"));
    ASSERT_TRUE(registry_->updateString("K", "V", 100, [](const std::optional<std::string>& now) {
        return std::optional<std::string>(*now + "2");
    }));
    EXPECT_EQ(registry_->readString("K", "V", 100), "12");
    ASSERT_TRUE(registry_->updateString("K", "V", 100, [](const std::optional<std::string>&) {
        return std::optional<std::string>();
    }));
    EXPECT_EQ(registry_->readString("K", "V", 100), "12");
    std::optional<std::string> seen = "unset";
    ASSERT_TRUE(
        registry_->updateString("K", "New", 100, [&](const std::optional<std::string>& now) {
            seen = now;
            return std::optional<std::string>("x");
        }));
    EXPECT_EQ(seen, std::nullopt);
    EXPECT_EQ(registry_->readString("K", "New", 100), "x");
}

// Many processes adding to one value at once: no increment is lost.
TEST_F(FileRegistryTest, ConcurrentUpdatesLoseNothing) {
    ASSERT_TRUE(registry_->writeString("Shared", "Count", "0"));
    constexpr int kWriters = 4;
    constexpr int kEach = 50;
    pid_t writers[kWriters];
    for (int i = 0; i < kWriters; ++i) {
        writers[i] = ::fork();
        ASSERT_GE(writers[i], 0);
        if (writers[i] == 0) {
            auto store = makeFileRegistry(home_);
            bool ok = true;
            for (int n = 0; n < kEach; ++n) {
                ok = store->updateString("Shared", "Count", 100,
                                         [](const std::optional<std::string>& now) {
                                             return std::optional<std::string>(
                                                 std::to_string(std::stoi(now.value_or("0")) + 1));
                                         }) &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    EXPECT_EQ(registry_->readString("Shared", "Count", 100), std::to_string(kWriters * kEach));
}

// A writer killed during its write leaves its temporary file; the next write under the lock
// removes it (and never a value).
TEST_F(FileRegistryTest, AStaleTemporaryFileIsRemovedByTheNextWrite) {
    ASSERT_TRUE(registry_->writeString("SOFTWARE\\Pelorvant", "Actualize", "a|1|2|3"));
    const fs::path folder = home_ / "SOFTWARE" / "Pelorvant";
    std::ofstream(folder / ".new-Ab12Cd") << "half a val";
    ASSERT_TRUE(registry_->writeString("SOFTWARE\\Pelorvant", "Actualize", "a|1|2|4"));
    EXPECT_FALSE(fs::exists(folder / ".new-Ab12Cd"));
    EXPECT_EQ(registry_->readString("SOFTWARE\\Pelorvant", "Actualize", 100), "a|1|2|4");
    EXPECT_TRUE(fs::exists(folder / ".lock"));
}

TEST(DefaultConfigHome, UsesAbsoluteXdgConfigHomeElseHomeConfig) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = savedXdg ? savedXdg : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(defaultConfigHome(), fs::path("/tmp/cfg"));
    ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
    ::setenv("HOME", ::getenv("HOME") ? ::getenv("HOME") : "/root", 1);
    EXPECT_EQ(defaultConfigHome(), fs::path(::getenv("HOME")) / ".config");
    if (savedXdg) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace platform::services
