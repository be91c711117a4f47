#include "platform/services/http/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <mutex>

namespace platform::services {
namespace {

struct CurlEasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

// The transfer's state seen by libcurl's callbacks: it gathers the body into whole blocks and
// asks the sink for the head before the first byte is passed on.
struct Transfer {
    CURL* curl = nullptr;
    HttpSink* sink = nullptr;
    std::size_t blockSize = 0;
    std::string block;
    bool headSent = false;
    bool stopped = false;
    std::int64_t received = 0;
    HttpHead head;

    bool sendHead() {
        if (headSent) {
            return !stopped;
        }
        headSent = true;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &head.status);
        curl_off_t length = -1;
        if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK && length >= 0) {
            head.length = length;
        }
        stopped = !sink->onHead(head);
        return !stopped;
    }

    bool flush() {
        if (block.empty()) {
            return true;
        }
        received += static_cast<std::int64_t>(block.size());
        const bool go = sink->onBlock(block);
        block.clear();
        stopped = !go;
        return go;
    }

    bool take(const char* data, std::size_t size) {
        if (!sendHead()) {
            return false;
        }
        while (size > 0) {
            const std::size_t part = std::min(size, blockSize - block.size());
            block.append(data, part);
            data += part;
            size -= part;
            if (block.size() == blockSize && !flush()) {
                return false;
            }
        }
        return true;
    }
};

std::size_t onWrite(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    return transfer->take(data, size * count) ? size * count : 0;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* transfer = static_cast<Transfer*>(user);
    if (!transfer->sink->keepGoing()) {
        transfer->stopped = true;
        return 1;
    }
    return 0;
}

class CurlHttpClient final : public HttpClient {
public:
    CurlHttpClient() {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpResult get(const HttpRequest& request, HttpSink& sink) override {
        HttpResult result;
        std::unique_ptr<CURL, CurlEasyDeleter> curl(curl_easy_init());
        if (!curl || request.blockSize == 0) {
            result.error = HttpError::Setup;
            return result;
        }
        Transfer transfer;
        transfer.curl = curl.get();
        transfer.sink = &sink;
        transfer.blockSize = request.blockSize;
        transfer.block.reserve(request.blockSize);
        char errors[CURL_ERROR_SIZE] = {};

        CURL* c = curl.get();
        curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(c, CURLOPT_USERAGENT, request.userAgent.c_str());
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(request.connectSeconds));
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(request.lowSpeedSeconds));
        const long bufferSize = static_cast<long>(
            std::clamp<std::size_t>(request.blockSize, CURL_MAX_WRITE_SIZE, CURL_MAX_READ_SIZE));
        curl_easy_setopt(c, CURLOPT_BUFFERSIZE, bufferSize);
        curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onWrite);
        curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errors);
        // The system's proxy variables do not apply: the program's own setting decides.
        curl_easy_setopt(c, CURLOPT_PROXY, request.proxy.c_str());
        if (!request.proxy.empty()) {
            curl_easy_setopt(c, CURLOPT_NOPROXY, "localhost");
            curl_easy_setopt(c, CURLOPT_PROXYTYPE, CURLPROXY_HTTP);
        }

        const CURLcode code = curl_easy_perform(c);
        if (code == CURLE_OK) {
            // An empty body never reached the write callback: the head is still due.
            if (transfer.sendHead() && transfer.flush()) {
                result.error = HttpError::None;
            } else {
                result.error = HttpError::Stopped;
            }
        } else if (transfer.stopped) {
            result.error = HttpError::Stopped;
        } else {
            long status = 0;
            curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
            // A refused scheme after an answer with a redirect is the server's doing, not ours.
            const bool redirected = status >= 300 && status <= 399;
            const bool noAnswer = code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY ||
                                  code == CURLE_COULDNT_CONNECT || code == CURLE_URL_MALFORMAT || status == 0 ||
                                  (code == CURLE_UNSUPPORTED_PROTOCOL && !redirected);
            if (code == CURLE_TOO_MANY_REDIRECTS) {
                result.error = HttpError::RedirectLoop;
            } else if (code == CURLE_UNSUPPORTED_PROTOCOL && redirected) {
                result.error = HttpError::BadRedirect;
            } else if (noAnswer) {
                result.error = HttpError::NoAnswer;
            } else {
                result.error = HttpError::Incomplete;
                transfer.flush();  // what did arrive is counted
            }
        }
        if (result.error != HttpError::None) {
            result.detail = errors[0] != '\0' ? errors : curl_easy_strerror(code);
        }
        result.head = transfer.head;
        if (!transfer.headSent) {
            curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.head.status);
        }
        result.received = transfer.received;
        return result;
    }
};

}  // namespace

std::unique_ptr<HttpClient> makeCurlHttpClient() {
    return std::make_unique<CurlHttpClient>();
}

std::string percentEncode(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                                b == '-' || b == '.' || b == '_' || b == '~';
        if (unreserved) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        }
    }
    return out;
}

}  // namespace platform::services
