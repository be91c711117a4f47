// The real program under a private X server, looked at from outside as the display holds its
// window: a second start brings the running window to the front and shows no window of its
// own, the zoom option sizes the window, a termination signal at the first start's question
// stores no answer, and nothing the program started is left when it has ended. Skipped without
// Xvfb.
#include "tests/app/program/RealProgram.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>

#include <dirent.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using trasa::testing::ChildProcess;
using trasa::testing::eventually;
using trasa::testing::readText;
using trasa::testing::TempFolder;

// The processes whose parent is this one, but for the X server.
std::vector<std::string> childrenOfThisProcess() {
    std::vector<std::string> names;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return names;
    while (dirent* entry = ::readdir(proc)) {
        const std::string pid = entry->d_name;
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = readText("/proc/" + pid + "/stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        const std::string name = stat.substr(stat.find('(') + 1, close - stat.find('(') - 1);
        int parent = 0;
        char state = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) != 2)
            continue;
        if (parent == ::getpid() && name != "Xvfb" && state != 'Z')
            names.push_back(name + " " + pid);
    }
    ::closedir(proc);
    return names;
}

// The real-program fixture (its own folders under a temporary home, a private X server), and the
// program's top-level windows the display shows.
class ProgramWindow : public testing::RealProgramTest {
protected:
    std::vector<unsigned long> programWindows() {
        std::vector<unsigned long> found;
        for (unsigned long w : probe.viewableTopLevels()) {
            if (probe.title(w) == "Pelorvant")
                found.push_back(w);
        }
        return found;
    }
};

TEST_F(ProgramWindow, ASecondStartBringsTheRunningWindowToTheFrontWithoutAWindowOfItsOwn) {
    answeredBefore();
    auto first = start({});
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    const unsigned long cover = probe.coverWith(0, 0, 800, 800);
    ASSERT_EQ(probe.viewableTopLevels().back(), cover);

    auto second = start({});
    std::size_t mostWindows = 0;
    std::optional<int> code;
    while (!(code = second->waitForExit(std::chrono::milliseconds(1)))) {
        mostWindows = std::max(mostWindows, programWindows().size());
    }
    EXPECT_EQ(*code, 255) << "exit code -1";
    EXPECT_EQ(mostWindows, 1u) << "the second start showed no window";
    EXPECT_TRUE(eventually([&] { return probe.viewableTopLevels().back() == window; }))
        << "the running window is above the cover";
    ::kill(first->pid(), SIGTERM);
    EXPECT_EQ(first->waitForExit(), 0);
}

TEST_F(ProgramWindow, AStartForAnUpdateBringsTheRunningWindowToTheFrontBeforeItHandsOver) {
    answeredBefore();
    // The handed-over update check goes to a server that is not there.
    const std::vector<std::string> noServer{"PELORVANT_UPDATE_SERVER=http://127.0.0.1:9/"};
    auto first = start({}, noServer);
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    const unsigned long cover = probe.coverWith(0, 0, 800, 800);
    ASSERT_EQ(probe.viewableTopLevels().back(), cover);

    // It waits 25 s before it hands over, as after a device event.
    auto second = start({"UpdateData"}, noServer);
    std::size_t mostWindows = 0;
    std::optional<int> code;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!(code = second->waitForExit(std::chrono::milliseconds(20))) &&
           std::chrono::steady_clock::now() < limit) {
        mostWindows = std::max(mostWindows, programWindows().size());
    }
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 255);
    EXPECT_EQ(mostWindows, 1u);
    EXPECT_TRUE(eventually([&] { return probe.viewableTopLevels().back() == window; }));
    ::kill(first->pid(), SIGTERM);
    EXPECT_EQ(first->waitForExit(), 0);
}

TEST_F(ProgramWindow, TheZoomOptionScalesTheWindow) {
    answeredBefore();
    auto program = start({"--profile=240x320", "--zoom=2"});
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    const platform::draw::Size size = probe.size(window);
    EXPECT_EQ(size.width, 480);
    EXPECT_EQ(size.height, 640);
    ::kill(program->pid(), SIGTERM);
    EXPECT_EQ(program->waitForExit(), 0);

    auto wrong = start({"--zoom=0"});
    EXPECT_EQ(wrong->waitForExit(), 2) << "a zoom out of range is refused";
}

