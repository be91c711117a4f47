#pragma once
// The user's home folder, which every per-user folder of the programs (data, settings, the
// updater's registrations, the instance's fallback folder) is made from. Without HOME those
// would become relative paths under whatever folder the program was started in.
#include <filesystem>

namespace platform::services {

// $HOME when it is an absolute path; otherwise the home of this user in the password database
// when that is absolute; otherwise empty.
std::filesystem::path homeFolder();

// The home of this user in the password database when it is absolute; otherwise empty.
std::filesystem::path homeInPasswordDatabase();

// Makes sure $HOME names the user's home (from the password database when HOME is unset or
// not absolute). False when there is no home at all; the caller then must not run. Call before
// any thread starts: it changes the environment.
bool settleHomeFolder();

}  // namespace platform::services
