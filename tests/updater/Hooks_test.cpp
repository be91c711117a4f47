// The device-event hooks run by hand, as udev and NetworkManager run them, with fake system
// tools: loginctl lists the logged-in users, getent gives their homes, and systemd-run
// records how it was asked to start a program and then starts it. The hooks take nothing from
// the environment, so each test runs a copy of them whose fixed places (the search path, the
// sysfs root, the helper) are the test's own.
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include <regex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using trasa::testing::ChildProcess;
using trasa::testing::readText;
using trasa::testing::TempFolder;
using trasa::testing::writeText;

const std::filesystem::path kHooks = std::filesystem::path(TRASA_SOURCE_DIR) / "updater/hooks";

// The user a fake password entry gives to a file of the test: its own, or another one.
const std::string kOwnUid = std::to_string(::getuid());
const std::string kOwnGid = std::to_string(::getgid());
constexpr const char* kOtherUid = "65534";

// A copy of the hook `name` in `folder` with the line beginning with each key replaced.
std::filesystem::path copyWithPlaces(
    const std::string& name, const std::filesystem::path& folder,
    const std::vector<std::pair<std::string, std::string>>& places) {
    std::istringstream in(readText(kHooks / name));
    std::string text;
    std::string line;
    while (std::getline(in, line)) {
        for (const auto& [key, value] : places) {
            if (line.starts_with(key))
                line = key + value;
        }
        text += line + "\n";
    }
    const std::filesystem::path copy = folder / name;
    writeText(copy, text);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    return copy;
}

