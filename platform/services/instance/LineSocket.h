#pragma once
// A connected local stream socket that carries one request or answer a line, with every wait
// bounded: a peer that stops answering costs at most the given time, never a hang.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace platform::services {

class LineSocket {
public:
    // Takes ownership of a connected socket (closed on destruction; -1 is allowed and fails
    // every call).
    explicit LineSocket(int fd) : fd_(fd) {}
    ~LineSocket();
    LineSocket(LineSocket&& other) noexcept : fd_(other.fd_), pending_(std::move(other.pending_)) { other.fd_ = -1; }
    LineSocket(const LineSocket&) = delete;
    LineSocket& operator=(const LineSocket&) = delete;
    LineSocket& operator=(LineSocket&&) = delete;

    int fd() const { return fd_; }

    // Sends text + "\n"; false when the peer is gone or does not take it within the time.
    bool writeLine(std::string_view text, std::chrono::milliseconds limit);
    // The next line without its "\n"; nothing when the peer closed, the time ran out, the line
    // grew beyond 4096 bytes, or stopFd (when not -1) became readable.
    std::optional<std::string> readLine(std::chrono::milliseconds limit, int stopFd = -1);

private:
    int fd_;
    std::string pending_;
};

}  // namespace platform::services
