#pragma once
// The names under which the instances of one program meet inside the user's private runtime
// folder (PrivateFolder.h): the lock file that marks the running instance and the socket file
// it answers on. Both are named from the program's full path, so copies of the program in two
// folders are two programs.
#include <filesystem>
#include <string>

namespace platform::services {

struct InstanceName {
    std::string lockFile;
    std::string socketFile;
};

// The names of the program at programPath. Only the text of the path counts; the caller
// passes the canonical path when links should not make a second program. Short enough for a
// socket address beside the folder's path.
InstanceName instanceNameFor(const std::filesystem::path& programPath);

}  // namespace platform::services
