#pragma once
// An HTTP server on 127.0.0.1 and a free port, run on its own thread, for tests and
// benchmarks: each path answers as its route says (status, body, announced length or none,
// a redirect, a body cut short, a slow body). With acceptAnyTarget it answers every request,
// including the absolute addresses a client sends to a proxy, from the route "*".
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace platform::services {

struct LoopbackRoute {
    int status = 200;
    std::string body;
    bool announceLength = true;      // false: chunked, no length
    std::string redirectTo;          // with a 3xx status: the Location
    std::size_t cutAfter = SIZE_MAX;  // the connection closes after this many body bytes
    std::size_t slowChunk = 0;        // > 0: the body goes out in chunks of this size ...
    std::chrono::milliseconds slowPause{0};  // ... with this pause after each
    std::string contentType = "application/octet-stream";
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Routes may be set while the server runs.
    void setRoute(const std::string& path, LoopbackRoute route);
    // Serves the files of a folder under the prefix (such as "/"), as a static server would.
    void serveFolder(const std::string& prefix, const std::string& folder);

    int port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by the path.
    std::string url(const std::string& path) const;
    // The request targets received, in order (absolute addresses when used as a proxy).
    std::vector<std::string> targets() const;
    // The body bytes written so far by slow routes.
    std::size_t slowBytesSent() const { return slowSent_.load(); }

private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, LoopbackRoute> routes_;
    std::vector<std::string> targets_;
    std::atomic<std::size_t> slowSent_{0};
    std::atomic<bool> stopping_{false};
};

}  // namespace platform::services
