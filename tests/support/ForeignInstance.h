#pragma once
// Another local user squatting on a program's meeting place: a process that holds the lock
// file and listens on the socket file of the program's instance in a folder every user can
// write to (as a runtime folder set carelessly to a shared one would be), and answers every
// request as a running instance would. Run as root, the process becomes the user 65534 (the
// files are then that user's); otherwise it stays this user. Stopped with the object.
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstring>

namespace trasa::testing {

class ForeignInstance {
public:
    static constexpr uid_t kUser = 65534;

    // folder: the shared folder (made open to all users here); lockFile, socketFile: the
    // names the program's instance uses (InstanceName).
    ForeignInstance(const std::filesystem::path& folder, const std::string& lockFile,
                    const std::string& socketFile) {
        std::filesystem::permissions(
            folder, std::filesystem::perms::all | std::filesystem::perms::sticky_bit);
        const std::string lockPath = (folder / lockFile).string();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string socketPath = (folder / socketFile).string();
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            if (::geteuid() == 0 && (::setgid(kUser) != 0 || ::setuid(kUser) != 0))
                ::_exit(1);
            const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT, 0666);
            if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0)
                ::_exit(2);
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (listener < 0 ||
                ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                ::listen(listener, 8) != 0) {
                ::_exit(3);
            }
            ::chmod(address.sun_path, 0777);
            (void)!::write(ready[1], "1", 1);
            for (;;) {
                const int client = ::accept(listener, nullptr, nullptr);
                if (client < 0)
                    continue;
                static const char kAnswers[] = "title Pelorvant\ndone\ndone\n";
                (void)!::send(client, kAnswers, sizeof kAnswers - 1, MSG_NOSIGNAL);
                char buffer[256];
                while (::recv(client, buffer, sizeof buffer, 0) > 0) {
                }
                ::close(client);
            }
        }
        ::close(ready[1]);
        char byte = 0;
        ready_ = pid_ > 0 && ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~ForeignInstance() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    ForeignInstance(const ForeignInstance&) = delete;
    ForeignInstance& operator=(const ForeignInstance&) = delete;

    // True once it holds the lock and listens.
    bool ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace trasa::testing
