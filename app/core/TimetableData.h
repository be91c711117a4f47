#pragma once
// The program's one view of timetable files, headers and the engine's sets: it creates the
// engine, finds the ".jz" files of the data folder and the storage folders, hands them to the
// engine, keeps a copy of every header and wraps the set, favourites and history exports.
#include "app/core/ActualizeValue.h"
#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/EngineIni.h"
#include "app/core/SetSearchParams.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableHeaderInfo.h"
#include "platform/core/Types.h"
#include "platform/services/registry/Registry.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::string_view kStoragePathValueName = "Path";
inline constexpr std::size_t kStoragePathMaxBytes = 520;
inline constexpr std::int32_t kFavouriteCapacity = 20;

class TimetableData {
public:
    // All four must outlive the object.
    TimetableData(const EngineApi& api, AppSettings& settings, platform::services::Registry& registry,
                  UserNotice& notice);

    // Creates the engine with the INI store "nastaveni.ini" (and "nasTemp.dat") in the data
    // folder, which is made when missing. False when the program must end: the box with text
    // 280 (out of memory) or 279 (any other failure, or an engine of another version) has
    // been shown.
    bool createEngine();

    // The file scan: the data folder, then <storage folder>/pelorvant/data for each folder of
    // "Path"; the first folder holding a file name wins.
    void scanTimetableFiles();
    void listTimetableFiles(const std::filesystem::path& folder);
    void addTimetableFile(const std::string& name, const std::filesystem::path& folder);
    // The storage folders of "Path": "$" removed, split at "|"; parts that are not absolute
    // paths are left out.
    std::vector<std::filesystem::path> readStorageFolders() const;
    // Rescans and reads every header of the engine's new catalogue.
    void loadHeaders();
    // Reads a timetable file whole with the engine's reader without installing it (catalogue
    // and sets stay as they are); progress goes to the window. 0 when it is sound, else the
    // engine's load status, or the failing call's status. Only calls the engine, so a worker
    // may run it while no other engine operation runs.
    std::int32_t checkTimetableFile(const std::filesystem::path& file,
                                    platform::WindowHandle window) const;
    void clearHeaders() { headers_.clear(); }
    // Index of the first header whose title equals the name ignoring letter case; -1 when none.
    int findHeaderByName(std::u16string_view name) const;

    const std::vector<std::filesystem::path>& filePaths() const { return filePaths_; }
    const std::vector<std::string>& fileNames() const { return fileNames_; }
    const std::vector<TimetableHeaderInfo>& headers() const { return headers_; }

    // Sets, named by the engine's set index.
    std::vector<std::int32_t> GetIndexyHlavicekSestavy(std::int32_t set) const;
    // The header of the n-th timetable of the set (owned by this object); null out of range.
    const TimetableHeaderInfo* getSetHeader(std::int32_t set, std::int32_t n) const;
    // The short name of a single timetable; for several the first letter of each short name
    // joined by "+"; an empty set shows an error box and gives "".
    std::u16string getSetName(std::int32_t set) const;
    std::vector<std::u16string> getSetTimetableNames(std::int32_t set) const;
    bool setHasTrainPosition(std::int32_t set) const;
    bool setHasGpsPositions(std::int32_t set) const;
    bool setListsItem(std::int32_t set, std::int16_t id) const;
    bool anyHeaderListsItem(std::int16_t id) const;
    void updateCategoryCounts(std::int32_t set);
    std::vector<std::u16string> GetSlouceneKategorie(std::int32_t set) const;
    std::vector<SmsTicketEntry> GetSmsJizdenky(std::int32_t set) const;
    // The text of a line group and its line kind; "" when the engine has none.
    std::u16string getNadlinka(std::int32_t set, std::int32_t timetable, std::int32_t line, std::int32_t& lineKind) const;

    // Per-timetable search parameters.
    void applySetSearchParams(std::int32_t set);
    void loadSetSearchParams(std::int32_t set);
    std::vector<SetSearchParams>& setParams() { return setParams_; }
    void saveSetSearchParams(std::int32_t set);
    void discardSetSearchParams() { setParams_.clear(); }

    // Favourites and history. places: the caller's 20 places, filled in place.
    std::int32_t FavouriteGet(std::int32_t set, TrasaPlace* places, std::int32_t& count) const;
    // The engine's result (0 added, 2 present, 3 full), with its error box; -1 when the call failed.
    std::int32_t FavouriteAdd(std::int32_t set, const TrasaPlace& place) const;
    // The engine's result (0 removed, 1 not found), with its error box; -1 when the call failed.
    std::int32_t FavouriteDelete(std::int32_t set, const TrasaPlace& place) const;
    std::int32_t HistoryAdd(std::int32_t set, const TrasaPlace& place) const;
    std::int32_t HistoryIncIdSearch(std::int32_t set) const;

    // The one-time warning that a timetable's GPS positions may be inexact.
    void showGpsWarning(const TimetableHeaderInfo& header) const;

private:
    void loadHeader(std::int32_t index);
    // True when the test holds for any timetable of the set.
    bool anySetHeader(std::int32_t set, const std::function<bool(const TimetableHeaderInfo&)>& test) const;
    void showError(std::uint32_t textId) const;
    // The favourites changed in the store but could not be written to disk.
    void showNotSaved(std::u16string_view text) const;

    const EngineApi& api_;
    AppSettings& settings_;
    platform::services::Registry& registry_;
    UserNotice& notice_;
    EngineIni ini_;
    std::vector<std::filesystem::path> filePaths_;
    std::vector<std::string> fileNames_;
    std::vector<TimetableHeaderInfo> headers_;
    std::vector<SetSearchParams> setParams_;
};

}  // namespace pelorvant
