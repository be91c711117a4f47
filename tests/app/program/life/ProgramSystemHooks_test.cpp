#include "app/program/life/ProgramSystemHooks.h"

#include "platform/services/events/DeviceEvents.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelorvant {
namespace {

using trasa::testing::TempFolder;
using trasa::testing::writeText;

// The user's folders point into a temporary folder for the test's life.
class UserFolders {
public:
    explicit UserFolders(const TempFolder& root) {
        save("HOME", root / "home");
        save("XDG_CONFIG_HOME", root / "config");
    }
    ~UserFolders() {
        for (auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

private:
    void save(const std::string& name, const std::filesystem::path& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(ProgramSystemHooks, InstallsTheUpdaterOfTheProgramFolderForTheUser) {
    TempFolder root;
    UserFolders folders(root);
    std::filesystem::create_directories(root / "opt");
    writeText(root / "opt/obnovnik", "updater");
    ProgramSystemHooks hooks(root / "opt");

    hooks.installUpdater(true);
    const std::filesystem::path copy = root / "home/.local/bin/obnovnik";
    EXPECT_TRUE(std::filesystem::exists(copy));
    auto registrations = platform::services::makeFileEventRegistrations(root / "config");
    EXPECT_EQ(registrations->list().size(), 3u);
    for (const auto& r : registrations->list()) EXPECT_EQ(r.program, copy);

    hooks.installUpdater(false);
    EXPECT_TRUE(registrations->list().empty());
}

TEST(ProgramSystemHooks, RemovesOnlyTheRegistrationsOfTheUpdaterInTheProgramFolder) {
    TempFolder root;
    UserFolders folders(root);
    auto registrations = platform::services::makeFileEventRegistrations(root / "config");
    registrations->add(root / "opt/obnovnik", platform::services::DeviceEvent::SerialCable);
    registrations->add(root / "home/.local/bin/obnovnik", platform::services::DeviceEvent::SerialCable);
    ProgramSystemHooks(root / "opt").removeUpdaterRegistrations();
    ASSERT_EQ(registrations->list().size(), 1u);
    EXPECT_EQ(registrations->list()[0].program, root / "home/.local/bin/obnovnik");
}

}  // namespace
}  // namespace pelorvant
