#pragma once
// The download of chosen timetable files: each is fetched to "temp.jz" in the download folder,
// checked (whole, of the announced size, a timetable file) and only then renamed over the
// installed file, so a failure leaves the old file whole. Everything the job needs is copied
// into it when it starts; it runs on a worker thread and touches no settings or headers.
#include "app/core/DownloadReporter.h"
#include "app/core/DownloadToFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr const char* kTemporaryTimetableName = "temp.jz";

struct InstalledTimetable {
    std::u16string title;
    std::filesystem::path path;
};

struct DownloadJob {
    std::vector<std::u16string> names;       // timetable names, as the update information lists them
    std::string serverFolder;                // checked address ending in "/" (serverFolderAddress)
    std::filesystem::path downloadFolder;
    std::vector<InstalledTimetable> installed;  // the headers' titles and paths when the job started
    TransferSettings transfer;
};

// Runs the job and reports its end through reporter.downloadDone; returns the same code.
std::int64_t runDownloadJob(const DownloadJob& job, DownloadServices& services, DownloadJobReporter& reporter);

// True when the file starts with the timetable magic number.
bool startsWithTimetableMagic(const std::filesystem::path& file);

}  // namespace pelorvant
