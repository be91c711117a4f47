#include "app/core/UpdateInfo.h"

#include "app/core/FileDigest.h"
#include "app/core/HeaderLookup.h"
#include "app/core/IniText.h"
#include "app/core/TextConversion.h"
#include "platform/resources/StringTable.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace pelorvant {
namespace {

constexpr std::uint32_t kUnknownSizeText = 327;

// A day number as the file writes it; nothing when it is no number of 16 bits.
std::optional<std::int16_t> parseDay(std::u16string_view text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    std::int32_t value = 0;
    std::size_t i = 0;
    const bool negative = text[0] == u'-';
    if (negative) ++i;
    if (i == text.size()) return std::nullopt;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + (text[i] - u'0');
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

OfferedTimetable offered(const IniText& ini, const std::u16string& name, std::int16_t day,
                         const DayTextFunction& dayText) {
    OfferedTimetable row;
    row.name = name;
    row.day = day;
    row.versionText = dayText(day);
    row.sizeText = iniTextGetString(u"size", name, platform::resources::loadResString(kUnknownSizeText), ini);
    row.description = iniTextGetString(u"desc", name, name, ini);
    row.sha256 = toUtf8(iniTextGetString(fromUtf8(kDigestSection), name, u"", ini));
    return row;
}

// Calls visit(name, day) for every well-formed entry of section "tt"; returns "dir".
template <typename Visit>
std::u16string readOffer(IniText& ini, Visit visit) {
    ini.parseFile(0);
    std::vector<std::u16string> names;
    std::vector<std::u16string> days;
    iniTextGetSection(u"tt", names, days, ini);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (const auto day = parseDay(days[i])) visit(names[i], *day);
    }
    return iniTextGetString(u"setup", u"dir", u"", ini);
}

}  // namespace

bool isTimetableUpdateNewer(const std::vector<TimetableHeaderInfo>& headers, std::u16string_view name,
                            std::int32_t offeredDay) {
    const int index = findHeaderByName(headers, name);
    return index >= 0 && headers[static_cast<std::size_t>(index)].firstValidFrom < offeredDay;
}

UpdateOffer listTimetableUpdates(const std::filesystem::path& updateInfoFile,
                                 const std::vector<TimetableHeaderInfo>& headers, const std::vector<int>* indexes,
                                 const DayTextFunction& dayText) {
    UpdateOffer offer;
    IniText ini(updateInfoFile);
    offer.dir = readOffer(ini, [&](const std::u16string& name, std::int16_t day) {
        const int index = findHeaderByName(headers, name);
        if (index < 0 || !isTimetableUpdateNewer(headers, name, day)) return;
        if (indexes && std::find(indexes->begin(), indexes->end(), index) == indexes->end()) return;
        offer.rows.push_back(offered(ini, name, day, dayText));
    });
    return offer;
}

UpdateOffer listNewTimetables(const std::filesystem::path& updateInfoFile,
                              const std::vector<TimetableHeaderInfo>& headers, const DayTextFunction& dayText) {
    UpdateOffer offer;
    IniText ini(updateInfoFile);
    offer.dir = readOffer(ini, [&](const std::u16string& name, std::int16_t day) {
        if (findHeaderByName(headers, name) < 0) offer.rows.push_back(offered(ini, name, day, dayText));
    });
    return offer;
}

std::u16string getNewAppVersion(const std::filesystem::path& programVersionFile, bool checkAppAct,
                                std::int32_t buildNumber) {
    if (!checkAppAct) return {};
    IniText ini(programVersionFile);
    ini.parseFile(0);
    if (iniTextGetInt(u"setup", u"last", -1, ini) <= buildNumber) return {};
    return iniTextGetString(u"setup", u"version", u"", ini);
}

}  // namespace pelorvant
