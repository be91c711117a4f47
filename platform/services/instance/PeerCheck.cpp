#include "platform/services/instance/PeerCheck.h"

#include <optional>
#include <string>
#include <system_error>

#include <sys/socket.h>
#include <unistd.h>

namespace platform::services {
namespace {

std::optional<ucred> peerOf(int socketFd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socketFd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return std::nullopt;
    if (credentials.pid <= 0) return std::nullopt;
    return credentials;
}

}  // namespace

std::filesystem::path programOfProcess(pid_t pid) {
    std::error_code error;
    std::filesystem::path exe =
        std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    if (error) return {};
    // An updated program file leaves its old process running the deleted one.
    constexpr std::string_view kDeleted = " (deleted)";
    std::string text = exe.string();
    if (text.size() > kDeleted.size() && text.ends_with(kDeleted)) text.resize(text.size() - kDeleted.size());
    return text;
}

std::filesystem::path programOfSelf() { return programOfProcess(::getpid()); }

bool peerIsSameUser(int socketFd) {
    std::optional<ucred> peer = peerOf(socketFd);
    return peer && peer->uid == ::getuid();
}

bool peerRunsProgram(int socketFd, const std::filesystem::path& program) {
    std::optional<ucred> peer = peerOf(socketFd);
    if (!peer || peer->uid != ::getuid()) return false;
    std::filesystem::path running = programOfProcess(peer->pid);
    if (running.empty()) return false;
    std::error_code error;
    std::filesystem::path expected = std::filesystem::weakly_canonical(program, error);
    if (error) expected = program;
    return running == expected;
}

}  // namespace platform::services
