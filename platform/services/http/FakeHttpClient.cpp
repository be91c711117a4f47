#include "platform/services/http/FakeHttpClient.h"

#include <algorithm>

namespace platform::services {

HttpResult FakeHttpClient::get(const HttpRequest& request, HttpSink& sink) {
    requests_.push_back(request);
    HttpResult result;
    if (answer_.failure == HttpError::NoAnswer || answer_.failure == HttpError::Setup ||
        answer_.failure == HttpError::RedirectLoop || answer_.failure == HttpError::BadRedirect) {
        result.error = answer_.failure;
        return result;
    }
    result.head = answer_.head;
    if (!sink.onHead(answer_.head)) {
        result.error = HttpError::Stopped;
        return result;
    }
    const std::size_t end = answer_.failure == HttpError::Incomplete ? std::min(answer_.breakAt, answer_.body.size())
                                                                      : answer_.body.size();
    for (std::size_t pos = 0; pos < end; pos += request.blockSize) {
        if (!sink.keepGoing()) {
            result.error = HttpError::Stopped;
            return result;
        }
        const std::string_view block = std::string_view(answer_.body).substr(pos, std::min(request.blockSize, end - pos));
        result.received += static_cast<std::int64_t>(block.size());
        if (!sink.onBlock(block)) {
            result.error = HttpError::Stopped;
            return result;
        }
    }
    result.error = answer_.failure == HttpError::Incomplete ? HttpError::Incomplete : HttpError::None;
    return result;
}

}  // namespace platform::services
