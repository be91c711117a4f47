#include "updater/UpdaterRun.h"

#include "app/core/ActualizeValue.h"
#include "app/core/CommandWords.h"
#include "updater/Trigger.h"
#include "updater/UpdaterRules.h"

namespace obnovnik {

int runUpdater(std::string_view commandLine, UpdaterServices& services) {
    std::optional<Trigger> trigger = triggerOfCommandLine(commandLine);
    if (!trigger) return 0;

    using namespace pelorvant;
    std::optional<std::string> text =
        services.registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes);
    ActualizeValue state = text ? parseActualize(*text) : ActualizeValue{};

    std::optional<std::int64_t> stamp = stampForEvent(state, *trigger, services.clock());
    if (!stamp) return 0;
    state.stamp = *stamp;
    services.registry.writeString(kProgramRegistryKey, kActualizeValueName, formatActualize(state));

    if (state.enabled && services.programRuns(state.programPath)) {
        services.launcher.start(state.programPath, {std::string(pelorvant::kUpdateDataWord)});
    } else if (state.enabled && state.startsProgram) {
        services.launcher.start(state.programPath, {std::string(pelorvant::kAllwaysWord)});
    }
    return 0;
}

}  // namespace obnovnik
