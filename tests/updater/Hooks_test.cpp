// The device-event hooks run by hand, as udev and NetworkManager run them, with fake system
// tools: loginctl lists the logged-in users, getent gives their homes, and systemd-run
// records how it was asked to start a program and then starts it.
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using trasa::testing::ChildProcess;
using trasa::testing::readText;
using trasa::testing::TempFolder;
using trasa::testing::writeText;

const std::filesystem::path kHooks = std::filesystem::path(TRASA_SOURCE_DIR) / "updater/hooks";

class Hooks : public ::testing::Test {
protected:
    Hooks() {
        std::filesystem::create_directories(bin);
        tool("loginctl", "[ \"$*\" = 'list-users --no-legend' ] || exit 1\nprintf '1000 alice no active\\n1001 bob no active\\n'\n");
        tool("getent", "[ \"$1\" = passwd ] || exit 2\necho \"$2:x:1000:1000::" + (root / "home").string() + "/$2:/bin/sh\"\n");
        tool("systemd-run",
             "echo \"$*\" >> \"" + (root / "systemd-run").string() + "\"\n"
             "while [ \"$1\" != -- ]; do shift; done\nshift\n\"$@\"\n");
        program = root / "home/alice/.local/bin/obnovnik";
        tool(program, "echo \"$(id -un 2>/dev/null) $*\" >> \"" + (root / "started").string() + "\"\n");
    }

    void tool(const std::filesystem::path& path, const std::string& body) {
        const std::filesystem::path file = path.is_absolute() ? path : bin / path;
        std::filesystem::create_directories(file.parent_path());
        writeText(file, "#!/bin/sh\n" + body);
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    void registerFor(const std::string& user, const std::string& lines) {
        const std::filesystem::path file = root / "home" / user / ".config/trasa/device-events";
        std::filesystem::create_directories(file.parent_path());
        writeText(file, lines);
    }
    int run(const std::filesystem::path& script, const std::vector<std::string>& args,
            std::vector<std::string> environment = {}) {
        environment.push_back("PATH=" + bin.string() + ":/usr/bin:/bin");
        ChildProcess child("/bin/sh", [&] {
            std::vector<std::string> all{script.string()};
            all.insert(all.end(), args.begin(), args.end());
            return all;
        }(), environment);
        return child.waitForExit().value_or(-1);
    }
    // The lines of the file the registered program writes: "<user> <arguments>".
    std::string started() { return readText(root / "started"); }

    TempFolder root;
    std::filesystem::path bin = root / "bin";
    std::filesystem::path program;
};

TEST_F(Hooks, EventRunsTheProgramsRegisteredForItInTheUsersManager) {
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\nAppRunAfterSync " + program.string() +
                             "\nAppRunAfterRndisFnDetected " + program.string() + "\n");
    EXPECT_EQ(run(kHooks / "trasa-device-event", {"AppRunAtRs232Detect"}), 0);
    const std::string lines = started();
    EXPECT_TRUE(lines.ends_with(" AppRunAtRs232Detect\n")) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1);
    EXPECT_EQ(readText(root / "systemd-run"),
              "--user --machine=alice@ --no-block --collect --quiet --property=KillMode=process -- " + program.string() +
                  " AppRunAtRs232Detect\n");
}

TEST_F(Hooks, EachLoggedInUserRunsOnlyTheirOwnRegistrations) {
    const std::filesystem::path bobs = root / "home/bob/prog with space";
    tool(bobs, "echo \"bob's $*\" >> \"" + (root / "started").string() + "\"\n");
    registerFor("alice", "AppRunAfterSync " + program.string() + "\n");
    registerFor("bob", "AppRunAfterRndisFnDetected " + bobs.string() + "\nAppRunAfterRndisFnDetected relative/prog\n");
    EXPECT_EQ(run(kHooks / "trasa-device-event", {"AppRunAfterRndisFnDetected"}), 0);
    EXPECT_EQ(started(), "bob's AppRunAfterRndisFnDetected\n");
    EXPECT_NE(readText(root / "systemd-run").find("--machine=bob@"), std::string::npos);
}

TEST_F(Hooks, AnUnknownEventWordIsRefused) {
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\n");
    EXPECT_EQ(run(kHooks / "trasa-device-event", {"AppRunAtRs232Detect;reboot"}), 2);
    EXPECT_EQ(run(kHooks / "trasa-device-event", {}), 2);
    EXPECT_EQ(started(), "");
}

TEST_F(Hooks, UdevRuleRunsTheHelperWithTheSerialCableWordForUsbSerialTtys) {
    const std::string rules = readText(kHooks / "90-trasa-serial-cable.rules");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(rules, match, std::regex("RUN\\+=\"([^ \"]+) ([^\"]+)\"")));
    EXPECT_EQ(std::filesystem::path(match[1].str()).filename(), "trasa-device-event");
    EXPECT_NE(rules.find("ACTION==\"add\""), std::string::npos);
    EXPECT_NE(rules.find("SUBSYSTEM==\"tty\""), std::string::npos);
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\n");
    EXPECT_EQ(run(kHooks / "trasa-device-event", {match[2].str()}), 0);
    EXPECT_TRUE(started().ends_with(" AppRunAtRs232Detect\n")) << started();
}

struct DispatchCase {
    const char* interface;
    const char* action;
    bool runs;
};

class DispatcherScript : public Hooks, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatcherScript, RunsTheHelperOnlyWhenAUsbInterfaceComesUp) {
    const std::filesystem::path sysfs = root / "sys";
    for (auto [name, bus] : {std::pair{"usb0", "usb"}, std::pair{"eth0", "pci"}}) {
        std::filesystem::create_directories(sysfs / "bus" / bus);
        std::filesystem::create_directories(sysfs / "devices" / name);
        std::filesystem::create_directory_symlink(sysfs / "bus" / bus, sysfs / "devices" / name / "subsystem");
        std::filesystem::create_directories(sysfs / "class/net" / name);
        std::filesystem::create_directory_symlink(sysfs / "devices" / name, sysfs / "class/net" / name / "device");
    }
    std::filesystem::create_directories(sysfs / "class/net/lo");  // no device at all
    registerFor("alice", "AppRunAfterRndisFnDetected " + program.string() + "\n");
    const DispatchCase& c = GetParam();
    EXPECT_EQ(run(kHooks / "90-trasa-usb-network", {c.interface, c.action},
                  {"TRASA_SYSFS=" + sysfs.string(), "TRASA_DEVICE_EVENT=" + (kHooks / "trasa-device-event").string()}),
              0);
    if (c.runs) {
        EXPECT_TRUE(started().ends_with(" AppRunAfterRndisFnDetected\n")) << started();
    } else {
        EXPECT_EQ(started(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DispatcherScript,
                         ::testing::Values(DispatchCase{"usb0", "up", true}, DispatchCase{"usb0", "down", false},
                                           DispatchCase{"usb0", "pre-up", false}, DispatchCase{"eth0", "up", false},
                                           DispatchCase{"lo", "up", false}, DispatchCase{"../usb0", "up", false},
                                           DispatchCase{"", "up", false}));

}  // namespace
