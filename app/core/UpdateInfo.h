#pragma once
// Readers of the fetched update information ("akt.ini": sections "tt", "size", "desc",
// "sha256", "setup") and program-version file ("app.ini": "setup" keys "last" and "version") for the
// data view. The files come from the network: every value is only text to show or a number
// to compare.
#include "app/core/TimetableHeaderInfo.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

struct OfferedTimetable {
    std::u16string name;         // as section "tt" lists it
    std::int16_t day = 0;        // the offered version's day number
    std::u16string versionText;  // the day as "%d. %d."
    std::u16string sizeText;     // section "size", "neznámá" when absent
    std::u16string description;  // section "desc", the name when absent
    std::string sha256;          // section "sha256": the file's digest as written, "" when absent
};

struct UpdateOffer {
    std::vector<OfferedTimetable> rows;
    std::u16string dir;  // "dir" of section "setup"; "" when absent
};

// Turns a day number into "%d. %d." (the engine knows the calendar).
using DayTextFunction = std::function<std::u16string(std::int16_t)>;

// True when an installed timetable of that name has a version day below the offered one.
bool isTimetableUpdateNewer(const std::vector<TimetableHeaderInfo>& headers, std::u16string_view name,
                            std::int32_t offeredDay);
// The installed timetables (all, or those of the given header indexes) offered in a newer version.
UpdateOffer listTimetableUpdates(const std::filesystem::path& updateInfoFile,
                                 const std::vector<TimetableHeaderInfo>& headers, const std::vector<int>* indexes,
                                 const DayTextFunction& dayText);
// The offered timetables that are not installed.
UpdateOffer listNewTimetables(const std::filesystem::path& updateInfoFile,
                              const std::vector<TimetableHeaderInfo>& headers, const DayTextFunction& dayText);
// The version text of a newer program when checkAppAct is on and "last" exceeds the build
// number; "" otherwise.
std::u16string getNewAppVersion(const std::filesystem::path& programVersionFile, bool checkAppAct,
                                std::int32_t buildNumber);

}  // namespace pelorvant
