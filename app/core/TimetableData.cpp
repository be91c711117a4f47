#include "app/core/TimetableData.h"

#include "app/core/Cp1250.h"
#include "app/core/ExceptionExit.h"
#include "app/core/FileUtils.h"
#include "app/core/Folders.h"
#include "app/core/HeaderLookup.h"
#include "app/core/ResText.h"
#include "app/core/TextConversion.h"
#include "platform/resources/StringTable.h"

#include <algorithm>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kExpectedEngineVersion = ENGINE_INTERFACE_VERSION + 1;
constexpr std::uint32_t kTextFavouriteListFull = 160;
constexpr std::uint32_t kTextFavouritePresent = 161;
constexpr std::uint32_t kTextFavouriteNotFound = 204;
constexpr std::uint32_t kTextFavouriteNotSaved = 12309;
constexpr std::uint32_t kTextFavouriteRemovalNotSaved = 12310;
constexpr std::uint32_t kTextNoSetHeaders = 12311;
constexpr std::uint32_t kTextGpsInexact = 12312;
constexpr std::uint32_t kTextWarning = 344;
constexpr const char* kIniFileName = "nastaveni.ini";
constexpr const char* kIniTempFileName = "nasTemp.dat";
constexpr const char* kDownloadTempFile = "temp.jz";

// A path as the engine's text: the file system's UTF-8 through the program's strings.
std::string enginePath(const fs::path& path) {
    return toNarrowString(fromUtf8(path.string()));
}

}  // namespace

TimetableData::TimetableData(const EngineApi& api, AppSettings& settings, platform::services::Registry& registry,
                             UserNotice& notice)
    : api_(api), settings_(settings), registry_(registry), notice_(notice), ini_(api) {}

void TimetableData::showNotSaved(std::u16string_view text) const {
    notice_.showMessage(text, platform::resources::loadResString(kTextErrorCaption));
}

void TimetableData::showError(std::uint32_t textId) const {
    notice_.showMessage(platform::resources::loadResString(textId),
                        platform::resources::loadResString(kTextErrorCaption));
}

bool TimetableData::createEngine() {
    std::error_code ec;
    fs::create_directories(settings_.dataFolder, ec);
    const std::string ini = enginePath(settings_.dataFolder / kIniFileName);
    const std::string temp = enginePath(settings_.dataFolder / kIniTempFileName);
    std::int32_t version = ENGINE_INTERFACE_VERSION;
    const std::int32_t status =
        api_.api_vytvorJizdniRadyGlobal(ini.data(), engineLength(ini), temp.data(), engineLength(temp), &version);
    if (status == ENGINE_OUT_OF_MEMORY) {
        showError(kTextOutOfMemory);
        return false;
    }
    // Any other failure, and an engine that answers with another version, cannot be used.
    if (status != ENGINE_OK || version != kExpectedEngineVersion) {
        showError(kTextUnexpectedError);
        return false;
    }
    return true;
}

void TimetableData::scanTimetableFiles() {
    filePaths_.clear();
    fileNames_.clear();
    // The download folder is chosen afresh by every scan.
    settings_.downloadFolder.clear();
    settings_.downloadFolderFree = 0;
    listTimetableFiles(settings_.dataFolder);
    for (const fs::path& storage : readStorageFolders()) listTimetableFiles(storageDataFolder(storage));
}

void TimetableData::listTimetableFiles(const fs::path& folder) {
    std::error_code ec;
    const bool chosen = !settings_.downloadFolder.empty();
    if (fs::is_directory(folder, ec)) {
        const std::int64_t free = getFreeSpace(folder).value_or(0);
        if (!chosen || free > settings_.downloadFolderFree) {
            settings_.downloadFolder = folder;
            settings_.downloadFolderFree = free;
        }
    } else if (!chosen) {
        // A missing folder takes no space figure, so any existing folder with room replaces it.
        settings_.downloadFolder = folder;
        settings_.downloadFolderFree = 0;
    }
    fs::remove(folder / kDownloadTempFile, ec);
    for (const std::string& name : listFilesWithExtension(folder, ".jz")) addTimetableFile(name, folder);
}

void TimetableData::addTimetableFile(const std::string& name, const fs::path& folder) {
    if (std::find(fileNames_.begin(), fileNames_.end(), name) != fileNames_.end()) return;
    filePaths_.push_back(folder / name);
    fileNames_.push_back(name);
}

