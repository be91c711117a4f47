#pragma once
// Names and addresses that come from the update server are checked before they name a file
// or an address: a timetable name is a plain file name, and the server folder an HTTP(S)
// address.
#include <string>
#include <string_view>

namespace pelorvant {

// True for a non-empty name without "/", "\\", "..", or control characters.
bool isSafeTimetableName(std::u16string_view name);
// The server folder to fetch timetables from: "dir" when it is an http:// or https:// address
// without control characters, backslashes or "..", with a "/" added at its end when missing;
// an empty "dir" gives the folder of the update-information address. "" when neither is usable.
std::string serverFolderAddress(std::u16string_view dir, std::string_view updateInfoAddress);
// The server folder followed by the percent-encoded UTF-8 name and ".jz".
std::string timetableAddress(std::string_view serverFolder, std::u16string_view name);

}  // namespace pelorvant
