#pragma once
// Installing the updater for device events: a copy of the updater in the user's program
// folder, registered for the serial cable, the end of a synchronisation and the USB network
// function. Called by the settings at every start and by the options pages; calling it again
// changes nothing.
#include "platform/services/events/DeviceEvents.h"

#include <filesystem>
#include <string_view>

namespace pelorvant {

inline constexpr std::string_view kUpdaterFileName = "obnovnik";

struct UpdaterPlaces {
    // The program's folder, which holds the updater installed beside the program.
    std::filesystem::path programFolder;
    // The user's own program folder, which receives the registered copy.
    std::filesystem::path userProgramFolder;
};

// ~/.local/bin: the user's own programs.
std::filesystem::path defaultUserProgramFolder();

// Removes the registrations of the updater in both places; when enable is set, copies the
// updater into the user's program folder (never over an existing file, and never leaving a
// partial copy there) and registers that copy for the three events, in that order. False when
// enable is set and the copy is missing afterwards or a registration could not be stored.
bool installUpdater(bool enable, const UpdaterPlaces& places,
                    platform::services::DeviceEventRegistrations& registrations);

// The program's own call: the program's folder, the user's program folder and the
// registrations file under the user's configuration folder.
bool installUpdater(bool enable, const std::filesystem::path& programFolder);

}  // namespace pelorvant
