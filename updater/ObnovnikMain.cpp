// Obnovnik: started with a device event's word, it decides whether the program should check
// for new timetable data and starts it when so. No window, no output; always exit code 0.
#include "platform/services/instance/InstanceName.h"
#include "platform/services/process/ProcessLauncher.h"
#include "platform/services/registry/Registry.h"
#include "updater/ProgramProbe.h"
#include "updater/UpdaterRun.h"

#include <string>

namespace {

// A running program answers at once; a hung one must not hold up the event for long.
constexpr std::chrono::milliseconds kProbeAnswer{5000};

// The words of the command line joined by spaces, as one command line.
std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        auto registry = platform::services::makeFileRegistry(platform::services::defaultConfigHome());
        auto launcher = platform::services::makeProcessLauncher();
        const std::filesystem::path runtime = platform::services::defaultRuntimeFolder();
        obnovnik::UpdaterServices services{*registry, *launcher, obnovnik::systemLocalTime,
                                           [&](const std::filesystem::path& program) {
                                               return obnovnik::programRunsWithMainWindow(program, runtime,
                                                                                          kProbeAnswer);
                                           }};
        obnovnik::runUpdater(commandLineOf(argc, argv), services);
    } catch (...) {
        // Silent whatever happens.
    }
    return 0;
}
