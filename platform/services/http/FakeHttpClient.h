#pragma once
// The test double of HttpClient: answers every request with one scripted answer and records
// the requests it was given.
#include "platform/services/http/HttpClient.h"

#include <vector>

namespace platform::services {

struct FakeHttpAnswer {
    // NoAnswer, Setup and the redirect failures: no head at all; Incomplete: body cut at breakAt.
    HttpError failure = HttpError::None;
    HttpHead head{200, std::nullopt};
    std::string body;
    std::size_t breakAt = 0;
};

class FakeHttpClient final : public HttpClient {
public:
    explicit FakeHttpClient(FakeHttpAnswer answer) : answer_(std::move(answer)) {}
    HttpResult get(const HttpRequest& request, HttpSink& sink) override;

    const std::vector<HttpRequest>& requests() const { return requests_; }

private:
    FakeHttpAnswer answer_;
    std::vector<HttpRequest> requests_;
};

}  // namespace platform::services
