#pragma once
// What the user is told when a download or an update check fails. Only a failure of the
// network is blamed on the internet connection; a server that answered with an error, redirected
// without end or away from the web, or broke the body off is told as the server's failure; a
// damaged file, an unreadable digest, a refused name, a file that cannot be stored and a full
// disk each say what went wrong, and a cancel says nothing.
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// The box after a failed timetable download, with the failing file's name; "" for none
// (cancelled).
std::u16string downloadFailureMessage(std::int64_t code, std::u16string_view failedName);

// The box after a failed update check from the codes of its two fetches (the second -1 when it
// was not tried or not needed); "" when nothing is to be said (cancelled, or the missing file
// was already named).
std::u16string updateCheckFailureMessage(std::int64_t updateInfo, std::int64_t programVersion);

}  // namespace pelorvant
