#include "app/core/DownloadToFile.h"

#include "app/core/ConnectionCheck.h"
#include "app/core/DownloadCodes.h"

#include <cstdio>
#include <memory>

namespace pelorvant {
namespace {

using platform::services::HttpError;
using platform::services::HttpHead;
using platform::services::HttpResult;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes the body of an accepted answer to the target and remembers why it stopped.
class FileSink final : public platform::services::HttpSink {
public:
    FileSink(const DownloadRequest& request, DownloadServices& services, TransferReporter& reporter)
        : request_(request), services_(services), reporter_(reporter) {}

    bool onHead(const HttpHead& head) override {
        head_ = head;
        if (head.status == 404) {
            return stop(kDownloadNotFound);
        }
        if (head.status < 200 || head.status > 299) {
            return stop(kDownloadServerError);
        }
        if (!head.length && request_.lengthRequired) {
            return stop(kDownloadBadFile);
        }
        if (head.length && request_.maxBytes && *head.length > *request_.maxBytes) {
            return stop(request_.tooLargeCode);
        }
        if (head.length && services_.freeSpace) {
            const std::optional<std::int64_t> free = services_.freeSpace(request_.spaceFolder);
            if (free && *free < *head.length / 1024 + kDownloadSpareKilobytes) {
                return stop(kDownloadNoSpace);
            }
        }
        file_.reset(std::fopen(request_.target.c_str(), "wb"));
        return file_ ? true : stop(kDownloadWriteFailed);
    }

    bool onBlock(std::string_view block) override {
        if (services_.cancel.load()) {
            return stop(kDownloadCancelled);
        }
        if (request_.maxBytes &&
            received_ + static_cast<std::int64_t>(block.size()) > *request_.maxBytes) {
            return stop(request_.tooLargeCode);
        }
        if (std::fwrite(block.data(), 1, block.size(), file_.get()) != block.size()) {
            return stop(kDownloadWriteFailed);
        }
        received_ += static_cast<std::int64_t>(block.size());
        if (head_.length) {
            const int percent = downloadPercent(received_, *head_.length);
            if (percent != lastPercent_) {
                lastPercent_ = percent;
                reporter_.progress(percent);
            }
        }
        return true;
    }

    bool keepGoing() override { return services_.cancel.load() ? stop(kDownloadCancelled) : true; }

    // Closes the file; false when the last writes failed.
    bool close() {
        if (!file_) {
            return true;
        }
        const bool flushed = std::fflush(file_.get()) == 0 && std::ferror(file_.get()) == 0;
        return std::fclose(file_.release()) == 0 && flushed;
    }

    std::int64_t verdict() const { return verdict_; }
    std::int64_t received() const { return received_; }
    const HttpHead& head() const { return head_; }

private:
    bool stop(std::int64_t code) {
        verdict_ = code;
        return false;
    }

    const DownloadRequest& request_;
    DownloadServices& services_;
    TransferReporter& reporter_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    HttpHead head_;
    std::int64_t verdict_ = 0;
    std::int64_t received_ = 0;
    int lastPercent_ = -1;
};

DownloadResult finish(const DownloadRequest& request, std::int64_t code, bool announced = false) {
    if (code < 0) {
        std::error_code ec;
        std::filesystem::remove(request.target, ec);
    }
    return {code, announced};
}

}  // namespace

int downloadPercent(std::int64_t received, std::int64_t length) {
    if (length <= 0 || received <= 0) {
        return 0;
    }
    if (received >= length) {
        return 100;
    }
    // received < length: the product needs more than 64 bits only for lengths beyond 92 PB,
    // which a 128-bit intermediate takes.
    __extension__ using Wide = __int128;
    return static_cast<int>(static_cast<Wide>(received) * 100 / length);
}

DownloadResult downloadToFile(const DownloadRequest& request, DownloadServices& services, TransferReporter& reporter) {
    std::error_code ec;
    std::filesystem::remove(request.target, ec);
    if (services.cancel.load()) {
        return finish(request, kDownloadCancelled);
    }
    if (!connectToInternet(services.connectivity, reporter, request.transfer.mayAsk, services.cancel)) {
        return finish(request, services.cancel.load() ? kDownloadCancelled : kDownloadNoConnection);
    }
    platform::services::HttpRequest http;
    http.url = request.url;
    http.blockSize = request.transfer.blockSize > 0 ? request.transfer.blockSize : 10000;

    auto sink = std::make_unique<FileSink>(request, services, reporter);
    HttpResult result = services.http.get(http, *sink);
    if (result.error == HttpError::NoAnswer && !request.transfer.proxy.empty() && !services.cancel.load()) {
        http.proxy = request.transfer.proxy;
        sink = std::make_unique<FileSink>(request, services, reporter);
        result = services.http.get(http, *sink);
    }
    const bool closed = sink->close();
    switch (result.error) {
        case HttpError::Setup:
            return finish(request, kDownloadNoHandle);
        case HttpError::NoAnswer:
            return finish(request, kDownloadCannotOpen);
        case HttpError::Stopped:
            return finish(request, sink->verdict() != 0 ? sink->verdict() : kDownloadCancelled);
        case HttpError::Incomplete:
            return finish(request, services.cancel.load() ? kDownloadCancelled : kDownloadCutShort);
        case HttpError::RedirectLoop:
            return finish(request, kDownloadRedirectLoop);
        case HttpError::BadRedirect:
            return finish(request, kDownloadBadRedirect);
        case HttpError::None:
            break;
    }
    if (!closed) {
        return finish(request, kDownloadWriteFailed);
    }
    const std::optional<std::int64_t> announced = sink->head().length;
    if (announced && *announced != sink->received()) {
        return finish(request, kDownloadCutShort);
    }
    return finish(request, announced.value_or(sink->received()), announced.has_value());
}

}  // namespace pelorvant
