#pragma once
// A private X server (Xvfb) on a free display number, for tests and benchmarks that run the
// SDL backend; stopped with the object. display() is empty when none could be started.

#include <sys/types.h>
#include <string>

namespace platform::testkit {

class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or empty.
    const std::string& display() const { return display_; }

private:
    void stop();
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace platform::testkit
