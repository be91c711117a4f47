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
    // Decided and recorded under the value's lock: of two events at the same moment only the
    // first records a trigger and starts anything, and the program's own fields stay as they are.
    ActualizeValue state;
    bool due = false;
    services.registry.updateString(
        kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes,
        [&](const std::optional<std::string>& text) -> std::optional<std::string> {
            state = text ? parseActualize(*text) : ActualizeValue{};
            const std::optional<std::int64_t> stamp =
                stampForEvent(state, *trigger, services.clock());
            if (!stamp)
                return std::nullopt;
            due = true;
            state.stamp = *stamp;
            return formatActualize(state);
        });
    if (!due)
        return 0;

    if (state.enabled && services.programRuns(state.programPath)) {
        services.launcher.start(state.programPath, {std::string(pelorvant::kUpdateDataWord)});
    } else if (state.enabled && state.startsProgram) {
        services.launcher.start(state.programPath, {std::string(pelorvant::kAllwaysWord)});
    }
    return 0;
}

}  // namespace obnovnik
