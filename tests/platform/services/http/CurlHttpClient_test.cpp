#include "platform/services/http/HttpClient.h"
#include "platform/services/http/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <atomic>

namespace platform::services {
namespace {

// Collects what the client hands over; stops after a number of blocks when asked to.
class CollectingSink final : public HttpSink {
public:
    bool onHead(const HttpHead& h) override {
        ++heads;
        head = h;
        return acceptHead;
    }
    bool onBlock(std::string_view block) override {
        blockSizes.push_back(block.size());
        body.append(block);
        return blockSizes.size() < stopAfterBlocks;
    }
    bool keepGoing() override { return !cancelled.load(); }

    bool acceptHead = true;
    std::size_t stopAfterBlocks = SIZE_MAX;
    std::atomic<bool> cancelled{false};
    int heads = 0;
    HttpHead head;
    std::string body;
    std::vector<std::size_t> blockSizes;
};

std::string pattern(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return s;
}

struct AnswerCase {
    const char* what;
    LoopbackRoute route;
    HttpError error;
    long status;
    std::optional<std::int64_t> length;
    std::size_t bodyBytes;
};

class AnswerTable : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerTable, ReportsStatusLengthAndOutcome) {
    const AnswerCase& c = GetParam();
    LoopbackHttpServer server;
    server.setRoute("/file", c.route);
    server.setRoute("/moved", LoopbackRoute{.status = 302, .body = "", .redirectTo = "/file"});
    CollectingSink sink;
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/file"), .blockSize = 4096}, sink);
    EXPECT_EQ(result.error, c.error) << c.what << ": " << result.detail;
    EXPECT_EQ(result.head.status, c.status) << c.what;
    EXPECT_EQ(result.head.length, c.length) << c.what;
    EXPECT_EQ(sink.body.size(), c.bodyBytes) << c.what;
    EXPECT_EQ(result.received, static_cast<std::int64_t>(c.bodyBytes)) << c.what;
    EXPECT_EQ(sink.heads, 1) << c.what;
}

const std::string kBody = pattern(10000);

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerTable,
    ::testing::Values(
        AnswerCase{"200 with a length", {.body = kBody}, HttpError::None, 200, 10000, 10000},
        AnswerCase{"200 without a length", {.body = kBody, .announceLength = false}, HttpError::None, 200,
                   std::nullopt, 10000},
        AnswerCase{"200 empty", {.body = ""}, HttpError::None, 200, 0, 0},
        AnswerCase{"404", {.status = 404, .body = "gone"}, HttpError::None, 404, 4, 4},
        AnswerCase{"500", {.status = 500, .body = "oops"}, HttpError::None, 500, 4, 4},
        AnswerCase{"body cut short", {.body = kBody, .cutAfter = 3000}, HttpError::Incomplete, 200, 10000, 3000}));

// A redirect that leads nowhere is told apart from a server that cannot be reached: the server
// answered, and what it answered cannot be used. Nothing reaches the sink.
TEST(CurlHttpClient, RedirectsThatLeadNowhereAreToldApart) {
    LoopbackHttpServer server;
    server.setRoute("/loop", {.status = 302, .redirectTo = "/loop"});
    server.setRoute("/local", {.status = 301, .redirectTo = "file:///etc/passwd"});
    server.setRoute("/ftp", {.status = 302, .redirectTo = "ftp://127.0.0.1/file"});
    const struct {
        std::string url;
        HttpError error;
    } cases[] = {
        {server.url("/loop"), HttpError::RedirectLoop},
        {server.url("/local"), HttpError::BadRedirect},
        {server.url("/ftp"), HttpError::BadRedirect},
        {"file:///etc/passwd", HttpError::NoAnswer},  // an address of ours that is no web address
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        CollectingSink sink;
        const HttpResult result = makeCurlHttpClient()->get({.url = c.url}, sink);
        EXPECT_EQ(result.error, c.error) << result.detail;
        EXPECT_EQ(sink.heads, 0);
        EXPECT_TRUE(sink.body.empty());
    }
}

