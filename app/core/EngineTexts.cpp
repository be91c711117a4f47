#include "app/core/EngineTexts.h"

#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"
#include "platform/resources/StringTable.h"

#include <vector>

namespace pelorvant {
namespace {

constexpr std::uint32_t kTextGpsPosition = 425;

// Calls an export that hands over a new text and widens it; "" when the call fails.
template <typename Call>
std::u16string engineText(Call&& call) {
    char* raw = nullptr;
    std::int32_t length = 0;
    const std::int32_t status = call(&raw, &length);
    EngineOwned<char> text(raw);
    return status == ENGINE_OK ? fromNarrowString(text.get(), length) : std::u16string();
}

// Calls an export that hands over a new array of note indexes.
template <typename Call>
std::vector<std::int32_t> engineIndexes(Call&& call) {
    std::int32_t* raw = nullptr;
    std::int32_t count = 0;
    const std::int32_t status = call(&raw, &count);
    EngineOwned<std::int32_t> indexes(raw);
    if (status != ENGINE_OK || indexes == nullptr || count < 1) return {};
    return std::vector<std::int32_t>(indexes.get(), indexes.get() + count);
}

}  // namespace

std::u16string EngineTexts::getNazevElementuKategorie(int set, int timetable, int kind, int element) const {
    return engineText([&](char** t, std::int32_t* n) {
        return api_.api_GetNazevElementuKategorie(set, timetable, kind, element, t, n);
    });
}

std::u16string EngineTexts::getDruhKategorie(int set, int timetable, int kind) const {
    return engineText([&](char** t, std::int32_t* n) { return api_.api_getDruhKategorie(set, timetable, kind, t, n); });
}

std::u16string EngineTexts::getDruhLinky(int set, int timetable, int lineKind) const {
    return engineText([&](char** t, std::int32_t* n) {
        std::int32_t colour = 0;
        std::uint8_t mayUse = 0;
        return api_.api_GetDruhLinky(set, timetable, lineKind, t, n, &colour, &mayUse);
    });
}

std::u16string EngineTexts::getNazevZastavky(int set, int timetable, std::uint16_t stop) const {
    if (stop == kGpsPositionStop) return platform::resources::loadResString(kTextGpsPosition);
    return engineText([&](char** t, std::int32_t* n) { return api_.api_GetNazevZastavky(set, timetable, stop, t, n); });
}

std::u16string EngineTexts::getNazevLinky(int set, int timetable, int trip) const {
    return engineText([&](char** t, std::int32_t* n) { return api_.api_GetNazevLinky(set, timetable, trip, t, n); });
}

std::u16string EngineTexts::getPoznamkuText(int set, int timetable, int note) const {
    return engineText([&](char** t, std::int32_t* n) { return api_.api_GetPoznamkuText(set, timetable, note, t, n); });
}

std::u16string EngineTexts::getPoznamkuOznaceni(int set, int timetable, int note) const {
    return engineText(
        [&](char** t, std::int32_t* n) { return api_.api_GetPoznamkuOznaceni(set, timetable, note, t, n); });
}

std::u16string EngineTexts::getDatumovouPoznamkuSpoje(int set, int timetable, int trip) const {
    return engineText(
        [&](char** t, std::int32_t* n) { return api_.api_GetDatumovouPoznamkuSpoje(set, timetable, trip, t, n); });
}

std::u16string EngineTexts::getPoznamkyZastavky(int set, int timetable, std::uint16_t stop) const {
    const auto notes = engineIndexes(
        [&](std::int32_t** a, std::int32_t* n) { return api_.api_GetPoznamkyZastavky(set, timetable, stop, a, n); });
    std::u16string text;
    for (std::int32_t note : notes) {
        if (!text.empty()) text += u" ";
        text += getPoznamkuOznaceni(set, timetable, note);
    }
    return text;
}

std::u16string EngineTexts::getZastavkaSPoznamkami(int set, int timetable, std::uint16_t stop) const {
    std::u16string text = getNazevZastavky(set, timetable, stop);
    if (stop == kGpsPositionStop) return text;
    const std::u16string marks = getPoznamkyZastavky(set, timetable, stop);
    if (!marks.empty()) text += u" " + marks;
    return text;
}

std::u16string EngineTexts::getPoznamkyPrujezdu(int set, int timetable, int trip, int position) const {
    const auto notes = engineIndexes([&](std::int32_t** a, std::int32_t* n) {
        return api_.api_GetPoznamkyPrujezdu(set, timetable, trip, position, a, n);
    });
    std::u16string text;
    for (std::int32_t note : notes) {
        if (!text.empty()) text += u", ";
        text += getPoznamkuOznaceni(set, timetable, note) + u": " + getPoznamkuText(set, timetable, note);
    }
    return text;
}

std::u16string EngineTexts::getRadekZastavky(int set, int timetable, std::uint16_t stop, int trip, int position,
                                             std::u16string_view suffix) const {
    std::u16string text = plainLabelText(getZastavkaSPoznamkami(set, timetable, stop));
    text += suffix;
    const std::u16string passage = getPoznamkyPrujezdu(set, timetable, trip, position);
    if (!passage.empty()) text += u"\r\t" + plainLabelText(passage);
    return text;
}

}  // namespace pelorvant
