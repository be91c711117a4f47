#pragma once
// Starting another program and leaving it to run on its own: the updater starts the program,
// the program starts its own new instance on a restart.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace platform::services {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts program with the arguments (argv[0] is the program's path) in the caller's
    // environment, without waiting for it; false when it could not be started.
    virtual bool start(const std::filesystem::path& program, const std::vector<std::string>& args) = 0;
};

// posix_spawn; the started program gets its own session, so it outlives the terminal or the
// service that started the caller. The caller owns the result.
std::unique_ptr<ProcessLauncher> makeProcessLauncher();

// Records what it was asked to start and reports `succeeds`, starting nothing.
class ProcessLauncherDouble final : public ProcessLauncher {
public:
    struct Start {
        std::filesystem::path program;
        std::vector<std::string> args;
    };
    std::vector<Start> starts;
    bool succeeds = true;

    bool start(const std::filesystem::path& program, const std::vector<std::string>& args) override {
        starts.push_back({program, args});
        return succeeds;
    }
};

}  // namespace platform::services
