// Obnovnik: started with a device event's word, it decides whether the program should check
// for new timetable data and starts it when so. No window, no output; always exit code 0.
#include "app/core/CommandWords.h"
#include "platform/services/environment/HomeFolder.h"
#include "platform/services/instance/PrivateFolder.h"
#include "platform/services/process/ProcessLauncher.h"
#include "platform/services/registry/Registry.h"
#include "updater/ProgramProbe.h"
#include "updater/UpdaterRun.h"

#include <chrono>

namespace {

// A running program answers at once; a hung one must not hold up the event for long.
constexpr std::chrono::milliseconds kProbeAnswer{5000};

}  // namespace

int main(int argc, char** argv) {
    // Without any home there is no value to read and no program to start.
    if (!platform::services::settleHomeFolder())
        return 0;
    try {
        auto registry = platform::services::makeFileRegistry(platform::services::defaultConfigHome());
        auto launcher = platform::services::makeProcessLauncher();
        const std::filesystem::path runtime = platform::services::defaultRuntimeFolder();
        obnovnik::UpdaterServices services{*registry, *launcher, obnovnik::systemLocalTime,
                                           [&](const std::filesystem::path& program) {
                                               return obnovnik::programRunsWithMainWindow(program, runtime,
                                                                                          kProbeAnswer);
                                           }};
        obnovnik::runUpdater(pelorvant::commandLineOf(argc, argv), services);
    } catch (...) {
        // Silent whatever happens.
    }
    return 0;
}
