#pragma once
// Fetching one address over HTTP: redirects followed, the status and the announced length
// reported before the body, the body handed over in blocks of a chosen size, and the caller
// able to stop between blocks. The real client runs on libcurl; a scripted double stands in
// where a test needs an answer without a server.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::services {

struct HttpRequest {
    std::string url;
    // "host:port" or an address of an HTTP proxy; empty for a direct connection. Host names
    // without a dot (such as "localhost") never go through it.
    std::string proxy;
    std::size_t blockSize = 10000;
    // A transfer slower than one byte a second for this long fails.
    int lowSpeedSeconds = 30;
    int connectSeconds = 25;
    std::string userAgent = "InetURL/1.0";
};

struct HttpHead {
    long status = 0;
    std::optional<std::int64_t> length;  // the announced length, when the server gave one
};

// What the caller does with an answer. Called on the thread that runs get().
class HttpSink {
public:
    virtual ~HttpSink() = default;
    // Once, before the first block (also for an empty body). False stops the transfer.
    virtual bool onHead(const HttpHead& head) = 0;
    // Every full block of blockSize bytes, and the last, shorter one. False stops the transfer.
    virtual bool onBlock(std::string_view block) = 0;
    // Polled while waiting for data; false stops the transfer.
    virtual bool keepGoing() = 0;
};

enum class HttpError {
    None,        // the whole body arrived
    Setup,       // the client could not be set up
    NoAnswer,    // no HTTP answer: name not resolved, connection refused or timed out
    Stopped,     // the sink stopped the transfer
    Incomplete,  // the body broke off or came slower than the low-speed limit
    RedirectLoop,  // the server redirected more often than the client follows
    BadRedirect,   // the server redirected to an address that is not http or https
};

struct HttpResult {
    HttpError error = HttpError::None;
    HttpHead head;               // status 0 when there was no answer
    std::int64_t received = 0;   // body bytes handed to the sink
    std::string detail;          // the client's own words on a failure, for logs
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Blocks the calling thread until the transfer ends; never call it on the UI thread.
    virtual HttpResult get(const HttpRequest& request, HttpSink& sink) = 0;
};

// The libcurl client. The caller owns the returned object; one object serves one thread.
std::unique_ptr<HttpClient> makeCurlHttpClient();

// Percent-encodes every byte but the unreserved characters (letters, digits, "-._~").
std::string percentEncode(std::string_view bytes);

}  // namespace platform::services
