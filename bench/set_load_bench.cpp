// Loading a national-scale timetable into a timetable set, next to just reading the same file.
// The synthetic network (about 30 000 stops, 2 000 lines and 200 000 trips) is generated and
// compiled in a child process first, so that the generator's and compiler's memory does not
// blur the figures. The set load sends its progress messages synchronously to a window that
// runs its message loop on another thread, as the program's progress view does; the raw read
// reports to a silent observer. Reported besides: the resident memory a loaded set takes,
// against the file's unpacked content size.
//
//   build/release/bench/set_load_bench [--scale=0.1] [benchmark flags]
//
// Goals: the set load costs less than twice the raw read; the resident memory of a loaded set
// stays below 1.5 times the unpacked content.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/NationalNetwork.h"
#include "engine/data/EngineObject.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

namespace {

struct CompileReport {
    int ok = 0;
    std::size_t fileBytes = 0;
    std::size_t contentBytes = 0;
    char error[512] = {};
};

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

CompileReport compileInChild(const bench::NationalNetworkOptions& options, const std::string& dir) {
    CompileReport report;
    int fds[2];
    if (pipe(fds) != 0) {
        std::snprintf(report.error, sizeof report.error, "pipe: %s", std::strerror(errno));
        return report;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        CompileReport r;
        try {
            const bench::CompiledNetwork c = bench::compileNationalNetwork(options, dir);
            r.ok = 1;
            r.fileBytes = c.fileBytes;
            r.contentBytes = c.contentBytes;
        } catch (const std::exception& e) {
            std::snprintf(r.error, sizeof r.error, "%s", e.what());
        }
        const bool sent = write(fds[1], &r, sizeof r) == static_cast<ssize_t>(sizeof r);
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    if (child < 0 || read(fds[0], &report, sizeof report) != static_cast<ssize_t>(sizeof report)) {
        report = CompileReport{};
        std::snprintf(report.error, sizeof report.error, "the compiling process failed");
    }
    close(fds[0]);
    if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
    return report;
}

// A window on a thread of its own, running a message loop and counting the progress it gets.
class ProgressWindow {
public:
    ProgressWindow() {
        platform::Event ready(platform::EventReset::Manual);
        thread_ = platform::createThread([this, &ready] {
            window_ = platform::createWindow(
                [this](platform::WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) {
                    if (msg == kQuit) {
                        platform::postQuitMessage(0);
                    } else if (msg == platform::WM_ENGINE_PROGRESS) {
                        messages_.fetch_add(1, std::memory_order_relaxed);
                    }
                    return platform::MsgResult{0};
                });
            ready.set();
            platform::Message m;
            while (platform::getMessage(m)) {
                platform::dispatchMessage(m);
            }
        });
        ready.wait(platform::kInfinite);
    }
    ~ProgressWindow() {
        platform::postMessage(window_, kQuit);
        thread_.join();
    }
    platform::WindowHandle handle() const { return window_; }
    long messages() const { return messages_.load(); }

private:
    static constexpr std::uint32_t kQuit = platform::WM_USER + 1;
    platform::Thread thread_;
    platform::WindowHandle window_ = platform::kNullWindow;
    std::atomic<long> messages_{0};
};

std::string g_dir;
std::string g_path;
double g_contentBytes = 0;

std::unique_ptr<trasovnik::cJizdniRadyGlobal> makeEngine() {
    auto engine = std::make_unique<trasovnik::cJizdniRadyGlobal>(
        trasovnik::cJizdniRadyGlobal::IniFileNames{g_dir + "/main.ini", g_dir + "/temp.ini"});
    engine->catalogue().nactiHlavicky({g_path});
    return engine;
}

void readFile(benchmark::State& state) {
    trasovnik::LoadObserver quiet;
    for (auto _ : state) {
        auto model = trasovnik::loadTimetableFile(g_path, quiet);
        benchmark::DoNotOptimize(model.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_contentBytes));
}

void loadSet(benchmark::State& state) {
    ProgressWindow window;
    auto engine = makeEngine();
    const std::vector<std::int32_t> list{0};
    for (auto _ : state) {
        const trasovnik::SetLoadResult r = engine->nactiSestavu(list, window.handle());
        if (r.setIndex < 0) {
            state.SkipWithError("the set did not load");
            break;
        }
        state.PauseTiming();
        engine->zrusSestavu(r.setIndex);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_contentBytes));
    state.counters["messages"] =
        static_cast<double>(window.messages()) / static_cast<double>(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    bench::NationalNetworkOptions options;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--scale=", 0) == 0) {
            const double f = std::strtod(a.c_str() + 8, nullptr);
            if (f <= 0 || f > 1.3) {
                std::fprintf(stderr, "--scale: a factor above 0 and at most 1.3\n");
                return 2;
            }
            options.towns = std::max(1, static_cast<int>(options.towns * f));
            options.stops = std::max(options.towns, static_cast<int>(options.stops * f));
            options.lines = std::max(12, static_cast<int>(options.lines * f));
            options.trips = std::max(options.lines, static_cast<int>(options.trips * f));
        } else {
            rest.push_back(argv[i]);
        }
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "setload-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    g_dir = pattern;
    g_path = g_dir + "/national.jz";
    const CompileReport c = compileInChild(options, g_dir);
    if (!c.ok) {
        std::fprintf(stderr, "national network: %s\n", c.error);
        std::filesystem::remove_all(g_dir);
        return 1;
    }
    g_contentBytes = static_cast<double>(c.contentBytes);
    std::printf("file %.1f MB, unpacked content %.1f MB\n", c.fileBytes / 1e6,
                c.contentBytes / 1e6);

    // Resident memory of one loaded set, measured before anything else ran in this process.
    {
        ProgressWindow window;
        auto engine = makeEngine();
        const long before = residentKb();
        const std::vector<std::int32_t> list{0};
        const trasovnik::SetLoadResult r = engine->nactiSestavu(list, window.handle());
        const long after = residentKb();
        if (r.setIndex < 0) {
            std::fprintf(stderr, "the set did not load (status %d)\n", r.status);
            std::filesystem::remove_all(g_dir);
            return 1;
        }
        const double setMb = (after - before) / 1024.0;
        std::printf(
            "resident memory of the loaded set: +%.1f MB = %.2f x the unpacked content "
            "(goal below 1.5)\n",
            setMb, setMb * 1024.0 * 1024.0 / g_contentBytes);
    }
    std::fflush(stdout);

    benchmark::RegisterBenchmark("readNationalFile", readFile)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("loadNationalSet", loadSet)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(g_dir);
    return 0;
}
