// A 30 MB timetable from a loopback server through the program's download job (HTTP client,
// blocks of the "downloadbuffer" setting, file, checks with and without the offered digest,
// rename), and how soon a cancel takes effect: the blocks written after the cancel was set, and
// the time until the job returns. The engine's reader is left out (it has its own benchmarks).
#include "app/core/DownloadCodes.h"
#include "app/core/DownloadJob.h"
#include "app/core/FileDigest.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "platform/services/network/Connectivity.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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
        const std::string body = timetableBytes();
        server.setRoute("/data/big.jz", {.body = body});
        std::string pattern = (fs::temp_directory_path() / "download-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        const fs::path served = folder / "served.jz";
        std::ofstream(served, std::ios::binary) << body;
        sha256 = sha256Hex(*sha256OfFile(served));
        fs::remove(served);
    }
    ~Site() { fs::remove_all(folder); }
    platform::services::LoopbackHttpServer server;
    fs::path folder;
    std::string sha256;  // of the served file
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

DownloadJob bigJob(const Site& site, std::size_t block, bool withDigest) {
    DownloadJob job;
    job.files = {{u"big", withDigest ? site.sha256 : ""}};
    job.checkTimetable = [](const fs::path&) { return 0; };
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
    const DownloadJob job = bigJob(site, static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    QuietReporter reporter;
    for (auto _ : state) {
        if (runDownloadJob(job, services, reporter) != static_cast<std::int64_t>(kTimetableBytes)) {
            state.SkipWithError("download failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTimetableBytes));
}
// Arguments: the block size, and 1 when the update information gives the file's digest.
BENCHMARK(BM_Download30MB)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({65536, 0})
    ->Args({65536, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
    const DownloadJob job = bigJob(site, 10000, true);
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
