#pragma once
// Who is at the other end of a local socket: the kernel's record of the peer's process and user
// (SO_PEERCRED) and the program file that process runs (/proc/<pid>/exe). A socket name can be
// taken by anyone; only a peer of this user running the expected program counts as an instance.
#include <filesystem>
#include <sys/types.h>

namespace platform::services {

// The program file of a process; empty when it cannot be read (gone, or another user's). A
// program file replaced since the process started still gives its path.
std::filesystem::path programOfProcess(pid_t pid);

// The program file of this process.
std::filesystem::path programOfSelf();

// True when the socket's peer runs as this process's user.
bool peerIsSameUser(int socketFd);

// True when the socket's peer runs as this process's user and runs the program at `program`
// (compared after resolving links in both).
bool peerRunsProgram(int socketFd, const std::filesystem::path& program);

}  // namespace platform::services
