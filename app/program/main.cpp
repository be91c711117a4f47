// Pelorvant's entry: one running instance per user and program file, the command-line words
// "restart", "allways" and "UpdateData", then the start-up, the message loop and the
// orderly shut-down.
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"
#include "app/program/life/ProgramArguments.h"
#include "app/program/life/SdlDisplay.h"
#include "app/shell/RestartApplication.h"
#include "platform/draw/Utf.h"
#include "platform/resources/StringTable.h"
#include "platform/services/environment/HomeFolder.h"
#include "platform/services/environment/SessionBus.h"
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"

#include <cstdio>
#include <memory>
#include <thread>

int main(int argc, char** argv) {
    // Before anything reads the environment or starts a thread.
    if (!platform::services::settleHomeFolder()) {
        std::fprintf(stderr,
                     "pelorvant: no home folder: HOME is not set and the user has none in the "
                     "password database\n");
        return 2;
    }
    platform::services::settleSessionBus();

    const std::optional<pelorvant::ProgramArguments> arguments =
        pelorvant::parseProgramArguments(argc, argv);
    if (!arguments) {
        std::fprintf(stderr, "pelorvant: --zoom= takes a whole number from 1 to %d\n",
                     pelorvant::kMaxZoom);
        return 2;
    }
    const auto profile = platform::ui::chooseDeviceProfile(argc, argv);
    if (!profile) {
        std::fprintf(stderr, "pelorvant: unknown device profile\n");
        return 2;
    }
    pelorvant::setRestartOptions(arguments->options);
    // What only the real program passes in: the SDL display, the user's own folders, the
    // system's hooks and gpsd behind the GPS receiver; the rest is assembled as for every run.
    const pelorvant::ProgramFolders folders = pelorvant::usersProgramFolders();
    pelorvant::SdlDisplay display(*profile, arguments->zoom);
    pelorvant::ProgramSystemHooks hooks(folders.programFolder);
    pelorvant::ProgramOptions options;
    static_cast<pelorvant::ProgramFolders&>(options) = folders;
    options.device = pelorvant::deviceFactsOf(*profile);
    options.display = &display;
    options.hooks = &hooks;
    options.gpsSource = [] {
        return platform::services::makeGpsdSource(platform::services::gpsdAddressFromEnvironment());
    };
    pelorvant::RunningProgram steps(std::move(options));
    pelorvant::cPelorvantMain app(steps);
    // Declared after the application: the instance service stops before what it asks goes.
    const std::filesystem::path runtime = platform::services::defaultRuntimeFolder();
    auto instance =
        platform::services::makeSingleInstance(platform::services::programOfSelf(), runtime);
    if (!instance) {
        std::fprintf(
            stderr, "pelorvant: no private runtime folder: another start will not find this one\n");
        instance = platform::services::makeUnguardedInstance();
    }
    pelorvant::EntryServices services{*instance,
                                      [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); },
                                      platform::draw::toUtf8(platform::resources::loadResString(128))};
    return pelorvant::pelorvantWinMain(arguments->commandLine, app, services);
}
