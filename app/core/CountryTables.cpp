#include "app/core/CountryTables.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {
namespace {

template <typename T>
T pick(const T (&table)[2], std::int32_t language) {
    return table[language == 1 ? 1 : 0];
}

}  // namespace

std::u16string_view updateInfoAddress(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"http://data.pelorvant.cz/aktualizace/pelorakt.ini",
                                                      u"http://www.pelorvant.sk/aktualizacia/pelorakt.ini"};
    return pick(kTable, language);
}

std::u16string_view programVersionAddress() {
    return u"http://www.pelorvant.cz/program/pelorakt.ini";
}

std::u16string_view updatePageAddress(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"http://www.pelorvant.cz/aktualizace/",
                                                      u"http://www.pelorvant.sk/aktualizacia/?os=ppc"};
    return pick(kTable, language);
}

std::u16string countryName(std::int32_t language) {
    // The short names as the running language writes them.
    static constexpr std::uint32_t kTextCountries[2] = {12339, 12340};
    return platform::resources::loadResString(pick(kTextCountries, language));
}

std::u16string_view countryCode(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"CZ", u"SK"};
    return pick(kTable, language);
}

std::u16string languageName(std::int32_t language) {
    // The names as the running language writes them.
    static constexpr std::uint32_t kTextLanguages[2] = {12313, 12314};
    return platform::resources::loadResString(pick(kTextLanguages, language));
}

int indexInCodeTable(std::int32_t value) {
    return value == 2000 ? 1 : 0;
}

}  // namespace pelorvant
