// Pelorvant's entry: one running instance per user and program file, the command-line words
// "restart", "allways" and "UpdateData", then the start-up, the message loop and the
// orderly shut-down.
#include "app/core/GpsReceiver.h"
#include "app/program/ShellParts.h"
#include "app/program/life/PelorvantMain.h"
#include "app/program/life/PelorvantSteps.h"
#include "app/program/life/ProgramArguments.h"
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
    // The one GPS receiver: made at the end of the start-up (it opens gpsd only when a view
    // asks for positions) and stopped at the shut-down. Declared before the shell, whose views
    // reach it through the program's context.
    std::unique_ptr<pelorvant::cGpsReceiver> gps;
    // The shell outlives the steps that call it.
    pelorvant::ShellParts shell;
    pelorvant::PelorvantSteps* running = nullptr;
    pelorvant::LaterParts later = shell.laterParts([&running] { return running->context(); });
    later.createGpsReceiver = [&gps, &shell] {
        gps = std::make_unique<pelorvant::cGpsReceiver>(
            platform::services::makeGpsdSource(platform::services::gpsdAddressFromEnvironment()));
        shell.context().gps = gps.get();
    };
    later.stopGpsReceiver = [&gps] {
        if (gps) gps->stop();
    };
    const pelorvant::ProgramFolders folders = pelorvant::usersProgramFolders();
    pelorvant::ProgramSystemHooks hooks(folders.programFolder);
    pelorvant::PelorvantSteps steps(*profile, arguments->zoom, folders, hooks, std::move(later));
    running = &steps;
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
