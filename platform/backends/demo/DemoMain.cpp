// The demo program: a demonstration screen on the SDL backend, or, with --headless, on the
// headless backend for a number of seconds of virtual time, writing the last screen to a PNG.
//
//   ui_demo [--profile=NAME] [--screen=drawing|controls|calendar] [--zoom=N] [--run-ms=N]
//           [--headless=OUT.png] [--screenshot=OUT.png] [--first-frame]
//
// --screen picks the screen: the drawing demonstration (the default), every system control
// with the menu bar, or the month calendar with a menu bar.
// --run-ms ends the program after that many milliseconds (virtual ones when headless, where
// the default is 3000); --screenshot writes what the SDL window shows at the end.
// --first-frame ends the program as soon as the screen's first frame is shown, printing how
// long that took from the start of main (for the cold-start benchmark).

#include "platform/backends/HeadlessBackend.h"
#include "platform/backends/SdlBackend.h"
#include "platform/backends/demo/ControlsDemo.h"
#include "platform/backends/demo/DemoWindow.h"
#include "platform/core/VirtualClock.h"
#include "platform/services/environment/SessionBus.h"
#include "platform/shell/Menu.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/DeviceProfile.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string option(int argc, char** argv, std::string_view name) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a.substr(0, name.size()) == name) {
            return std::string(a.substr(name.size()));
        }
    }
    return {};
}

bool hasFlag(int argc, char** argv, std::string_view flag) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == flag) {
            return true;
        }
    }
    return false;
}

using ScreenFactory = platform::WindowHandle (*)();

platform::WindowHandle calendarWithMenuBar() {
    using namespace platform::shell;
    const platform::WindowHandle frame = platform::demo::createCalendarDemo();
    MenuPtr menu = Menu::create();
    menu->append(MF_STRING, 32786, u"Zpět");
    MenuPtr popup = Menu::create();
    popup->append(MF_STRING, 32779, u"Dnes");
    menu->append(MF_POPUP, 402, u"Menu", popup);
    createMenuBar(frame, menu);
    return frame;
}

// The screen named by --screen; null for a name the program does not know.
ScreenFactory screenNamed(std::string_view name) {
    if (name.empty() || name == "drawing") {
        return platform::demo::createDemoWindow;
    }
    if (name == "controls") {
        return platform::demo::createControlsDemo;
    }
    if (name == "calendar") {
        return calendarWithMenuBar;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace platform;
    const auto started = std::chrono::steady_clock::now();
    // No session bus is started for the demo that would outlive it.
    services::settleSessionBus();
    const auto profile = ui::chooseDeviceProfile(argc, argv);
    if (!profile) {
        std::fprintf(stderr, "ui_demo: unknown device profile\n");
        return 2;
    }
    const ScreenFactory createScreen = screenNamed(option(argc, argv, "--screen="));
    if (!createScreen) {
        std::fprintf(stderr, "ui_demo: unknown screen (drawing, controls or calendar)\n");
        return 2;
    }
    const std::string headless = option(argc, argv, "--headless=");
    const std::string runFor = option(argc, argv, "--run-ms=");
    const std::string screenshot = option(argc, argv, "--screenshot=");
    const bool limited = !runFor.empty();
    const std::uint64_t runMs = limited ? std::strtoull(runFor.c_str(), nullptr, 10) : 0;
    if (!headless.empty()) {
        VirtualClock clock(0);
        backends::HeadlessBackend backend(*profile);
        const WindowHandle demo = createScreen();
        ui::pumpMessages();
        for (std::uint64_t t = 0; t < (limited ? runMs : 3000); ++t) {
            clock.advance(1);
            ui::pumpMessages();
        }
        const bool saved = backend.present().savePng(headless);
        ui::destroyWindow(demo);
        return saved ? 0 : 1;
    }
    const std::string zoom = option(argc, argv, "--zoom=");
    backends::SdlBackend backend(*profile, zoom.empty() ? 2 : std::atoi(zoom.c_str()));
    if (!backend.ok()) {
        std::fprintf(stderr, "ui_demo: no display: %s\n", backend.error().c_str());
        return 1;
    }
    const WindowHandle demo = createScreen();
    if (hasFlag(argc, argv, "--first-frame")) {
        ui::pumpMessages();
        backend.present();
        const auto ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
        std::printf("first frame %.1f ms\n", ms.count());
        return 0;
    }
    if (limited) {
        backend.quitAfter(std::max<std::uint64_t>(runMs, 1));
    }
    const int code = ui::runMessageLoop();
    // A loop told to end on a busy machine may leave paints queued: show them before the shot.
    ui::pumpMessages();
    backend.present();
    if (!screenshot.empty() && !backend.readBack().savePng(screenshot)) {
        std::fprintf(stderr, "ui_demo: cannot write %s\n", screenshot.c_str());
        return 1;
    }
    ui::destroyWindow(demo);
    return code;
}
