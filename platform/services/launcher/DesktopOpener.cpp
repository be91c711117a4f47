#include "platform/services/launcher/DesktopOpener.h"

#include "platform/services/http/HttpClient.h"
#include "platform/services/process/ProcessLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace platform::services {

namespace {

class XdgOpener final : public DesktopOpener {
public:
    XdgOpener(std::filesystem::path program, std::uint32_t patienceMs)
        : program_(std::move(program)), patienceMs_(patienceMs), launcher_(makeProcessLauncher()) {}

    // The launcher puts the program's path in front of the arguments itself.
    bool open(const std::string& target) override { return launcher_->start(program_, {target}); }

    bool openConfirmed(const std::string& target) override {
        std::string path = program_.string();
        std::string argument = target;
        char* argv[] = {path.data(), argument.data(), nullptr};
        posix_spawnattr_t attributes;
        if (::posix_spawnattr_init(&attributes) != 0) return false;
        // Its own session: the program it starts outlives this one's terminal.
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
        pid_t pid = 0;
        const int spawned = ::posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, environ);
        ::posix_spawnattr_destroy(&attributes);
        if (spawned != 0) return false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs_);
        for (;;) {
            int status = 0;
            const pid_t ended = ::waitpid(pid, &status, WNOHANG);
            if (ended == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (ended < 0) return false;
            if (std::chrono::steady_clock::now() >= deadline) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        // Still running: it has found a program and waits for it. Its end is collected later,
        // so it leaves no zombie behind.
        std::thread([pid] {
            int status = 0;
            ::waitpid(pid, &status, 0);
        }).detach();
        return true;
    }

private:
    std::filesystem::path program_;
    std::uint32_t patienceMs_;
    std::unique_ptr<ProcessLauncher> launcher_;
};

}  // namespace

std::unique_ptr<DesktopOpener> makeXdgOpener(const std::filesystem::path& program, std::uint32_t patienceMs) {
    return std::make_unique<XdgOpener>(program, patienceMs);
}

std::string smsComposerAddress(std::string_view number, std::string_view utf8Body) {
    return "sms:" + percentEncode(number) + "?body=" + percentEncode(utf8Body);
}

}  // namespace platform::services
