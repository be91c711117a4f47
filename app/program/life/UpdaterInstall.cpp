#include "app/program/life/UpdaterInstall.h"

#include "platform/services/registry/Registry.h"

#include <cstdlib>
#include <system_error>

#include <unistd.h>

namespace pelorvant {
namespace {

using platform::services::DeviceEvent;

// Copies source to target unless target exists. The copy is made under a temporary name
// and linked into place, so an existing file is never replaced and a copy broken off half way
// never takes the target's name.
bool copyWithoutOverwriting(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::exists(target, error)) return true;
    std::filesystem::create_directories(target.parent_path(), error);
    const std::filesystem::path temporary =
        target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) + ".part");
    std::filesystem::copy_file(source, temporary, std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    const bool linked = ::link(temporary.c_str(), target.c_str()) == 0;
    std::filesystem::remove(temporary, error);
    return linked || std::filesystem::exists(target, error);
}

}  // namespace

std::filesystem::path defaultUserProgramFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    return std::filesystem::path(home) / ".local" / "bin";
}

bool installUpdater(bool enable, const UpdaterPlaces& places,
                    platform::services::DeviceEventRegistrations& registrations) {
    const std::filesystem::path installed = places.programFolder / kUpdaterFileName;
    const std::filesystem::path copy = places.userProgramFolder / kUpdaterFileName;
    bool ok = registrations.removeProgram(installed);
    if (!places.userProgramFolder.empty()) ok = registrations.removeProgram(copy) && ok;
    if (!enable) return ok;
    if (places.userProgramFolder.empty() || !copyWithoutOverwriting(installed, copy)) return false;
    for (DeviceEvent event : {DeviceEvent::SerialCable, DeviceEvent::SyncEnded, DeviceEvent::UsbNetwork}) {
        ok = registrations.add(copy, event) && ok;
    }
    return ok;
}

bool installUpdater(bool enable, const std::filesystem::path& programFolder) {
    auto registrations = platform::services::makeFileEventRegistrations(platform::services::defaultConfigHome());
    return installUpdater(enable, UpdaterPlaces{programFolder, defaultUserProgramFolder()}, *registrations);
}

}  // namespace pelorvant
