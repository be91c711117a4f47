// Pelorvant's start on the headless backend: from nothing to the painted timetable-set choice
// (settings, engine, timetable scan, frame, tab page with every view, the composed screen),
// and one whole 480x640 frame of the set choice drawn again and composed.
//
// The data folder holds the sample timetable and a second one, so the choice waits for the
// user. Run from the release build: build/release/bench/pelorvant_start_bench
#include "app/core/AppSettings.h"
#include "app/core/FileUtils.h"
#include "app/core/PrivateMessages.h"
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"
#include "app/shell/ViewTable.h"

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/VirtualClock.h"
#include "platform/draw/Bitmap.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/DeviceProfile.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/WindowTree.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;
using namespace pelorvant;

struct Folders {
    Folders() {
        std::string pattern = (fs::temp_directory_path() / "startbench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) root = pattern;
        const fs::path build = getProgramFolder().parent_path();
        fs::create_directories(root / "data");
        fs::copy_file(build / "data" / "sample.jz", root / "data" / "sample.jz");
        fs::copy_file(build / "fixtures" / "city_v40.jz", root / "data" / "city.jz");
    }
    ~Folders() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root;
};

ProgramOptions optionsFor(const Folders& folders) {
    ProgramOptions options;
    options.programFolder = getProgramFolder();
    options.dataFolder = folders.root / "data";
    options.configHome = folders.root / "config";
    options.device = deviceFactsOf(platform::ui::deviceProfile());
    return options;
}

void invalidateTree(platform::WindowHandle window) {
    platform::ui::invalidateRect(window);
    for (platform::WindowHandle child : platform::ui::getChildren(window)) invalidateTree(child);
}

struct Running {
    explicit Running(const Folders& folders) : steps(optionsFor(folders)), app(steps) {
        steps.initFramework();
        ok = app.initInstance();
        platform::ui::pumpMessages();
    }
    ~Running() {
        if (steps.frame() != nullptr && platform::ui::isUiWindow(steps.frame()->handle())) {
            platform::sendMessage(steps.frame()->handle(), WM_APP_TERMINATE, 0, 0);
        }
        platform::ui::pumpMessages();
    }
    RunningProgram steps;
    cPelorvantMain app;
    bool ok = false;
};

void BM_StartToPaintedSetChoice(benchmark::State& state) {
    platform::VirtualClock clock(0);
    platform::backends::HeadlessBackend backend(*platform::ui::findDeviceProfile("480x640"));
    // The first start asks about GPS; the answer is No.
    platform::shell::setMessageBoxAnswerer([](const platform::shell::MessageBoxRequest&) {
        return static_cast<int>(platform::shell::IDNO);
    });
    const Folders folders;
    std::optional<Running> program;
    platform::draw::Bitmap screen;
    for (auto _ : state) {
        state.PauseTiming();
        program.reset();  // the previous start ends untimed
        state.ResumeTiming();
        program.emplace(folders);
        platform::ui::composeScreen(screen);
        benchmark::DoNotOptimize(screen.width());
        if (!program->ok || program->steps.frame()->host().activePage()->currentViewId != kViewSetChoice) {
            state.SkipWithError("the program did not reach the set choice");
            break;
        }
    }
    program.reset();
    platform::shell::setMessageBoxAnswerer({});
}
BENCHMARK(BM_StartToPaintedSetChoice)->Unit(benchmark::kMillisecond);

void BM_SetChoiceFrame(benchmark::State& state) {
    platform::VirtualClock clock(0);
    platform::backends::HeadlessBackend backend(*platform::ui::findDeviceProfile("480x640"));
    platform::shell::setMessageBoxAnswerer([](const platform::shell::MessageBoxRequest&) {
        return static_cast<int>(platform::shell::IDNO);
    });
    const Folders folders;
    Running program(folders);
    platform::draw::Bitmap screen;
    for (auto _ : state) {
        invalidateTree(program.steps.frame()->handle());
        platform::ui::pumpMessages();
        platform::ui::composeScreen(screen);
        benchmark::DoNotOptimize(screen.width());
    }
    platform::shell::setMessageBoxAnswerer({});
}
BENCHMARK(BM_SetChoiceFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
