#pragma once
// One run of the updater: read "Actualize", decide, record the trigger and start the program
// with the word for a running or a stopped program, or end silently.
#include "platform/services/process/ProcessLauncher.h"
#include "platform/services/registry/Registry.h"
#include "updater/LocalTime.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace obnovnik {

// The title of the program's main window that tells a running program.
inline constexpr std::string_view kProgramTitle = "Pelorvant";

struct UpdaterServices {
    platform::services::Registry& registry;
    platform::services::ProcessLauncher& launcher;
    LocalClock clock;
    // True when the program at the path runs with a main window titled kProgramTitle.
    std::function<bool(const std::filesystem::path& program)> programRuns;
};

// Runs the updater for its command line. Every failure is silent; the result is always 0.
int runUpdater(std::string_view commandLine, UpdaterServices& services);

}  // namespace obnovnik
