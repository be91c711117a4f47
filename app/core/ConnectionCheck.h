#pragma once
// Making sure a network connection can be used before a download: a free connection (or a
// machine without NetworkManager) goes on at once; a metered one, or none, is used only after
// the user agreed to a paid connection.
#include "app/core/DownloadReporter.h"
#include "platform/services/network/Connectivity.h"

#include <atomic>
#include <chrono>

namespace pelorvant {

// How long to wait for a connection after the user agreed to one.
inline constexpr std::chrono::milliseconds kConnectLimit{25000};

// True when the download may go on. mayAsk false (a check started by the updater) never asks
// and never uses a paid connection. The wait for a connection ends early on cancel.
bool connectToInternet(platform::services::Connectivity& connectivity, TransferReporter& reporter, bool mayAsk,
                       const std::atomic<bool>& cancel);

}  // namespace pelorvant
