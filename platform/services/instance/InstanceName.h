#pragma once
// Where the instances of one program meet: the lock file that marks the running instance and
// the abstract Unix socket it answers on. Both are named from the program's full path, so
// copies of the program in two folders are two programs, and from the runtime folder, so two
// users (or two test runs with their own runtime folders) never meet.
#include <filesystem>
#include <string>

namespace platform::services {

struct InstanceName {
    std::filesystem::path lockFile;
    // The abstract socket name without its leading zero byte.
    std::string socketName;
};

// The meeting place of the program at programPath. Only the text of the path counts; the
// caller passes the canonical path when links should not make a second program.
InstanceName instanceNameFor(const std::filesystem::path& programPath,
                             const std::filesystem::path& runtimeFolder);

// $XDG_RUNTIME_DIR when it is set and absolute; otherwise a private folder "trasa-instance"
// under the user's cache ($XDG_CACHE_HOME, else ~/.cache), made with mode 0700 when missing.
std::filesystem::path defaultRuntimeFolder();

}  // namespace platform::services
