// The instance service on Linux: the lock, the server and the client side put together.
#include "platform/services/instance/InstanceLock.h"
#include "platform/services/instance/InstanceName.h"
#include "platform/services/instance/InstanceProtocol.h"
#include "platform/services/instance/InstanceServer.h"
#include "platform/services/instance/LineSocket.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"
#include "platform/services/instance/SingleInstance.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace platform::services {
namespace {

namespace protocol = instance_protocol;

std::chrono::milliseconds timeLeft(std::chrono::steady_clock::time_point deadline) {
    return std::max(std::chrono::milliseconds(0), std::chrono::duration_cast<std::chrono::milliseconds>(
                                                      deadline - std::chrono::steady_clock::now()));
}

class SocketInstance final : public RunningInstance {
public:
    SocketInstance(LineSocket socket, std::string title, InstanceTimeouts timeouts)
        : socket_(std::move(socket)), title_(std::move(title)), timeouts_(timeouts) {}

    const std::string& title() const override { return title_; }
    bool raise() override { return ask(protocol::kRaise); }
    bool handOver() override { return ask(protocol::kHandOver); }

private:
    bool ask(std::string_view request) {
        if (!socket_.writeLine(request, timeouts_.answer)) return false;
        std::optional<std::string> answer = socket_.readLine(timeouts_.answer);
        return answer && *answer == protocol::kDone;
    }

    LineSocket socket_;
    std::string title_;
    InstanceTimeouts timeouts_;
};

class LocalSingleInstance final : public SingleInstance {
public:
    LocalSingleInstance(std::filesystem::path programPath, PrivateFolder folder,
                        InstanceTimeouts timeouts)
        : programPath_(std::move(programPath)),
          folder_(std::move(folder)),
          name_(instanceNameFor(programPath_)),
          timeouts_(timeouts) {}

    // The server goes first: it may still be answering through the requests.
    ~LocalSingleInstance() override {
        server_.reset();
        lock_.reset();
    }

    bool claim() override {
        if (!lock_)
            lock_ = InstanceLock::tryAcquire(folder_, name_.lockFile);
        return lock_ != nullptr;
    }

    using SingleInstance::find;
    std::unique_ptr<RunningInstance> find(std::chrono::milliseconds limit) override {
        int fd = connectToSocketFile(folder_, name_.socketFile);
        if (fd < 0) return nullptr;
        LineSocket socket(fd);
        // Only this user's copy of this program is an instance.
        if (!peerRunsProgram(fd, programPath_)) return nullptr;
        // One deadline for the question and its answer.
        const auto deadline = std::chrono::steady_clock::now() + std::min(limit, timeouts_.answer);
        if (!socket.writeLine(protocol::kTitle, timeLeft(deadline))) return nullptr;
        std::optional<std::string> answer = socket.readLine(timeLeft(deadline));
        const std::string prefix = std::string(protocol::kTitle) + " ";
        if (!answer || !answer->starts_with(prefix)) return nullptr;
        return std::make_unique<SocketInstance>(std::move(socket), answer->substr(prefix.size()), timeouts_);
    }

    bool serve(InstanceRequests& requests) override {
        if (!lock_) return false;
        if (!server_)
            server_ = InstanceServer::start(folder_, name_.socketFile, requests, timeouts_);
        return server_ != nullptr;
    }

private:
    std::filesystem::path programPath_;
    PrivateFolder folder_;
    InstanceName name_;
    InstanceTimeouts timeouts_;
    std::unique_ptr<InstanceLock> lock_;
    std::unique_ptr<InstanceServer> server_;
};

// Without a private folder nobody can be met: this start is the only one it knows of.
class UnguardedInstance final : public SingleInstance {
public:
    bool claim() override { return true; }
    using SingleInstance::find;
    std::unique_ptr<RunningInstance> find(std::chrono::milliseconds) override { return nullptr; }
    bool serve(InstanceRequests&) override { return true; }
};

}  // namespace

std::unique_ptr<SingleInstance> makeSingleInstance(const std::filesystem::path& programPath,
                                                   const std::filesystem::path& runtimeFolder,
                                                   InstanceTimeouts timeouts) {
    std::optional<PrivateFolder> folder = PrivateFolder::open(runtimeFolder);
    if (!folder)
        return nullptr;
    return std::make_unique<LocalSingleInstance>(programPath, std::move(*folder), timeouts);
}

std::unique_ptr<SingleInstance> makeUnguardedInstance() {
    return std::make_unique<UnguardedInstance>();
}

}  // namespace platform::services
