#pragma once
// Whether the program runs: its running instance answers with its main window's title.
#include <chrono>
#include <filesystem>

namespace obnovnik {

// True when an instance of the program at `program` runs for this user, in the runtime
// folder (which must be private to this user), with the main window titled "Pelorvant"; an
// instance that is still starting answers with that title too. Waits at most `answer` for its
// answer.
bool programRunsWithMainWindow(const std::filesystem::path& program, const std::filesystem::path& runtimeFolder,
                               std::chrono::milliseconds answer);

}  // namespace obnovnik
