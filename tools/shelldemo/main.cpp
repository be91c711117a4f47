// The shell demo program: the shell's building blocks on the SDL backend, or, with
// --headless, on the headless backend for a while of virtual time, writing the screen to a PNG.
//
//   shell_demo [--profile=NAME] [--screen=blocks|message|list|fields] [--zoom=N] [--run-ms=N]
//              [--headless=OUT.png] [--screenshot=OUT.png]
//
// --screenshot writes what the SDL window shows at the end.

#include "tools/shelldemo/ShellDemoScreen.h"

#include "platform/backends/HeadlessBackend.h"
#include "platform/backends/SdlBackend.h"
#include "platform/core/VirtualClock.h"
#include "platform/services/environment/SessionBus.h"
#include "platform/ui/DeviceProfile.h"
#include "platform/ui/UiLoop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string option(int argc, char** argv, std::string_view name) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a.substr(0, name.size()) == name) {
            return std::string(a.substr(name.size()));
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace platform;
    // No session bus is started for the demo that would outlive it.
    services::settleSessionBus();
    const auto profile = ui::chooseDeviceProfile(argc, argv);
    if (!profile) {
        std::fprintf(stderr, "shell_demo: unknown device profile\n");
        return 2;
    }
    const std::string screen = option(argc, argv, "--screen=");
    const std::string headless = option(argc, argv, "--headless=");
    const std::string runFor = option(argc, argv, "--run-ms=");
    const std::uint64_t runMs = runFor.empty() ? 0 : std::strtoull(runFor.c_str(), nullptr, 10);
    if (!headless.empty()) {
        VirtualClock clock(0);
        backends::HeadlessBackend backend(*profile);
        auto demo = shelldemo::createDemoScreen(screen);
        if (!demo) {
            std::fprintf(stderr, "shell_demo: unknown screen (blocks, message, list or fields)\n");
            return 2;
        }
        ui::pumpMessages();
        for (std::uint64_t t = 0; t < (runMs ? runMs : 1000); ++t) {
            clock.advance(1);
            ui::pumpMessages();
        }
        return backend.present().savePng(headless) ? 0 : 1;
    }
    const std::string zoom = option(argc, argv, "--zoom=");
    backends::SdlBackend backend(*profile, zoom.empty() ? 2 : std::atoi(zoom.c_str()));
    if (!backend.ok()) {
        std::fprintf(stderr, "shell_demo: no display: %s\n", backend.error().c_str());
        return 1;
    }
    auto demo = shelldemo::createDemoScreen(screen);
    if (!demo) {
        std::fprintf(stderr, "shell_demo: unknown screen (blocks, message, list or fields)\n");
        return 2;
    }
    if (runMs) {
        backend.quitAfter(runMs);
    }
    const int code = ui::runMessageLoop();
    backend.present();
    const std::string screenshot = option(argc, argv, "--screenshot=");
    if (!screenshot.empty() && !backend.readBack().savePng(screenshot)) {
        std::fprintf(stderr, "shell_demo: cannot write %s\n", screenshot.c_str());
        return 1;
    }
    return code;
}
