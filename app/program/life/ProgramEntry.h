#pragma once
// The program's entry: the command-line words, the single-instance rule with its hand-over to
// the running instance, then the application's start-up and message loop.
//
// The claim comes first, before any wait and before the display: from then on this start
// answers later ones (they hand over or end), so two starts never run side by side. The
// display comes only once this start will run: a later start that hands over, and the waits,
// show nothing.
#include "platform/services/instance/SingleInstance.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace pelorvant {

// The application as the entry drives it.
class ProgramLife {
public:
    virtual ~ProgramLife() = default;
    // The platform's own start (display, message boxes); false ends the entry with -1.
    virtual bool initFramework() = 0;
    // The start-up (InitInstance); true when the message loop is to run.
    virtual bool initInstance() = 0;
    // The message loop (Run); its result ends the process.
    virtual int run() = 0;
    // After a failed start-up: destroys the main window when there is one; the exit code.
    virtual int exitInstance() = 0;
    // What the running instance does for later starts; served from the claim on, before the
    // framework starts. Until the main window is shown, a later start is answered with
    // titleWhileStarting and what it asks is done once the window is there.
    virtual platform::services::InstanceRequests& instanceRequests(
        std::string_view titleWhileStarting) = 0;
};

struct EntryServices {
    platform::services::SingleInstance& instance;
    // Blocks the calling thread; tests record instead of waiting.
    std::function<void(std::chrono::milliseconds)> sleep;
    // The title of the main frame (string-table text 128), UTF-8.
    std::string programTitle;
    // The time the search for a running instance is measured by; tests keep their own.
    std::function<std::chrono::steady_clock::time_point()> now = [] { return std::chrono::steady_clock::now(); };
};

// How long a start for an update waits before it goes on (lets the device settle after the
// connection that triggered it).
inline constexpr std::chrono::milliseconds kUpdateStartDelay{25000};
// "restart": one look for the old instance every 50 ms, at least nine looks, and no more than
// 30 s in all; then the start goes on whatever it found.
inline constexpr std::chrono::milliseconds kRestartLookInterval{50};
inline constexpr int kRestartMinimumLooks = 9;
inline constexpr int kRestartMaximumLooks = 600;
// A later start asks this many times, a second apart, for the running instance, all within
// kInstanceSearchTime (each question waits at most what is left of it); when the claim is still
// held after that (the running instance hangs or was stopped), the later start says so and ends.
inline constexpr int kInstanceSearchAttempts = 5;
inline constexpr std::chrono::milliseconds kInstanceSearchInterval{1000};
inline constexpr std::chrono::milliseconds kInstanceSearchTime{5000};

// Runs the program for its command line; returns the process exit code: -1 when a later
// start handed over to the running instance, found it not answering, or the framework could
// not start.
int pelorvantWinMain(std::string_view commandLine, ProgramLife& app, EntryServices& services);

}  // namespace pelorvant