std::vector<fs::path> TimetableData::readStorageFolders() const {
    std::vector<fs::path> folders;
    auto text = registry_.readString(kProgramRegistryKey, kStoragePathValueName, kStoragePathMaxBytes);
    if (!text) return folders;
    text->erase(std::remove(text->begin(), text->end(), '$'), text->end());
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = text->find('|', start);
        const std::string part = text->substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (!part.empty() && part.front() == '/') folders.emplace_back(part);
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return folders;
}

void TimetableData::loadHeaders() {
    scanTimetableFiles();
    clearHeaders();
    std::vector<std::string> paths;
    for (const fs::path& path : filePaths_) paths.push_back(enginePath(path));
    std::vector<const char*> pointers;
    std::vector<std::int32_t> lengths;
    for (const std::string& path : paths) {
        pointers.push_back(path.data());
        lengths.push_back(engineLength(path));
    }
    std::int32_t count = 0;
    if (api_.api_nactiHlavicky(pointers.data(), lengths.data(), static_cast<std::int32_t>(paths.size()), &count) !=
        ENGINE_OK) {
        count = 0;
    }
    for (std::int32_t n = 0; n < count; ++n) loadHeader(n);
}

std::int32_t TimetableData::checkTimetableFile(const fs::path& file,
                                               platform::WindowHandle window) const {
    const std::string path = enginePath(file);
    std::int32_t status = ENGINE_LOAD_CANCELLED;
    const std::int32_t call = api_.api_zkontrolujJizdniRad(path.data(), engineLength(path), &status,
                                                           static_cast<TrasaWindow>(window));
    return call == ENGINE_OK ? status : call;
}

void TimetableData::loadHeader(std::int32_t index) {
    const char* texts[6] = {};
    std::int32_t lengths[6] = {};
    TimetableHeaderInfo h;
    std::uint8_t flagA = 0, city = 0, found = 0, coordinates = 0, exact = 0;
    const std::int16_t* codes = nullptr;
    std::int32_t codeCount = 0;
    const std::int32_t status = api_.api_getHlavicku(
        index, &texts[0], &texts[1], &texts[2], &texts[3], &texts[4], &texts[5], &lengths[0], &lengths[1],
        &lengths[2], &lengths[3], &lengths[4], &h.seriesNumber, &lengths[5], &h.identifier, &h.firstValidFrom,
        &h.firstValidTo, &h.secondValidFrom, &h.secondValidTo, &flagA, &city, &h.sortKey, &codes, &codeCount,
        &found, &coordinates, &exact);
    // The catalogue index must stay the index in the list: a header the engine cannot give
    // stays as an empty record.
    if (status == ENGINE_OK) {
        h.fileName = fromNarrowString(texts[0], lengths[0]);
        h.title = fromNarrowString(texts[1], lengths[1]);
        h.seriesName = fromNarrowString(texts[2], lengths[2]);
        h.firstText = fromNarrowString(texts[3], lengths[3]);
        h.secondText = fromNarrowString(texts[4], lengths[4]);
        h.thirdText = fromNarrowString(texts[5], lengths[5]);
        if (codes != nullptr && codeCount > 0) h.itemIds.assign(codes, codes + codeCount);
        h.hasTrainPosition = flagA != 0;
        h.cityFlag = city != 0;
        h.hasCoordinates = coordinates != 0;
        h.coordinatesExact = exact != 0;
    }
    headers_.push_back(std::move(h));
}

int TimetableData::findHeaderByName(std::u16string_view name) const {
    return pelorvant::findHeaderByName(headers_, name);
}

std::vector<std::int32_t> TimetableData::GetIndexyHlavicekSestavy(std::int32_t set) const {
    std::int32_t* raw = nullptr;
    std::int32_t count = 0;
    const std::int32_t status = api_.api_GetIndexyHlavicekSestavy(set, &raw, &count);
    EngineOwned<std::int32_t> indexes(raw);
    if (status != ENGINE_OK || indexes == nullptr || count < 1) return {};
    return std::vector<std::int32_t>(indexes.get(), indexes.get() + count);
}

const TimetableHeaderInfo* TimetableData::getSetHeader(std::int32_t set, std::int32_t n) const {
    const std::vector<std::int32_t> indexes = GetIndexyHlavicekSestavy(set);
    if (n < 0 || n >= static_cast<std::int32_t>(indexes.size())) return nullptr;
    const std::int32_t catalogue = indexes[static_cast<std::size_t>(n)];
    if (catalogue < 0 || catalogue >= static_cast<std::int32_t>(headers_.size())) return nullptr;
    return &headers_[static_cast<std::size_t>(catalogue)];
}

