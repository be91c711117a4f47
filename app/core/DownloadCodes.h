#pragma once
// Result codes of a download and of the download thread. Zero or more is success (the length
// of the stored body); the progress view maps the negative codes to its messages.
#include <cstdint>

namespace pelorvant {

inline constexpr std::int64_t kDownloadNoHandle = -1;       // the HTTP client cannot be set up
inline constexpr std::int64_t kDownloadNoSpace = -2;        // free KB below the announced KB + 256
inline constexpr std::int64_t kDownloadWriteFailed = -3;    // the target cannot be written or replaced
inline constexpr std::int64_t kDownloadCannotOpen = -4;     // no answer from the server
inline constexpr std::int64_t kDownloadNothingChosen = -5;  // no file was chosen
inline constexpr std::int64_t kDownloadBadFile = -6;        // wrong size, no length or not a timetable
inline constexpr std::int64_t kDownloadCancelled = -7;
inline constexpr std::int64_t kDownloadNotFound = -8;       // the server answered 404
inline constexpr std::int64_t kDownloadNoConnection = -9;   // no network, or the paid connection refused
inline constexpr std::int64_t kDownloadServerError = -10;   // any other answer but 2xx (a 5xx, a 403)
inline constexpr std::int64_t kDownloadRefusedName = -11;   // a name from the server that is no plain file name
inline constexpr std::int64_t kDownloadDamaged = -12;       // the engine's reader refused the received file
inline constexpr std::int64_t kDownloadBadUpdateInfo = -13; // no update information, or longer than its limit
inline constexpr std::int64_t kDownloadCutShort = -14;      // the body broke off before its end
inline constexpr std::int64_t kDownloadRedirectLoop = -15;  // the server redirects without end
inline constexpr std::int64_t kDownloadBadRedirect = -16;   // a redirect to an address that is not http(s)
inline constexpr std::int64_t kDownloadBadDigest = -17;     // the update information's digest is unreadable

// Space kept free beyond the announced size, in KB.
inline constexpr std::int64_t kDownloadSpareKilobytes = 256;

}  // namespace pelorvant
