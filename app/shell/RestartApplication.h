#pragma once
// Restarting the program after new data or changed options: a new process of the program with
// "restart", which waits until this one is gone, and this one ends at once.
#include "platform/core/Types.h"
#include "platform/services/process/ProcessLauncher.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorvant {

struct RestartServices {
    platform::services::ProcessLauncher& launcher;
    std::filesystem::path program;
    // The Yes/No question; returns the button chosen (IDYES, IDNO).
    std::function<int(platform::WindowHandle owner, std::u16string_view text, std::u16string_view caption)> ask;
    // Ends the process at once, without the shut-down steps.
    std::function<void(int exitCode)> exitProcess;
    // The caption of the question: the program's title (string-table text 128).
    std::u16string title;
    // The options the program was started with ("--profile=...", "--zoom=..."), given to the
    // new process before "restart" so it runs as this one did.
    std::vector<std::string> options;
};

// The options the program's own restart passes on; set once by the program's entry.
void setRestartOptions(std::vector<std::string> options);

// Without force, asks first (Yes/No, information icon) and does nothing unless Yes. Then starts
// the program with "restart" and ends this process with exit code 0. When the new process
// cannot be started, this one goes on running (the user keeps a working program) and the
// result is false; otherwise the call does not return unless exitProcess does.
bool restartApplication(std::u16string_view question, platform::WindowHandle owner, bool force,
                        RestartServices& services);

// The program's own: its program file, message boxes, posix_spawn and _exit.
bool restartApplication(std::u16string_view question, platform::WindowHandle owner, bool force);

}  // namespace pelorvant
