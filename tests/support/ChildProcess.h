#pragma once
// A program run by a test as a separate process, with its own arguments and extra environment
// entries; killed and reaped when the object goes unless it has ended and been waited for.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace trasa::testing {

class ChildProcess {
public:
    // Starts program with args; environment entries "NAME=value" replace or join the test's.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& environment = {}) {
        std::vector<std::string> argv{program.string()};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> envp;
        for (char** e = environ; *e != nullptr; ++e) {
            std::string entry(*e);
            bool replaced = false;
            for (const std::string& extra : environment) {
                if (entry.substr(0, entry.find('=') + 1) == extra.substr(0, extra.find('=') + 1)) replaced = true;
            }
            if (!replaced) envp.push_back(entry);
        }
        envp.insert(envp.end(), environment.begin(), environment.end());
        std::vector<char*> argvPointers;
        for (std::string& a : argv) argvPointers.push_back(a.data());
        argvPointers.push_back(nullptr);
        std::vector<char*> envPointers;
        for (std::string& e : envp) envPointers.push_back(e.data());
        envPointers.push_back(nullptr);
        if (::posix_spawn(&pid_, argv[0].c_str(), nullptr, nullptr, argvPointers.data(), envPointers.data()) != 0)
            pid_ = -1;
    }
    ~ChildProcess() {
        if (pid_ > 0 && !exitCode_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }

    // The exit code once the process ends within the limit (a signal gives 128 + its number);
    // nothing when it still runs then.
    std::optional<int> waitForExit(std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        if (exitCode_ || pid_ <= 0) return exitCode_;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            int status = 0;
            pid_t done = ::waitpid(pid_, &status, WNOHANG);
            if (done == pid_) {
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return exitCode_;
            }
            if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // Kills the process and waits until it has gone.
    void kill() {
        if (pid_ > 0 && !exitCode_) {
            ::kill(pid_, SIGKILL);
            waitForExit();
        }
    }

private:
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

// Polls until the condition holds or the limit passes; the condition's last answer.
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace trasa::testing