class Hooks : public ::testing::Test {
protected:
    Hooks() {
        std::filesystem::create_directories(bin);
        // alice and bob are this test's own user; carol is another user, whose files the test
        // made (so they are not hers).
        tool("loginctl",
             "[ \"$*\" = 'list-users --no-legend' ] || exit 1\n"
             "printf '1000 alice no active\\n1001 bob no active\\n1002 carol no active\\n'\n");
        tool("getent",
             "[ \"$1\" = passwd ] || exit 2\ncase \"$2\" in carol) id=" + std::string(kOtherUid) +
                 ":" + kOtherUid + " ;; *) id=" + kOwnUid + ":" + kOwnGid + " ;; esac\n" +
                 "echo \"$2:x:$id::" + (root / "home").string() + "/$2:/bin/sh\"\n");
        // Reading as the user needs root; otherwise the read runs as the test's own user.
        if (::geteuid() != 0) {
            tool("setpriv", "echo \"$*\" >> \"" + (root / "setpriv").string() +
                                "\"\nwhile [ \"$1\" != -- ]; do shift; done\nshift\nexec \"$@\"\n");
        }
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
        writeText(registrationsOf(user), lines);
    }
    // The helper with the test's tools first on its search path.
    std::filesystem::path helper() {
        return copyWithPlaces("trasa-device-event", root.path(),
                              {{"PATH=", bin.string() + ":/usr/sbin:/usr/bin:/sbin:/bin"}});
    }
    // The registrations file of a user (made, with its folders).
    std::filesystem::path registrationsOf(const std::string& user) {
        const std::filesystem::path file = root / "home" / user / ".config/trasa/device-events";
        std::filesystem::create_directories(file.parent_path());
        return file;
    }
    int run(const std::filesystem::path& script, const std::vector<std::string>& args,
            std::vector<std::string> environment = {}) {
        ChildProcess child("/bin/sh", [&] {
            std::vector<std::string> all{script.string()};
            all.insert(all.end(), args.begin(), args.end());
            return all;
        }(), environment);
        return child.waitForExit(std::chrono::seconds(30)).value_or(-1);
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
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect"}), 0);
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
    EXPECT_EQ(run(helper(), {"AppRunAfterRndisFnDetected"}), 0);
    EXPECT_EQ(started(), "bob's AppRunAfterRndisFnDetected\n");
    EXPECT_NE(readText(root / "systemd-run").find("--machine=bob@"), std::string::npos);
}

struct UntrustedFile {
    const char* name;
    // Makes alice's registrations file the untrusted kind; the program line is given.
    std::function<void(const std::filesystem::path& file, const std::string& line)> make;
};

void PrintTo(const UntrustedFile& c, std::ostream* out) {
    *out << c.name;
}

class UntrustedRegistrations : public Hooks, public ::testing::WithParamInterface<UntrustedFile> {};

// bob comes after alice in the list of users: his program runs whatever alice's file is.
TEST_P(UntrustedRegistrations, AreIgnoredAndTheOtherUsersProgramsStillRun) {
    const std::filesystem::path bobs = root / "home/bob/obnovnik";
    tool(bobs, "echo \"bob $*\" >> \"" + (root / "started").string() + "\"\n");
    registerFor("bob", "AppRunAtRs232Detect " + bobs.string() + "\n");
    GetParam().make(registrationsOf("alice"), "AppRunAtRs232Detect " + program.string() + "\n");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect"}), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20)) << "no hang";
    EXPECT_EQ(this->started(), "bob AppRunAtRs232Detect\n") << "alice's file ran nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UntrustedRegistrations,
    ::testing::Values(UntrustedFile{"fifo",
                                    [](const std::filesystem::path& file, const std::string&) {
                                        ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
                                    }},
                      UntrustedFile{"link_to_dev_zero",
                                    [](const std::filesystem::path& file, const std::string&) {
                                        std::filesystem::create_symlink("/dev/zero", file);
                                    }},
                      UntrustedFile{"link_to_a_plain_file",
                                    [](const std::filesystem::path& file, const std::string& line) {
                                        writeText(file.string() + ".real", line);
                                        std::filesystem::create_symlink(file.string() + ".real",
                                                                        file);
                                    }},
                      UntrustedFile{"huge_file",
                                    [](const std::filesystem::path& file, const std::string& line) {
                                        // The line comes first; the file is far beyond the limit.
                                        writeText(file, line);
                                        std::filesystem::resize_file(file, std::uintmax_t{1} << 30);
                                    }}));

// mallory is logged in first and fills her registrations file, and her service manager takes
// its time to answer; alice and bob come after her.
class HostileFirstUser : public Hooks {
protected:
    HostileFirstUser() {
        tool("loginctl",
             "[ \"$*\" = 'list-users --no-legend' ] || exit 1\n"
             "printf '1003 mallory no active\\n1000 alice no active\\n1001 bob no active\\n'\n");
        // Records the start and starts the program; for mallory it then hangs until the test
        // lets it go (or for at most 25 s).
        tool("systemd-run",
             "echo \"$*\" >> \"" + (root / "systemd-run").string() + "\"\n"
             "while [ \"$1\" != -- ]; do case \"$1\" in --machine=*) machine=$1 ;; esac; shift; done\n"
             "shift\n\"$@\"\n"
             "if [ \"$machine\" = --machine=mallory@ ]; then n=0\n"
             "  while [ ! -e \"" + (root / "release").string() + "\" ] && [ $n -lt 250 ]; do sleep 0.1; n=$((n + 1)); done\n"
             "fi\n");
        for (const char* user : {"alice", "bob"}) {
            const std::filesystem::path own = root / "home" / user / "obnovnik";
            tool(own, "echo \"" + std::string(user) + " $*\" >> \"" + (root / "started").string() + "\"\n");
            registerFor(user, "AppRunAtRs232Detect " + own.string() + "\n");
        }
    }
    // A program of mallory's that writes its name.
    std::filesystem::path mallorys(const std::string& name) {
        const std::filesystem::path path = root / "home/mallory" / name;
        tool(path, "echo \"mallory " + name + " $*\" >> \"" + (root / "started").string() + "\"\n");
        return path;
    }
    std::vector<std::string> startedLines() {
        std::vector<std::string> lines;
        std::istringstream in(started());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    bool hasStarted(const std::string& line) {
        const std::vector<std::string> lines = startedLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(HostileFirstUser, OneLineRepeatedStartsHerProgramOnceAndTheOthersDoNotWaitForHer) {
    const std::string line = "AppRunAtRs232Detect " + mallorys("obnovnik").string() + "\n";
    std::string file;
    while (file.size() + line.size() <= 65536) file += line;
    registerFor("mallory", file);
    ChildProcess hook("/bin/sh", {helper().string(), "AppRunAtRs232Detect"});
    // Her start still hangs: the others' programs run meanwhile.
    EXPECT_TRUE(trasa::testing::eventually(
        [&] { return hasStarted("alice AppRunAtRs232Detect") && hasStarted("bob AppRunAtRs232Detect"); },
        std::chrono::seconds(10)))
        << started();
    writeText(root / "release", "");
    EXPECT_EQ(hook.waitForExit(std::chrono::seconds(30)), 0);
    EXPECT_EQ(startedLines(), (std::vector<std::string>{"alice AppRunAtRs232Detect", "bob AppRunAtRs232Detect",
                                                        "mallory obnovnik AppRunAtRs232Detect"}));
}

TEST_F(HostileFirstUser, OnlyHerFirstEightLinesCount) {
    // Twelve programs, the first on two lines: the first eight lines start p1 to p7.
    std::string file = "AppRunAtRs232Detect " + mallorys("p1").string() + "\n";
    std::vector<std::string> expected{"alice AppRunAtRs232Detect", "bob AppRunAtRs232Detect"};
    for (int n = 1; n <= 12; ++n) {
        const std::string name = "p" + std::to_string(n);
        file += "AppRunAtRs232Detect " + mallorys(name).string() + "\n";
        if (n <= 7) expected.push_back("mallory " + name + " AppRunAtRs232Detect");
    }
    registerFor("mallory", file);
    writeText(root / "release", "");
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect"}), 0);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(startedLines(), expected);
}

TEST_F(Hooks, AFileOfAnotherUserInAUsersHomeRunsNothing) {
    // carol is another user; her file was made by this test, so it is not hers.
    const std::filesystem::path carols = root / "home/carol/obnovnik";
    tool(carols, "echo \"carol $*\" >> \"" + (root / "started").string() + "\"\n");
    registerFor("carol", "AppRunAtRs232Detect " + carols.string() + "\n");
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\n");
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect"}), 0);
    EXPECT_TRUE(started().ends_with(" AppRunAtRs232Detect\n")) << started();
    EXPECT_EQ(started().find("carol"), std::string::npos) << started();
}

TEST_F(Hooks, ThePlainFileOfTheUserIsReadAsThatUser) {
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\n");
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect"}), 0);
    EXPECT_TRUE(started().ends_with(" AppRunAtRs232Detect\n")) << started();
    if (::geteuid() != 0) {
        EXPECT_NE(readText(root / "setpriv")
                      .find("--reuid=" + kOwnUid + " --regid=" + kOwnGid + " --clear-groups"),
                  std::string::npos);
    }
}

TEST_F(Hooks, AnUnknownEventWordIsRefused) {
    registerFor("alice", "AppRunAtRs232Detect " + program.string() + "\n");
    EXPECT_EQ(run(helper(), {"AppRunAtRs232Detect;reboot"}), 2);
    EXPECT_EQ(run(helper(), {}), 2);
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
    EXPECT_EQ(run(helper(), {match[2].str()}), 0);
    EXPECT_TRUE(started().ends_with(" AppRunAtRs232Detect\n")) << started();
}

struct DispatchCase {
    const char* interface;
    const char* action;
    bool runs;
};

void PrintTo(const DispatchCase& c, std::ostream* out) {
    *out << c.interface << " " << c.action;
}

class Dispatcher : public Hooks {
protected:
    // An interface under sysfs: its device on the bus, bound to the driver; with a uevent
    // DEVTYPE and a "wireless" folder where given.
    void netInterface(const std::string& name, const std::string& bus, const std::string& driver,
                      const std::string& devtype = "", bool wireless = false) {
        const std::filesystem::path device = sysfs / "devices" / name;
        std::filesystem::create_directories(sysfs / "bus" / bus / "drivers" / driver);
        std::filesystem::create_directories(device);
        std::filesystem::create_directory_symlink(sysfs / "bus" / bus, device / "subsystem");
        std::filesystem::create_directory_symlink(sysfs / "bus" / bus / "drivers" / driver,
                                                  device / "driver");
        const std::filesystem::path net = sysfs / "class/net" / name;
        std::filesystem::create_directories(net);
        std::filesystem::create_directory_symlink(device, net / "device");
        writeText(net / "uevent", "INTERFACE=" + name + "\n" +
                                      (devtype.empty() ? "" : "DEVTYPE=" + devtype + "\n"));
        if (wireless)
            std::filesystem::create_directories(net / "wireless");
    }
    std::filesystem::path dispatcher() {
        return copyWithPlaces("90-trasa-usb-network", root.path(),
                              {{"sysfs=", sysfs.string()}, {"helper=", helper().string()}});
    }
    std::filesystem::path sysfs = root / "sys";
};

class DispatcherScript : public Dispatcher, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(DispatcherScript, RunsTheHelperOnlyWhenATetheredPhonesInterfaceComesUp) {
    netInterface("usb0", "usb", "rndis_host");
    netInterface("usb1", "usb", "cdc_ether");
    netInterface("usb2", "usb", "cdc_ncm");
    netInterface("eth1", "usb", "ipheth");
    netInterface("wlan0", "usb", "rtl8xxxu", "wlan", true);  // a USB Wi-Fi stick
    netInterface("wwan0", "usb", "cdc_ncm", "wwan");         // a mobile broadband modem
    netInterface("eth2", "usb", "r8152");                    // a USB Ethernet adapter
    netInterface("eth0", "pci", "e1000e");
    std::filesystem::create_directories(sysfs / "class/net/lo");  // no device at all
    registerFor("alice", "AppRunAfterRndisFnDetected " + program.string() + "\n");
    const DispatchCase& c = GetParam();
    EXPECT_EQ(run(dispatcher(), {c.interface, c.action}), 0);
    if (c.runs) {
        EXPECT_TRUE(started().ends_with(" AppRunAfterRndisFnDetected\n")) << started();
    } else {
        EXPECT_EQ(started(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatcherScript,
    ::testing::Values(DispatchCase{"usb0", "up", true}, DispatchCase{"usb1", "up", true},
                      DispatchCase{"usb2", "up", true}, DispatchCase{"eth1", "up", true},
                      DispatchCase{"usb0", "down", false}, DispatchCase{"usb0", "pre-up", false},
                      DispatchCase{"wlan0", "up", false}, DispatchCase{"wwan0", "up", false},
                      DispatchCase{"eth2", "up", false}, DispatchCase{"eth0", "up", false},
                      DispatchCase{"lo", "up", false}, DispatchCase{"../usb0", "up", false},
                      DispatchCase{"", "up", false}));

TEST_F(Dispatcher, TakesNeitherTheHelperNorTheSysfsRootFromItsEnvironment) {
    const std::filesystem::path fakeHelper = root / "fake-helper";
    tool(fakeHelper, "echo \"fake $*\" >> \"" + (root / "started").string() + "\"\n");
    // The installed script as it is, told of a phone's interface that exists only under the
    // test's sysfs.
    netInterface("trasatest9", "usb", "rndis_host");
    EXPECT_EQ(run(kHooks / "90-trasa-usb-network", {"trasatest9", "up"},
                  {"TRASA_SYSFS=" + sysfs.string(), "TRASA_DEVICE_EVENT=" + fakeHelper.string()}),
              0);
    EXPECT_EQ(started(), "");
}

}  // namespace
