#include "app/core/CountryTables.h"

namespace pelorvant {
namespace {

std::u16string_view pick(const std::u16string_view (&table)[2], std::int32_t language) {
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

std::u16string_view countryName(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"\u010CR", u"SK"};
    return pick(kTable, language);
}

std::u16string_view countryCode(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"CZ", u"SK"};
    return pick(kTable, language);
}

std::u16string_view languageName(std::int32_t language) {
    static constexpr std::u16string_view kTable[2] = {u"\u010Ce\u0161tina", u"Sloven\u0161tina"};
    return pick(kTable, language);
}

int indexInCodeTable(std::int32_t value) {
    return value == 2000 ? 1 : 0;
}

}  // namespace pelorvant
