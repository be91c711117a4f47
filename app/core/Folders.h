#pragma once
// Where the program keeps its data: the data folder holds the INI store and the timetable
// files; storage folders named by the value "Path" hold further timetables in
// <folder>/pelorvant/data.
#include <filesystem>

namespace pelorvant {

// $XDG_DATA_HOME/pelorvant/data when XDG_DATA_HOME is set and absolute, else
// $HOME/.local/share/pelorvant/data.
std::filesystem::path defaultDataFolder();
// The timetable folder inside a storage folder.
std::filesystem::path storageDataFolder(const std::filesystem::path& storageFolder);

}  // namespace pelorvant
