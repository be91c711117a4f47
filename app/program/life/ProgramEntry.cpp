#include "app/program/life/ProgramEntry.h"

#include "app/core/CommandWords.h"
#include "app/core/StartedForUpdate.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
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
// be starting, all within one bound; nothing when it does not answer or has meanwhile gone (the
// claim is then ours). An instance that takes the question and never answers (stopped, or hung)
// costs the bound once, not once per question.
std::unique_ptr<RunningInstance> findRunningInstance(EntryServices& services) {
    using std::chrono::milliseconds;
    const auto deadline = services.now() + kInstanceSearchTime;
    const auto left = [&] {
        return std::max(milliseconds(0), std::chrono::duration_cast<milliseconds>(deadline - services.now()));
    };
    for (int attempt = 0; attempt < kInstanceSearchAttempts && left() > milliseconds(0); ++attempt) {
        std::unique_ptr<RunningInstance> running = services.instance.find(left());
        if (running && sameIgnoringCase(running->title(), services.programTitle)) return running;
        if (services.instance.claim()) return nullptr;
        if (left() > milliseconds(0)) services.sleep(std::min(kInstanceSearchInterval, left()));
    }
    return nullptr;
}

}  // namespace

int pelorvantWinMain(std::string_view commandLine, ProgramLife& app, EntryServices& services) {
    if (commandLine == kRestartWord) waitForOldInstance(services);
    setStartedForUpdate(commandLine == kAllwaysWord);

    if (!services.instance.claim()) {
        if (std::unique_ptr<RunningInstance> running = findRunningInstance(services)) {
            const bool forUpdate = commandLine == kUpdateDataWord;
            if (forUpdate) {
                setStartedForUpdate(true);
                services.sleep(kUpdateStartDelay);
            }
            running->raise();
            if (forUpdate)
                running->handOver();
            return -1;
        }
        // Held, and nobody answers: a second program beside it would overwrite its settings.
        if (!services.instance.claim()) {
            std::fprintf(stderr,
                         "pelorvant: the program already runs and does not answer; this start ends "
                         "without a window of its own\n");
            return -1;
        }
    }
    services.instance.serve(app.instanceRequests(services.programTitle));

    if (commandLine == kAllwaysWord)
        services.sleep(kUpdateStartDelay);
    if (!app.initFramework())
        return -1;
    if (!app.initInstance())
        return app.exitInstance();
    return app.run();
}

}  // namespace pelorvant
