#include "platform/services/events/DeviceEvents.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace platform::services {
namespace {

using trasa::testing::readText;
using trasa::testing::TempFolder;
using trasa::testing::writeText;

class FileEventRegistrationsTest : public ::testing::Test {
protected:
    TempFolder config;
    std::unique_ptr<DeviceEventRegistrations> registrations = makeFileEventRegistrations(config.path());
    std::filesystem::path file = registrationsFile(config.path());
};

TEST_F(FileEventRegistrationsTest, EventWordsAreTheSystemsCommandLines) {
    EXPECT_EQ(eventWord(DeviceEvent::SerialCable), "AppRunAtRs232Detect");
    EXPECT_EQ(eventWord(DeviceEvent::SyncEnded), "AppRunAfterSync");
    EXPECT_EQ(eventWord(DeviceEvent::UsbNetwork), "AppRunAfterRndisFnDetected");
}

TEST_F(FileEventRegistrationsTest, StoresOneLineARegistrationInOrderAndOnlyOnce) {
    ASSERT_TRUE(registrations->add("/home/u/.local/bin/obnovnik", DeviceEvent::SerialCable));
    ASSERT_TRUE(registrations->add("/home/u/my programs/obnovnik", DeviceEvent::UsbNetwork));
    ASSERT_TRUE(registrations->add("/home/u/.local/bin/obnovnik", DeviceEvent::SerialCable));
    EXPECT_EQ(file, config / "trasa/device-events");
    EXPECT_EQ(readText(file),
              "AppRunAtRs232Detect /home/u/.local/bin/obnovnik\n"
              "AppRunAfterRndisFnDetected /home/u/my programs/obnovnik\n");
    std::vector<EventRegistration> expected{{"AppRunAtRs232Detect", "/home/u/.local/bin/obnovnik"},
                                            {"AppRunAfterRndisFnDetected", "/home/u/my programs/obnovnik"}};
    EXPECT_EQ(makeFileEventRegistrations(config.path())->list(), expected);
}

TEST_F(FileEventRegistrationsTest, RemovesEveryRegistrationOfOneProgramAndKeepsOthers) {
    registrations->add("/a/obnovnik", DeviceEvent::SerialCable);
    registrations->add("/b/other", DeviceEvent::SerialCable);
    registrations->add("/a/obnovnik", DeviceEvent::SyncEnded);
    ASSERT_TRUE(registrations->removeProgram("/a/obnovnik"));
    EXPECT_EQ(readText(file), "AppRunAtRs232Detect /b/other\n");
    EXPECT_TRUE(registrations->removeProgram("/never/registered"));
}

TEST_F(FileEventRegistrationsTest, NothingIsWrittenWhenNothingChangesAndNothingIsRegistered) {
    EXPECT_TRUE(registrations->removeProgram("/a/obnovnik"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(registrations->list().empty());
}

TEST_F(FileEventRegistrationsTest, SkipsDamagedLinesAndRefusesPathsThatBreakTheFormat) {
    std::filesystem::create_directories(file.parent_path());
    writeText(file, "garbage\n\n AppRunAtRs232Detect\nAppRunAfterSync /ok\n");
    EXPECT_EQ(registrations->list(), (std::vector<EventRegistration>{{"AppRunAfterSync", "/ok"}}));
    EXPECT_FALSE(registrations->add("/bad\npath", DeviceEvent::SerialCable));
    EXPECT_FALSE(registrations->add("", DeviceEvent::SerialCable));
}

}  // namespace
}  // namespace platform::services