TEST_F(ProgramWindow, TerminatedAtTheGpsQuestionTheProgramEndsAtOnceAndTheQuestionComesAgain) {
    std::ofstream(data / "nastaveni.ini", std::ios::binary)
        << "[setup]\r\n   isWizardFinished=1\r\n";
    auto program = start({});
    ASSERT_NE(windowWithContent(), 0u) << "the question is shown";
    ::kill(program->pid(), SIGTERM);
    EXPECT_EQ(program->waitForExit(std::chrono::seconds(5)), 128 + SIGTERM);
    const std::string settings = readText(data / "nastaveni.ini");
    EXPECT_EQ(settings.find("wasgpsq=1"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("isgps"), std::string::npos) << settings;
}

TEST_F(ProgramWindow, TheDownloadLibraryIsLoadedOnlyWhenADownloadNeedsIt) {
    answeredBefore();
    auto program = start({});
    ASSERT_NE(windowWithContent(), 0u);
    const std::string maps = readText("/proc/" + std::to_string(program->pid()) + "/maps");
    ASSERT_NE(maps.find("libSDL2"), std::string::npos) << "the maps are the program's";
    EXPECT_EQ(maps.find("libcurl"), std::string::npos);
    ::kill(program->pid(), SIGTERM);
    EXPECT_EQ(program->waitForExit(), 0);
}

TEST_F(ProgramWindow, NothingTheProgramStartedIsLeftWhenItEndsWithoutASessionBus) {
    // Orphans of the program come to this process, whoever started them.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    answeredBefore();
    auto program = start({}, {"DBUS_SESSION_BUS_ADDRESS="});
    ASSERT_NE(windowWithContent(), 0u);
    ::kill(program->pid(), SIGTERM);
    EXPECT_EQ(program->waitForExit(), 0);
    EXPECT_TRUE(eventually([] { return childrenOfThisProcess().empty(); }, std::chrono::seconds(2)))
        << ::testing::PrintToString(childrenOfThisProcess());
    for (const std::string& left : childrenOfThisProcess())
        ::kill(std::stoi(left.substr(left.rfind(' ') + 1)), SIGKILL);
}

TEST_F(ProgramWindow, WithoutAHomeTheProgramRefusesToRunWithAClearMessage) {
    // Run as a user without a home: HOME unset, and a uid without a password entry.
    if (::geteuid() != 0)
        GTEST_SKIP() << "running as a user without a password entry needs root";
    // A checkout in a private folder (root's home, mode 0700) keeps that user from the program.
    if (const int reach = ::fork(); reach == 0) {
        ::_exit(::setgid(54321) == 0 && ::setuid(54321) == 0 && ::access(TRASA_PELORVANT, X_OK) == 0 ? 0 : 1);
    } else {
        int reachStatus = 0;
        ASSERT_EQ(::waitpid(reach, &reachStatus, 0), reach);
        if (!WIFEXITED(reachStatus) || WEXITSTATUS(reachStatus) != 0)
            GTEST_SKIP() << "uid 54321 cannot reach " << TRASA_PELORVANT
                         << ": the checkout lies in a folder only its owner may enter";
    }
    int errors[2];
    ASSERT_EQ(::pipe(errors), 0);
    const int pid = ::fork();
    if (pid == 0) {
        ::dup2(errors[1], 2);
        ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        if (::setgid(54321) != 0 || ::setuid(54321) != 0)
            ::_exit(99);
        const char* argv[] = {TRASA_PELORVANT, nullptr};
        ::execv(TRASA_PELORVANT, const_cast<char**>(argv));
        ::_exit(98);
    }
    ::close(errors[1]);
    std::string said;
    char buffer[512];
    for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    ::close(errors[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(said.find("pelorvant: no home folder"), std::string::npos) << said;
}

}  // namespace
}  // namespace pelorvant
