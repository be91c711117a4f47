#include "platform/services/process/ProcessLauncher.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace platform::services {
namespace {

using trasa::testing::eventually;
using trasa::testing::readText;
using trasa::testing::TempFolder;

TEST(ProcessLauncher, StartsTheProgramWithItsArgumentsInItsOwnSession) {
    TempFolder folder;
    const std::filesystem::path out = folder / "out";
    auto launcher = makeProcessLauncher();
    ASSERT_TRUE(launcher->start("/bin/sh", {"-c", "echo \"$0 $1\" $(cut -d' ' -f6 /proc/$$/stat) > \"$2.tmp\" && mv \"$2.tmp\" \"$2\"",
                                            "restart", "two words", out.string()}));
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(out); }));
    std::string text = readText(out);
    EXPECT_TRUE(text.starts_with("restart two words ")) << text;
    EXPECT_NE(std::stoi(text.substr(18)), ::getsid(0)) << "a session of its own";
}

TEST(ProcessLauncher, AMissingProgramIsReportedAsNotStarted) {
    EXPECT_FALSE(makeProcessLauncher()->start("/nonexistent/program", {"restart"}));
}

}  // namespace
}  // namespace platform::services
