#pragma once
// The one download routine: makes sure a connection may be used, fetches the address (falling
// back to the settings' proxy when there is no answer directly), accepts only a 2xx answer,
// checks the free space against the announced length and stores the body block by block,
// stopping at a cancel between blocks. Runs on a worker thread.
#include "app/core/DownloadReporter.h"
#include "platform/services/http/HttpClient.h"
#include "platform/services/network/Connectivity.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pelorvant {

// The services a download uses; all must outlive the work.
struct DownloadServices {
    platform::services::HttpClient& http;
    platform::services::Connectivity& connectivity;
    // Set by the UI thread to stop; read after every block.
    const std::atomic<bool>& cancel;
    // Free KB of a folder; nothing when unknown (the space check is then left out).
    std::function<std::optional<std::int64_t>(const std::filesystem::path&)> freeSpace;
};

// How a job transfers, copied from the settings when it starts.
struct TransferSettings {
    std::size_t blockSize = 10000;  // the "downloadbuffer" setting
    std::string proxy;              // the "internetproxy" setting; empty for none
    bool mayAsk = true;             // may ask before a paid connection
};

struct DownloadRequest {
    std::string url;
    std::filesystem::path target;       // replaced; deleted again on any failure
    std::filesystem::path spaceFolder;  // whose free space must take the file
    TransferSettings transfer;
    // A body of unknown length is refused at once (kDownloadBadFile) instead of stored.
    bool lengthRequired = false;
    // A body that is, or is announced to be, longer stops the download as soon as that is
    // known, with tooLargeCode.
    std::optional<std::int64_t> maxBytes;
    std::int64_t tooLargeCode = 0;
};

struct DownloadResult {
    // A code of DownloadCodes.h, or the length stored (the announced one, or the bytes
    // received when the server announced none).
    std::int64_t code = 0;
    bool lengthAnnounced = false;
};

DownloadResult downloadToFile(const DownloadRequest& request, DownloadServices& services, TransferReporter& reporter);

// received × 100 ÷ length in 64 bits; 0 for a length of 0 or less, at most 100.
int downloadPercent(std::int64_t received, std::int64_t length);

}  // namespace pelorvant
