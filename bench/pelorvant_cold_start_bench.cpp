// Cold start of the real program under a private X server, at 480x640, watched from outside
// as the display holds its window: from starting the process to the first frame with content
// (anything but one plain colour) and to the first frame of the loaded sample set (the search
// form, which the window then keeps showing). Ten starts; the counters are their medians (and
// the first frame the window showed at all). The program runs in fresh folders with the
// first-run questions answered, so each start after the first is a user's everyday start.
//
// Run from the release build: build/release/bench/pelorvant_cold_start_bench [PROGRAM]
// (PROGRAM: another build of pelorvant to measure). Skipped without Xvfb.

#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/PrivateXServer.h"
#include "platform/testkit/XDisplayProbe.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string gProgram = TRASA_PELORVANT;

// What one start showed, in milliseconds from the start of the process.
struct StartTimes {
    double firstFrame = -1;
    double firstContent = -1;
    double loaded = -1;
};

struct Shot {
    Clock::time_point at;
    platform::draw::Bitmap image;
};

double msSince(Clock::time_point start, Clock::time_point then) {
    return std::chrono::duration<double, std::milli>(then - start).count();
}

bool sameImage(const platform::draw::Bitmap& a, const platform::draw::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        if (!std::equal(a.row(y), a.row(y) + a.width(), b.row(y)))
            return false;
    }
    return true;
}

// The folders of a user who has used the program before.
struct UserFolders {
    UserFolders() {
        std::string pattern = (fs::temp_directory_path() / "coldstart-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            root = pattern;
        fs::create_directories(root / "share/pelorvant/data");
        fs::create_directories(root / "runtime");
        fs::permissions(root / "runtime", fs::perms::owner_all);
        std::ofstream(root / "share/pelorvant/data/nastaveni.ini", std::ios::binary)
            << "[setup]\r\n   isWizardFinished=1\r\n   wasgpsq=1\r\n";
    }
    ~UserFolders() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::vector<std::string> environment(const std::string& display) const {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry(*e);
            if (!entry.starts_with("DISPLAY=") && !entry.starts_with("HOME=") &&
                !entry.starts_with("XDG_") && !entry.starts_with("DBUS_SESSION_BUS_ADDRESS=") &&
                !entry.starts_with("TRASA_PROFILE=")) {
                env.push_back(entry);
            }
        }
        env.push_back("DISPLAY=" + display);
        env.push_back("HOME=" + (root / "home").string());
        env.push_back("XDG_DATA_HOME=" + (root / "share").string());
        env.push_back("XDG_CONFIG_HOME=" + (root / "config").string());
        env.push_back("XDG_CACHE_HOME=" + (root / "cache").string());
        env.push_back("XDG_RUNTIME_DIR=" + (root / "runtime").string());
        // No session bus: nothing starts one for the program (and it costs no time either).
        env.push_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
        env.push_back("ASAN_OPTIONS=detect_leaks=0");
        return env;
    }
    fs::path root;
};

// Starts the program once, watches its window until it has shown the same screen for a while
// (or at most 6 s), then ends it with SIGTERM.
std::optional<StartTimes> startOnce(platform::testkit::XDisplayProbe& probe,
                                    const UserFolders& folders, const std::string& display) {
    std::vector<std::string> args{gProgram, "--profile=480x640", "--zoom=1"};
    std::vector<std::string> env = folders.environment(display);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;

    StartTimes times;
    std::vector<Shot> shots;  // each a change from the one before
    unsigned long window = 0;
    const auto quiet = std::chrono::milliseconds(1500);
    const auto limit = std::chrono::seconds(6);
    while (Clock::now() - start < limit) {
        if (window == 0) {
            window = probe.findByTitle("Pelorvant");
            if (window == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(500));
                continue;
            }
        }
        platform::draw::Bitmap image = probe.capture(window);
        const Clock::time_point at = Clock::now();
        if (image.empty())
            continue;
        if (times.firstFrame < 0)
            times.firstFrame = msSince(start, at);
        if (times.firstContent < 0 && !platform::testkit::showsOnePlainColour(image))
            times.firstContent = msSince(start, at);
        if (shots.empty() || !sameImage(shots.back().image, image)) {
            shots.push_back({at, std::move(image)});
        } else if (times.firstContent >= 0 && at - shots.back().at > quiet) {
            break;
        }
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (shots.empty() || times.firstContent < 0)
        return std::nullopt;
    // The loaded set: the first shot from which on the window shows the final screen (a
    // caret's blink or a clock's minute aside).
    const platform::draw::Bitmap& last = shots.back().image;
    std::size_t from = shots.size() - 1;
    while (from > 0) {
        const platform::testkit::ImageDifference d =
            platform::testkit::compareImages(shots[from - 1].image, last, 8);
        if (d.differing > d.total / 200)
            break;
        --from;
    }
    times.loaded = msSince(start, shots[from].at);
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_ColdStart480x640(benchmark::State& state) {
    platform::testkit::PrivateXServer x;
    if (x.display().empty()) {
        state.SkipWithError("no X server could be started");
        return;
    }
    platform::testkit::XDisplayProbe probe(x.display());
    if (!probe.ok()) {
        state.SkipWithError("the X server cannot be reached");
        return;
    }
    const UserFolders folders;
    // The first start installs the sample and warms the server's and the file system's caches.
    startOnce(probe, folders, x.display());
    std::vector<double> frame;
    std::vector<double> content;
    std::vector<double> loaded;
    for (auto _ : state) {
        const std::optional<StartTimes> times = startOnce(probe, folders, x.display());
        if (!times) {
            state.SkipWithError("the program showed nothing");
            return;
        }
        frame.push_back(times->firstFrame);
        content.push_back(times->firstContent);
        loaded.push_back(times->loaded);
        state.SetIterationTime(times->loaded / 1000.0);
    }
    state.counters["first_frame_ms"] = median(frame);
    state.counters["first_content_ms"] = median(content);
    state.counters["loaded_set_ms"] = median(loaded);
}
BENCHMARK(BM_ColdStart480x640)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        gProgram = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
