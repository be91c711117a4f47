// A 30 MB timetable from a loopback server through the program's download job (HTTP client,
// blocks of the "downloadbuffer" setting, file, checks, rename), and how soon a cancel takes
// effect: the blocks written after the cancel was set, and the time until the job returns.
#include "app/core/DownloadCodes.h"
#include "app/core/DownloadJob.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "platform/services/network/Connectivity.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace pelorvant;

constexpr std::size_t kTimetableBytes = 30u * 1024u * 1024u;

std::string timetableBytes() {
    std::string bytes(kTimetableBytes, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + (i >> 12));
    bytes.replace(0, 4, "\x27\xBC\x86\xAA");
    return bytes;
}

struct Site {
    Site() {
        server.setRoute("/data/big.jz", {.body = timetableBytes()});
        std::string pattern = (fs::temp_directory_path() / "download-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    ~Site() { fs::remove_all(folder); }
    platform::services::LoopbackHttpServer server;
    fs::path folder;
};

class QuietReporter : public DownloadJobReporter {
public:
    void progress(int) override {}
    bool askPaidConnection() override { return true; }
    void nextFile(const std::u16string&) override {}
    void criticalError() override {}
    void downloadDone(std::int64_t c, const std::u16string&) override { code = c; }
    std::int64_t code = 0;
};

DownloadJob bigJob(const Site& site, std::size_t block) {
    DownloadJob job;
    job.names = {u"big"};
    job.serverFolder = site.server.url("/data/");
    job.downloadFolder = site.folder;
    job.transfer.blockSize = block;
    return job;
}

void BM_Download30MB(benchmark::State& state) {
    static Site site;
    auto http = platform::services::makeCurlHttpClient();
    platform::services::FakeConnectivity network;
    std::atomic<bool> cancel{false};
    DownloadServices services{*http, network, cancel, {}};
    const DownloadJob job = bigJob(site, static_cast<std::size_t>(state.range(0)));
    QuietReporter reporter;
    for (auto _ : state) {
        if (runDownloadJob(job, services, reporter) != static_cast<std::int64_t>(kTimetableBytes)) {
            state.SkipWithError("download failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTimetableBytes));
}
BENCHMARK(BM_Download30MB)->Arg(10000)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();

// Cancels at 10 % and counts what still reaches the file.
class CancellingReporter final : public QuietReporter {
public:
    explicit CancellingReporter(std::atomic<bool>& cancel) : cancel_(cancel) {}
    void progress(int percent) override {
        if (cancel_) ++progressAfterCancel;
        if (percent >= 10 && !cancel_) {
            cancelledAt = std::chrono::steady_clock::now();
            cancel_ = true;
        }
    }
    std::atomic<bool>& cancel_;
    int progressAfterCancel = 0;
    std::chrono::steady_clock::time_point cancelledAt;
};

void BM_CancelLatency(benchmark::State& state) {
    static Site site;
    auto http = platform::services::makeCurlHttpClient();
    platform::services::FakeConnectivity network;
    const DownloadJob job = bigJob(site, 10000);
    double latencyUs = 0;
    int lateBlocks = 0;
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        DownloadServices services{*http, network, cancel, {}};
        CancellingReporter reporter(cancel);
        if (runDownloadJob(job, services, reporter) != kDownloadCancelled) {
            state.SkipWithError("not cancelled");
            break;
        }
        latencyUs += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - reporter.cancelledAt).count();
        lateBlocks += reporter.progressAfterCancel;
    }
    state.counters["us_to_return"] = latencyUs / static_cast<double>(state.iterations());
    state.counters["blocks_after_cancel"] = lateBlocks;
}
BENCHMARK(BM_CancelLatency)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