std::u16string TimetableData::getSetName(std::int32_t set) const {
    const std::int32_t count = static_cast<std::int32_t>(GetIndexyHlavicekSestavy(set).size());
    if (count < 1) {
        notice_.showMessage(platform::resources::loadResString(kTextNoSetHeaders),
                            platform::resources::loadResString(kTextErrorCaption));
        return {};
    }
    if (count == 1) {
        const TimetableHeaderInfo* h = getSetHeader(set, 0);
        return h != nullptr ? h->shortName() : std::u16string();
    }
    std::u16string name;
    for (std::int32_t n = 0; n < count; ++n) {
        const TimetableHeaderInfo* h = getSetHeader(set, n);
        if (n > 0) name += u"+";
        if (h != nullptr && !h->shortName().empty()) name += h->shortName().front();
    }
    return name;
}

std::vector<std::u16string> TimetableData::getSetTimetableNames(std::int32_t set) const {
    std::vector<std::u16string> names;
    const std::int32_t count = static_cast<std::int32_t>(GetIndexyHlavicekSestavy(set).size());
    for (std::int32_t n = 0; n < count; ++n) {
        if (const TimetableHeaderInfo* h = getSetHeader(set, n)) names.push_back(h->title);
    }
    return names;
}

bool TimetableData::anySetHeader(std::int32_t set, const std::function<bool(const TimetableHeaderInfo&)>& test) const {
    const std::int32_t count = static_cast<std::int32_t>(GetIndexyHlavicekSestavy(set).size());
    for (std::int32_t n = 0; n < count; ++n) {
        const TimetableHeaderInfo* h = getSetHeader(set, n);
        if (h != nullptr && test(*h)) return true;
    }
    return false;
}

bool TimetableData::setHasTrainPosition(std::int32_t set) const {
    return anySetHeader(set, [](const TimetableHeaderInfo& h) { return h.hasTrainPosition; });
}

bool TimetableData::setHasGpsPositions(std::int32_t set) const {
    return anySetHeader(set, [](const TimetableHeaderInfo& h) { return h.hasCoordinates; });
}

bool TimetableData::setListsItem(std::int32_t set, std::int16_t id) const {
    return anySetHeader(set, [id](const TimetableHeaderInfo& h) {
        return std::find(h.itemIds.begin(), h.itemIds.end(), id) != h.itemIds.end();
    });
}

bool TimetableData::anyHeaderListsItem(std::int16_t id) const {
    return std::any_of(headers_.begin(), headers_.end(), [id](const TimetableHeaderInfo& h) {
        return std::find(h.itemIds.begin(), h.itemIds.end(), id) != h.itemIds.end();
    });
}

void TimetableData::updateCategoryCounts(std::int32_t set) {
    const std::vector<std::int32_t> indexes = GetIndexyHlavicekSestavy(set);
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        std::int32_t count = 0;
        std::int32_t stopsKind = -1;
        if (api_.api_getPocetDruhuKategorii(set, static_cast<std::int32_t>(i), &count, &stopsKind) != ENGINE_OK) continue;
        const std::int32_t catalogue = indexes[i];
        if (catalogue >= 0 && catalogue < static_cast<std::int32_t>(headers_.size())) {
            headers_[static_cast<std::size_t>(catalogue)].categoryKindCount = count;
        }
    }
}

std::vector<std::u16string> TimetableData::GetSlouceneKategorie(std::int32_t set) const {
    std::vector<std::u16string> names;
    std::int32_t count = 0;
    if (api_.api_GetSlouceneKategorieLength(set, &count) != ENGINE_OK) return names;
    for (std::int32_t i = 0; i < count; ++i) {
        char* raw = nullptr;
        std::int32_t length = 0;
        const std::int32_t status = api_.api_GetSlouceneKategorieName(set, i, &raw, &length);
        EngineOwned<char> name(raw);
        if (status == ENGINE_OK) names.push_back(fromNarrowString(name.get(), length));
    }
    return names;
}

