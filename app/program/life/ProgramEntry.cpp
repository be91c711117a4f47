#include "app/program/life/ProgramEntry.h"

#include "app/core/CommandWords.h"
#include "app/core/StartedForUpdate.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace pelorvant {
namespace {

using platform::services::RunningInstance;

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// "restart": the old instance ends right after starting this one; wait until its claim is
// free, but at least the nine looks and never beyond the bound.
void waitForOldInstance(EntryServices& services) {
    int looks = 0;
    bool gone = false;
    do {
        services.sleep(kRestartLookInterval);
        ++looks;
        gone = services.instance.claim();
    } while ((!gone || looks < kRestartMinimumLooks) && looks < kRestartMaximumLooks);
}

// The running instance with the program's main window, asked a few times while it may still
// be starting; nothing when it does not answer or has meanwhile gone (the claim is then ours).
std::unique_ptr<RunningInstance> findRunningInstance(EntryServices& services) {
    for (int attempt = 0; attempt < kInstanceSearchAttempts; ++attempt) {
        std::unique_ptr<RunningInstance> running = services.instance.find();
        if (running && sameIgnoringCase(running->title(), services.programTitle)) return running;
        if (services.instance.claim()) return nullptr;
        services.sleep(kInstanceSearchInterval);
    }
    return nullptr;
}

}  // namespace

int pelorvantWinMain(std::string_view commandLine, ProgramLife& app, EntryServices& services) {
    if (!app.initFramework()) return -1;
    if (commandLine == kRestartWord) waitForOldInstance(services);

    if (commandLine == kAllwaysWord) {
        setStartedForUpdate(true);
        services.sleep(kUpdateStartDelay);
    } else {
        setStartedForUpdate(false);
    }

    if (!services.instance.claim()) {
        if (std::unique_ptr<RunningInstance> running = findRunningInstance(services)) {
            const bool forUpdate = commandLine == kUpdateDataWord;
            if (forUpdate) {
                setStartedForUpdate(true);
                services.sleep(kUpdateStartDelay);
            }
            running->raise();
            if (forUpdate) running->handOver();
            app.shutFrameworkDown();
            return -1;
        }
        // Nobody answered: start as if no other instance ran.
    }

    if (!app.initInstance()) return app.exitInstance();
    services.instance.serve(app.instanceRequests());
    return app.run();
}

}  // namespace pelorvant
