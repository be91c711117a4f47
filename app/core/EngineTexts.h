#pragma once
// Names and notes of a loaded set, as the program's strings. A failing engine call gives "".
#include "app/core/EngineBinding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// The stop index that stands for the current GPS position.
inline constexpr std::uint16_t kGpsPositionStop = 0xFFFF;

class EngineTexts {
public:
    // api must outlive the object.
    explicit EngineTexts(const EngineApi& api) : api_(api) {}

    std::u16string getNazevElementuKategorie(int set, int timetable, int kind, int element) const;
    std::u16string getDruhKategorie(int set, int timetable, int kind) const;
    // The name of a line kind ("Bus", "Tram").
    std::u16string getDruhLinky(int set, int timetable, int lineKind) const;
    // Stop 0xFFFF gives text 425 ("akt. GPS pozice").
    std::u16string getNazevZastavky(int set, int timetable, std::uint16_t stop) const;
    std::u16string getNazevLinky(int set, int timetable, int trip) const;
    std::u16string getPoznamkuText(int set, int timetable, int note) const;
    std::u16string getPoznamkuOznaceni(int set, int timetable, int note) const;
    std::u16string getDatumovouPoznamkuSpoje(int set, int timetable, int trip) const;
    // The marks of the stop's notes joined by " ".
    std::u16string getPoznamkyZastavky(int set, int timetable, std::uint16_t stop) const;
    // The stop's name, then " " and its note marks when it has any.
    std::u16string getZastavkaSPoznamkami(int set, int timetable, std::uint16_t stop) const;
    // Each note of a passage as "mark: text", joined by ", ".
    std::u16string getPoznamkyPrujezdu(int set, int timetable, int trip, int position) const;
    // Label markup: getZastavkaSPoznamkami + suffix, then "\r\t" and the passage notes when
    // there are any; the timetable's texts in it show as written (plainLabelText).
    std::u16string getRadekZastavky(int set, int timetable, std::uint16_t stop, int trip, int position,
                                    std::u16string_view suffix) const;

private:
    const EngineApi& api_;
};

}  // namespace pelorvant
