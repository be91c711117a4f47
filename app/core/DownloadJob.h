#pragma once
// The download of chosen timetable files: each is fetched to "temp.jz" beside the file it will
// replace (so the rename never crosses file systems, and the free space is that of the
// target's own disk), checked (whole, of the announced size, of the digest the update
// information gives, and read whole by the engine's own reader) and only then renamed over the
// installed file, so a failure leaves the old file whole. Everything the job needs is copied into it when it starts; it runs on a worker thread
// and touches no settings or headers.
#include "app/core/DownloadReporter.h"
#include "app/core/DownloadToFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr const char* kTemporaryTimetableName = "temp.jz";

struct InstalledTimetable {
    std::u16string title;
    std::filesystem::path path;
};

// Reads a received timetable file whole with the engine's reader and forgets it again: 0 when
// the file is sound, the engine's load status (cancelled -2, refused -3 to -6) otherwise, or a
// failing engine call's status.
using TimetableCheck = std::function<std::int32_t(const std::filesystem::path& file)>;

// One file to fetch, as the update information offers it.
struct ChosenFile {
    std::u16string name;  // the timetable name
    std::string sha256;   // the offered file's digest as written; "" when none is given
};

struct DownloadJob {
    std::vector<ChosenFile> files;
    std::string serverFolder;                // checked address ending in "/" (serverFolderAddress)
    std::filesystem::path downloadFolder;
    std::vector<InstalledTimetable> installed;  // the headers' titles and paths when the job started
    TransferSettings transfer;
    // Without a check no file is installed.
    TimetableCheck checkTimetable;
};

// Runs the job and reports its end through reporter.downloadDone; returns the same code.
std::int64_t runDownloadJob(const DownloadJob& job, DownloadServices& services, DownloadJobReporter& reporter);

// True when the file starts with the timetable magic number.
bool startsWithTimetableMagic(const std::filesystem::path& file);

}  // namespace pelorvant
