#pragma once
// Whether the device has a network connection, and whether it is a metered (paid) one, as
// NetworkManager sees it. Where NetworkManager is not running the answer is Unknown and the
// program treats the network as available.
#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace platform::services {

enum class NetworkState {
    Unknown,  // NetworkManager cannot be asked
    Offline,  // no connection is up
    Free,     // a connection is up and not metered
    Metered,  // the connection that is up is metered (mobile data)
};

class Connectivity {
public:
    virtual ~Connectivity() = default;
    // Asks without connecting anything; blocks for at most a few hundred milliseconds.
    virtual NetworkState state() = 0;
    // Asks for a connection to be brought up: the first disconnected device that has a
    // connection profile it can use activates it. True when the request was taken; the
    // connection may still take a while (waitForConnection), or fail.
    virtual bool requestConnection() = 0;
    // Waits until a connection is up, at most `limit`, polling keepGoing (false gives up).
    // True when one is up.
    virtual bool waitForConnection(std::chrono::milliseconds limit, const std::function<bool()>& keepGoing) = 0;
};

// NetworkManager on the D-Bus system bus, or on the bus at busAddress when it is not empty
// (tests run a private bus). The caller owns the returned object.
std::unique_ptr<Connectivity> makeNetworkManagerConnectivity(const std::string& busAddress = {});

// The test double: a state the test sets; waitForConnection succeeds when the state is not
// Offline; a request counts and, when the test says the device can connect, makes it Free.
class FakeConnectivity final : public Connectivity {
public:
    explicit FakeConnectivity(NetworkState state = NetworkState::Free) : state_(state) {}
    NetworkState state() override { return state_; }
    bool requestConnection() override {
        ++requests;
        if (canConnect)
            state_ = NetworkState::Free;
        return canConnect;
    }
    bool waitForConnection(std::chrono::milliseconds, const std::function<bool()>&) override {
        ++waits;
        return state_ != NetworkState::Offline;
    }
    void setState(NetworkState state) { state_ = state; }
    int waits = 0;
    int requests = 0;
    bool canConnect = false;

private:
    NetworkState state_;
};

}  // namespace platform::services