std::vector<SmsTicketEntry> TimetableData::GetSmsJizdenky(std::int32_t set) const {
    std::vector<SmsTicketEntry> tickets;
    std::int32_t count = 0;
    if (api_.api_GetPocetSmsJizdenek(set, &count) != ENGINE_OK) return tickets;
    for (std::int32_t i = 0; i < count; ++i) {
        char* raw[4] = {};
        std::int32_t lengths[4] = {};
        const std::int32_t status = api_.api_GetSmsJizdenku(set, i, &raw[0], &lengths[0], &raw[1], &lengths[1],
                                                           &raw[2], &lengths[2], &raw[3], &lengths[3]);
        EngineOwned<char> texts[4] = {EngineOwned<char>(raw[0]), EngineOwned<char>(raw[1]), EngineOwned<char>(raw[2]),
                                      EngineOwned<char>(raw[3])};
        if (status != ENGINE_OK) continue;
        tickets.push_back({fromNarrowString(texts[0].get(), lengths[0]), fromNarrowString(texts[1].get(), lengths[1]),
                           fromNarrowString(texts[2].get(), lengths[2]), fromNarrowString(texts[3].get(), lengths[3])});
    }
    return tickets;
}

std::u16string TimetableData::getNadlinka(std::int32_t set, std::int32_t timetable, std::int32_t line,
                                          std::int32_t& lineKind) const {
    std::int32_t length = 0;
    lineKind = -1;
    if (api_.api_getNadlinka_DelkyStringu(set, timetable, line, &length) != ENGINE_OK || length < 0) return {};
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    if (api_.api_getNadlinka(set, timetable, line, &lineKind, buffer.data()) != ENGINE_OK) return {};
    return fromNarrowString(buffer.data(), length);
}

void TimetableData::applySetSearchParams(std::int32_t set) {
    const std::int32_t count = static_cast<std::int32_t>(GetIndexyHlavicekSestavy(set).size());
    for (std::int32_t n = 0; n < count; ++n) {
        const TimetableHeaderInfo* h = getSetHeader(set, n);
        if (h == nullptr) continue;
        SetSearchParams record;
        loadSearchParams(record, api_, ini_, h->seriesName, set, n);
    }
}

void TimetableData::loadSetSearchParams(std::int32_t set) {
    setParams_.clear();
    const std::int32_t count = static_cast<std::int32_t>(GetIndexyHlavicekSestavy(set).size());
    for (std::int32_t n = 0; n < count; ++n) {
        const TimetableHeaderInfo* h = getSetHeader(set, n);
        if (h == nullptr) continue;
        SetSearchParams& record = setParams_.emplace_back();
        loadSearchParams(record, api_, ini_, h->seriesName, set, n);
        record.beginEdit();
    }
}

void TimetableData::saveSetSearchParams(std::int32_t set) {
    for (SetSearchParams& record : setParams_) {
        if (record.set == set) record.commitEdit(api_, ini_);
    }
    setParams_.clear();
}

std::int32_t TimetableData::FavouriteGet(std::int32_t set, TrasaPlace* places, std::int32_t& count) const {
    count = 0;
    if (api_.api_FavouriteGet(set, places, &count) != ENGINE_OK) count = 0;
    return 0;
}

std::int32_t TimetableData::FavouriteAdd(std::int32_t set, const TrasaPlace& place) const {
    std::int32_t result = -1;
    if (api_.api_FavouriteAdd(set, &place, &result) != ENGINE_OK) return -1;
    if (result == 0) {
        if (!ini_.flush())
            showNotSaved(platform::resources::loadResString(kTextFavouriteNotSaved));
    } else if (result == 2) {
        showError(kTextFavouritePresent);
    } else if (result == 3) {
        showError(kTextFavouriteListFull);
    }
    return result;
}

std::int32_t TimetableData::FavouriteDelete(std::int32_t set, const TrasaPlace& place) const {
    std::int32_t result = -1;
    if (api_.api_FavouriteDelete(set, &place, &result) != ENGINE_OK) return -1;
    if (result == 0) {
        if (!ini_.flush())
            showNotSaved(platform::resources::loadResString(kTextFavouriteRemovalNotSaved));
    } else if (result == 1) {
        showError(kTextFavouriteNotFound);
    }
    return result;
}

std::int32_t TimetableData::HistoryAdd(std::int32_t set, const TrasaPlace& place) const {
    std::int32_t result = 0;
    api_.api_HistoryAdd(set, &place, &result);
    return 0;
}

std::int32_t TimetableData::HistoryIncIdSearch(std::int32_t set) const {
    api_.api_HistoryIncIdSearch(set);
    return 0;
}

void TimetableData::showGpsWarning(const TimetableHeaderInfo& header) const {
    const std::u16string section = header.title + u"-setup";
    if (header.coordinatesExact || ini_.readBool(section, u"gpsWarning", false)) return;
    notice_.showMessage(resStringWith(kTextGpsInexact, header.title),
                        platform::resources::loadResString(kTextWarning));
    ini_.writeBool(section, u"gpsWarning", true);
}

}  // namespace pelorvant
