#include "app/core/ConnectionCheck.h"

namespace pelorvant {

using platform::services::NetworkState;

bool connectToInternet(platform::services::Connectivity& connectivity, TransferReporter& reporter, bool mayAsk,
                       const std::atomic<bool>& cancel) {
    const NetworkState state = connectivity.state();
    if (state == NetworkState::Unknown || state == NetworkState::Free) {
        return true;
    }
    if (!mayAsk || !reporter.askPaidConnection()) {
        return false;
    }
    if (state == NetworkState::Metered) {
        return true;
    }
    // Offline: NetworkManager is asked to bring a connection up, which may take a while.
    connectivity.requestConnection();
    return connectivity.waitForConnection(kConnectLimit, [&cancel] { return !cancel.load(); });
}

}  // namespace pelorvant
