#include "platform/services/process/ProcessLauncher.h"

#include <spawn.h>

extern char** environ;

namespace platform::services {
namespace {

class SpawnLauncher final : public ProcessLauncher {
public:
    bool start(const std::filesystem::path& program, const std::vector<std::string>& args) override {
        std::vector<std::string> words{program.string()};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);

        posix_spawnattr_t attributes;
        if (::posix_spawnattr_init(&attributes) != 0) return false;
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
        pid_t pid = 0;
        int result = ::posix_spawn(&pid, words[0].c_str(), nullptr, &attributes, argv.data(), environ);
        ::posix_spawnattr_destroy(&attributes);
        return result == 0;
    }
};

}  // namespace

std::unique_ptr<ProcessLauncher> makeProcessLauncher() { return std::make_unique<SpawnLauncher>(); }

}  // namespace platform::services
