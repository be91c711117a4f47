#pragma once
// A child process for tests of the device services (a private message bus, a mock daemon),
// killed and reaped when its holder goes.
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <csignal>
#include <string>
#include <vector>

extern char** environ;

namespace platform::services::testing {

class SpawnedChild {
public:
    SpawnedChild() = default;
    SpawnedChild(const SpawnedChild&) = delete;
    SpawnedChild& operator=(const SpawnedChild&) = delete;
    ~SpawnedChild() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    // Starts argv with the extra environment entries; stdout goes to outFd when it is >= 0.
    bool start(std::vector<std::string> argv, const std::vector<std::string>& env, int outFd) {
        std::vector<char*> args;
        for (auto& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        std::vector<std::string> envText(env);
        for (char** e = environ; *e; ++e) envText.emplace_back(*e);
        std::vector<char*> envp;
        for (auto& e : envText) envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (outFd >= 0) posix_spawn_file_actions_adddup2(&actions, outFd, 1);
        const int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) pid_ = 0;
        return rc == 0;
    }

private:
    pid_t pid_ = 0;
};

}  // namespace platform::services::testing
