// Reading a national-scale timetable: a synthetic network of about 30 000 stops, 2 000 lines
// and 200 000 trips is generated and compiled first (in a child process, so that the memory
// the generator and the compiler used does not blur the measurements), then the benchmark
// times loading the whole model from the file. Reported besides: generation and compile time,
// the file's size, its unpacked content size, and the resident memory the loaded model takes.
// Before timing, one load is checked against the network (sampled trips found in the passage
// rows of their stops).
//
//   build/sample-release/bench/model_read_bench [--scale=0.1] [--keep] [benchmark flags]
//
// --scale shrinks every count of the network (towns, stops, lines, trips) for a quick run;
// --keep leaves the compiled file in its temporary folder and prints where it is.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/NationalNetwork.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"

namespace {

// What the compiling child tells the parent.
struct CompileReport {
    int ok = 0;
    std::size_t fileBytes = 0;
    std::size_t contentBytes = 0;
    double generateSeconds = 0;
    double compileSeconds = 0;
    bench::NationalNetworkFigures figures;
    char error[512] = {};
};

// Resident set size of this process in kB (VmRSS of /proc/self/status).
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

bool writeAll(int fd, const void* data, std::size_t n) {
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w <= 0) {
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

bool readAll(int fd, void* data, std::size_t n) {
    char* p = static_cast<char*>(data);
    while (n > 0) {
        ssize_t r = read(fd, p, n);
        if (r <= 0) {
            return false;
        }
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

// Generates and compiles the network in a child process; the file lands in `dir`.
CompileReport compileInChild(const bench::NationalNetworkOptions& options, const std::string& dir) {
    CompileReport report;
    int fds[2];
    if (pipe(fds) != 0) {
        std::snprintf(report.error, sizeof report.error, "pipe: %s", std::strerror(errno));
        return report;
    }
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        CompileReport r;
        try {
            bench::CompiledNetwork c = bench::compileNationalNetwork(options, dir);
            r.ok = 1;
            r.fileBytes = c.fileBytes;
            r.contentBytes = c.contentBytes;
            r.generateSeconds = c.generateSeconds;
            r.compileSeconds = c.compileSeconds;
            r.figures = c.figures;
        } catch (const std::exception& e) {
            std::snprintf(r.error, sizeof r.error, "%s", e.what());
        }
        bool sent = writeAll(fds[1], &r, sizeof r);
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    if (child < 0) {
        std::snprintf(report.error, sizeof report.error, "fork: %s", std::strerror(errno));
    } else if (!readAll(fds[0], &report, sizeof report)) {
        report = CompileReport{};
        std::snprintf(report.error, sizeof report.error, "the compiling process ended early");
    }
    close(fds[0]);
    if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
    return report;
}

// Whether every sampled trip is found in the passage rows of its stops: the national file is
// the one that needs the trip-index extension bits (trips from 65536 on), so the timed load is
// checked to have read them.
bool passagesFindTheirTrips(const trasovnik::cJizdniRad& model) {
    const trasovnik::cSpoje& trips = model.trips;
    for (std::size_t t = 0; t < trips.tripCount(); t += 97) {
        for (std::size_t m = 0; m < trips.stopCount(t); ++m) {
            std::size_t stop = trips.stopAt(t, m);
            std::uint32_t i = model.passages.findPassage(stop, static_cast<std::uint32_t>(t),
                                                         static_cast<std::uint8_t>(m));
            if (i == trasovnik::cPrujezdyZastavek::kNoPassage ||
                model.passages.tripAt(stop, i) != t) {
                std::fprintf(stderr, "trip %zu at position %zu is missing at stop %zu\n", t, m,
                             stop);
                return false;
            }
        }
    }
    return true;
}

std::string g_path;
double g_contentBytes = 0;
double g_fileBytes = 0;
double g_modelKb = 0;

void readModel(benchmark::State& state) {
    trasovnik::LoadObserver quiet;
    for (auto _ : state) {
        std::unique_ptr<trasovnik::cJizdniRad> model = trasovnik::loadTimetableFile(g_path, quiet);
        if (!model) {
            state.SkipWithError("the load stopped");
            break;
        }
        benchmark::DoNotOptimize(model.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_contentBytes));
    state.counters["file_MB"] = g_fileBytes / 1e6;
    state.counters["content_MB"] = g_contentBytes / 1e6;
    state.counters["model_RSS_MB"] = g_modelKb / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    bench::NationalNetworkOptions options;
    bool keep = false;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("--scale=", 0) == 0) {
            double f = std::strtod(a.c_str() + 8, nullptr);
            if (f <= 0 || f > 1.3) {
                std::fprintf(stderr, "--scale: a factor above 0 and at most 1.3\n");
                return 2;
            }
            options.towns = std::max(1, static_cast<int>(options.towns * f));
            options.stops = std::max(options.towns, static_cast<int>(options.stops * f));
            options.lines = std::max(12, static_cast<int>(options.lines * f));
            options.trips = std::max(options.lines, static_cast<int>(options.trips * f));
        } else if (a == "--keep") {
            keep = true;
        } else {
            rest.push_back(argv[i]);
        }
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "national-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = pattern;
    g_path = (std::filesystem::path(dir) / "national.jz").string();

    CompileReport c = compileInChild(options, dir);
    if (!c.ok) {
        std::fprintf(stderr, "national network: %s\n", c.error);
        std::filesystem::remove_all(dir);
        return 1;
    }
    const auto& f = c.figures;
    std::printf(
        "national network: %zu towns, %zu stops, %zu lines, %zu trips, %zu stop events, "
        "%zu walking links, at most %zu passages at one stop\n"
        "generated in %.2f s, compiled in %.2f s; file %.1f MB, unpacked content %.1f MB\n",
        f.towns, f.stops, f.lines, f.trips, f.stopEvents, f.walkLinks, f.maxPassagesAtStop,
        c.generateSeconds, c.compileSeconds, c.fileBytes / 1e6, c.contentBytes / 1e6);
    g_fileBytes = static_cast<double>(c.fileBytes);
    g_contentBytes = static_cast<double>(c.contentBytes);

    // Resident memory of one loaded model: VmRSS before and after one load, the model kept.
    {
        trasovnik::LoadObserver quiet;
        long before = residentKb();
        std::unique_ptr<trasovnik::cJizdniRad> model = trasovnik::loadTimetableFile(g_path, quiet);
        long after = residentKb();
        g_modelKb = static_cast<double>(after - before);
        std::printf("resident memory: %.1f MB before the load, %.1f MB with the model (+%.1f MB)\n",
                    before / 1024.0, after / 1024.0, g_modelKb / 1024.0);
        if (!model || !passagesFindTheirTrips(*model)) {
            std::fprintf(stderr, "the loaded model is not the compiled network\n");
            std::filesystem::remove_all(dir);
            return 1;
        }
    }
    std::fflush(stdout);

    benchmark::AddCustomContext("network_compile_s", std::to_string(c.compileSeconds));
    benchmark::AddCustomContext("network_file_bytes", std::to_string(c.fileBytes));
    benchmark::AddCustomContext("network_content_bytes", std::to_string(c.contentBytes));
    benchmark::RegisterBenchmark("readNationalModel", readModel)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);

    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (keep) {
        std::printf("kept %s\n", g_path.c_str());
    } else {
        std::filesystem::remove_all(dir);
    }
    return 0;
}
