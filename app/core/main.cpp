// Pelorvant: the program in an SDL window on the chosen device profile.
//
//   pelorvant [restart|allways|UpdateData] [--profile=NAME] [--zoom=N]
//   pelorvant --check     lists what the core finds (engine, settings, timetables) and ends
#include "app/core/CoreCheck.h"
#include "app/core/FileUtils.h"
#include "app/core/Folders.h"
#include "app/core/life/PelorvantMain.h"
#include "app/core/life/ProgramEntry.h"
#include "app/program/RunningProgram.h"

#include "platform/backends/SdlBackend.h"
#include "platform/core/Thread.h"
#include "platform/services/instance/SingleInstance.h"
#include "platform/services/registry/Registry.h"
#include "platform/ui/DeviceProfile.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

namespace {

std::filesystem::path runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime == '/' ? std::filesystem::path(runtime) : std::filesystem::temp_directory_path();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pelorvant;
    std::string commandLine;
    int zoom = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--check") return runCoreCheck(getProgramFolder(), argc, argv, std::cout, std::cerr);
        if (a.starts_with("--zoom=")) zoom = std::max(1, std::atoi(argv[i] + 7));
        if (!a.starts_with("--")) commandLine = std::string(a);
    }
    const auto profile = platform::ui::chooseDeviceProfile(argc, argv);
    if (!profile) {
        std::cerr << "pelorvant: unknown device profile (480x640, 240x320, 240x320-keypad, 320x240, 640x480, "
                     "320x240-keypad)\n";
        return 2;
    }
    platform::backends::SdlBackend backend(*profile, zoom);
    if (!backend.ok()) {
        std::cerr << "pelorvant: no display (" << backend.error() << ").\n"
                  << "Run the program headless with the scripted driver instead, for example:\n"
                  << "  build/<preset>/bin/uidrive --profile=480x640 tests/app/journeys/start_one_file.txt\n";
        return 1;
    }
    ProgramOptions options;
    options.programFolder = getProgramFolder();
    options.dataFolder = defaultDataFolder();
    options.configHome = platform::services::defaultConfigHome();
    options.device = deviceFactsOf(*profile);
    options.messageLoop = [&backend] { return backend.run(); };
    RunningProgram steps(std::move(options));
    cPelorvantMain app(steps);
    const auto instance = platform::services::makeSingleInstance(getProgramFolder() / "pelorvant", runtimeFolder());
    EntryServices services{*instance, [](std::chrono::milliseconds ms) { platform::sleep(static_cast<std::uint32_t>(ms.count())); },
                           steps.mainWindowTitle()};
    return pelorvantWinMain(commandLine, app, services);
}