TEST(CurlHttpClient, BlocksHaveTheChosenSizeAndTheBodyArrivesWhole) {
    LoopbackHttpServer server;
    server.setRoute("/file", {.body = kBody});
    CollectingSink sink;
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/file"), .blockSize = 3000}, sink);
    ASSERT_EQ(result.error, HttpError::None);
    EXPECT_EQ(sink.body, kBody);
    EXPECT_EQ(sink.blockSizes, (std::vector<std::size_t>{3000, 3000, 3000, 1000}));
}

TEST(CurlHttpClient, FollowsRedirects) {
    LoopbackHttpServer server;
    server.setRoute("/file", {.body = "payload"});
    server.setRoute("/a", {.status = 301, .redirectTo = "/b"});
    server.setRoute("/b", {.status = 302, .redirectTo = "/file"});
    CollectingSink sink;
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/a")}, sink);
    EXPECT_EQ(result.error, HttpError::None);
    EXPECT_EQ(result.head.status, 200);
    EXPECT_EQ(sink.body, "payload");
}

TEST(CurlHttpClient, SinkRefusingTheHeadGetsNoBody) {
    LoopbackHttpServer server;
    server.setRoute("/file", {.status = 403, .body = kBody});
    CollectingSink sink;
    sink.acceptHead = false;
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/file")}, sink);
    EXPECT_EQ(result.error, HttpError::Stopped);
    EXPECT_EQ(result.head.status, 403);
    EXPECT_TRUE(sink.body.empty());
}

TEST(CurlHttpClient, StoppingAfterABlockEndsTheTransfer) {
    LoopbackHttpServer server;
    server.setRoute("/file", {.body = kBody});
    CollectingSink sink;
    sink.stopAfterBlocks = 1;
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/file"), .blockSize = 1000}, sink);
    EXPECT_EQ(result.error, HttpError::Stopped);
    EXPECT_EQ(sink.blockSizes.size(), 1u);
}

TEST(CurlHttpClient, CancelWhileTheServerIsSlowStopsWithoutWaitingForTheBody) {
    LoopbackHttpServer server;
    server.setRoute("/file", {.body = pattern(1000000), .slowChunk = 1000, .slowPause = std::chrono::milliseconds(20)});
    CollectingSink sink;
    std::thread canceller([&] {
        while (server.slowBytesSent() < 3000) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sink.cancelled = true;
    });
    const HttpResult result = makeCurlHttpClient()->get({.url = server.url("/file"), .blockSize = 100000}, sink);
    canceller.join();
    EXPECT_EQ(result.error, HttpError::Stopped);
    EXPECT_LT(server.slowBytesSent(), 1000000u);
}

TEST(CurlHttpClient, NoServerIsNoAnswer) {
    int closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.port();
    }
    CollectingSink sink;
    const HttpResult result = makeCurlHttpClient()->get(
        {.url = "http://127.0.0.1:" + std::to_string(closedPort) + "/file"}, sink);
    EXPECT_EQ(result.error, HttpError::NoAnswer);
    EXPECT_EQ(result.head.status, 0);
    EXPECT_EQ(sink.heads, 0);
}

TEST(CurlHttpClient, OtherSchemesAreRefused) {
    CollectingSink sink;
    const HttpResult result = makeCurlHttpClient()->get({.url = "file:///etc/passwd"}, sink);
    EXPECT_EQ(result.error, HttpError::NoAnswer);
    EXPECT_TRUE(sink.body.empty());
}

TEST(CurlHttpClient, ProxyReceivesTheAbsoluteAddress) {
    LoopbackHttpServer proxy;
    proxy.setRoute("*", {.body = "via proxy"});
    CollectingSink sink;
    const std::string target = "http://127.0.0.1:9/pelorakt.ini";
    const HttpResult result =
        makeCurlHttpClient()->get({.url = target, .proxy = "127.0.0.1:" + std::to_string(proxy.port())}, sink);
    EXPECT_EQ(result.error, HttpError::None) << result.detail;
    EXPECT_EQ(sink.body, "via proxy");
    ASSERT_EQ(proxy.targets().size(), 1u);
    EXPECT_EQ(proxy.targets()[0], target);
}

TEST(PercentEncode, KeepsUnreservedAndEncodesTheRest) {
    EXPECT_EQ(percentEncode("Brno-2_a.b~"), "Brno-2_a.b~");
    EXPECT_EQ(percentEncode("a b/\xC5\xBE"), "a%20b%2F%C5%BE");
}

}  // namespace
}  // namespace platform::services
