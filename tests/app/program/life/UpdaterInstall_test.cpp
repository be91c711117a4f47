#include "app/program/life/UpdaterInstall.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using platform::services::EventRegistration;
using trasa::testing::readText;
using trasa::testing::TempFolder;
using trasa::testing::writeText;

class UpdaterInstallTest : public ::testing::Test {
protected:
    UpdaterInstallTest() {
        std::filesystem::create_directories(places.programFolder);
        writeText(places.programFolder / "obnovnik", "#!updater build 2\n");
        std::filesystem::permissions(places.programFolder / "obnovnik", std::filesystem::perms::owner_all);
    }
    TempFolder folder;
    UpdaterPlaces places{folder / "opt", folder / "home/.local/bin"};
    std::unique_ptr<platform::services::DeviceEventRegistrations> registrations =
        platform::services::makeFileEventRegistrations(folder / "config");
    std::filesystem::path copy = places.userProgramFolder / "obnovnik";

    std::vector<EventRegistration> registeredCopy() {
        return {{"AppRunAtRs232Detect", copy}, {"AppRunAfterSync", copy}, {"AppRunAfterRndisFnDetected", copy}};
    }
};

TEST_F(UpdaterInstallTest, EnablingCopiesTheUpdaterAndRegistersTheCopyForTheThreeEvents) {
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    EXPECT_EQ(readText(copy), "#!updater build 2\n");
    EXPECT_NE(std::filesystem::status(copy).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
    EXPECT_EQ(registrations->list(), registeredCopy());
}

TEST_F(UpdaterInstallTest, RepeatedCallsChangeNothing) {
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    const std::string file = readText(folder / "config/trasa/device-events");
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    EXPECT_EQ(readText(folder / "config/trasa/device-events"), file);
    EXPECT_EQ(registrations->list(), registeredCopy());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(places.userProgramFolder),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary copy is left";
}

TEST_F(UpdaterInstallTest, AnExistingCopyIsKeptAndRegistered) {
    std::filesystem::create_directories(places.userProgramFolder);
    writeText(copy, "#!updater build 1\n");
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    EXPECT_EQ(readText(copy), "#!updater build 1\n");
    EXPECT_EQ(registrations->list(), registeredCopy());
}

TEST_F(UpdaterInstallTest, DisablingOnlyRemovesTheRegistrationsOfBothPlaces) {
    registrations->add(places.programFolder / "obnovnik", platform::services::DeviceEvent::SerialCable);
    registrations->add("/other/program", platform::services::DeviceEvent::UsbNetwork);
    ASSERT_TRUE(installUpdater(true, places, *registrations));
    ASSERT_TRUE(installUpdater(false, places, *registrations));
    EXPECT_EQ(registrations->list(),
              (std::vector<EventRegistration>{{"AppRunAfterRndisFnDetected", "/other/program"}}));
    EXPECT_TRUE(std::filesystem::exists(copy)) << "the copy stays";
}

TEST_F(UpdaterInstallTest, AMissingUpdaterIsNotRegistered) {
    std::filesystem::remove(places.programFolder / "obnovnik");
    EXPECT_FALSE(installUpdater(true, places, *registrations));
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(registrations->list().empty());
    EXPECT_TRUE(!std::filesystem::exists(places.userProgramFolder) || std::filesystem::is_empty(places.userProgramFolder));
}

}  // namespace
}  // namespace pelorvant
