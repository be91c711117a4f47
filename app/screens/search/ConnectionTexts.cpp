#include "app/screens/search/ConnectionTexts.h"

#include "app/core/DateTexts.h"
#include "app/core/EngineTexts.h"
#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"

#include "platform/resources/StringTable.h"

#include <cstdlib>

namespace pelorvant {

namespace {

constexpr std::uint32_t kTextWalkLong = 345;  // "přesun %d minut"

void replaceAll(std::u16string& text, std::u16string_view what, std::u16string_view with) {
    for (std::size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

}  // namespace

std::u16string NoteKindToIcon(std::u16string_view mark) {
    if (mark == u"LINE_NAME" || mark == u"OWNER") return u"infoZ";
    if (mark == u"RESERV" || mark == u"RESERV2") return u"infoR";
    return u"infoO";
}

std::u16string BuildConnectionNotesText(const EngineApi& api, std::int32_t set, const cUsekSpojeni& leg) {
    const EngineTexts texts(api);
    const auto trip = static_cast<std::int32_t>(leg.trip);
    // The timetable's texts show as written; only the day placeholders become bold marks.
    std::u16string text = plainLabelText(texts.getDatumovouPoznamkuSpoje(set, leg.timetable, trip));
    if (!text.empty()) text = u"#*infoC*# " + text;
    replaceAll(text, u"{X}", u"<*b*>X<*b*>");
    for (char16_t d = u'1'; d <= u'7'; ++d) {
        const std::u16string digit(1, d);
        replaceAll(text, u"{" + digit + u"}", u"<*b*>" + digit + u"<*b*>");
    }
    replaceAll(text, u"{+}", u"<*b*>+<*b*>");
    std::int32_t* notes = nullptr;
    std::int32_t count = 0;
    if (api.api_GetPoznamkySpoje(set, leg.timetable, trip, &notes, &count) == ENGINE_OK) {
        for (std::int32_t i = 0; i < count; ++i) {
            if (!text.empty()) text += u"\r";
            text += u"#*" + NoteKindToIcon(texts.getPoznamkuOznaceni(set, leg.timetable, notes[i])) + u"*#";
            text += u" " + plainLabelText(texts.getPoznamkuText(set, leg.timetable, notes[i]));
        }
    }
    std::free(notes);
    return text;
}

std::u16string smsListingText(const std::vector<cConnectionRow>& rows, int count) {
    std::u16string text;
    for (int n = 0; n < count && n < static_cast<int>(rows.size()); ++n) {
        if (n > 0) text += u"; ";
        text += numberText(n + 1) + u".";
        const auto& items = rows[static_cast<std::size_t>(n)].items;
        for (std::size_t i = 0; i + 1 < items.size(); ++i) {
            const ConnectionRowItem& a = items[i];
            const ConnectionRowItem& b = items[i + 1];
            text += a.stop + u">" + b.stop;
            if (a.walking) {
                text += u"(" + a.walkText + u")";
            } else {
                text += u"(" + a.departureTime + u">" + b.arrivalTime + u"-" + a.lineName + u")";
            }
        }
    }
    return text;
}

bool calendarEntryOf(const EngineApi& api, const cConnectionRow& row, bool extendedForm, CalendarEntry& out) {
    if (row.legs.empty() || row.items.empty()) return false;
    // The journey's start and end as the row shows it now (a stepped leg moves them).
    const std::int64_t start = journeyStart(row.legs);
    const std::int64_t end = journeyEnd(row.legs);
    const auto dayOf = [](std::int64_t minutes) {
        return static_cast<std::int16_t>(minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440));
    };
    const auto minuteOf = [&](std::int64_t minutes) { return static_cast<int>(minutes - dayOf(minutes) * 1440LL); };
    std::uint8_t day = 0, month = 0;
    std::int16_t year = 0;
    if (api.api_ShortDenToDatum(dayOf(start), &day, &month, &year) != ENGINE_OK) return false;
    out.startDay = day;
    out.startMonth = month;
    out.startYear = year;
    out.startHour = minuteOf(start) / 60;
    out.startMinute = minuteOf(start) % 60;
    if (api.api_ShortDenToDatum(dayOf(end), &day, &month, &year) != ENGINE_OK) return false;
    out.endDay = day;
    out.endMonth = month;
    out.endYear = year;
    out.endHour = minuteOf(end) / 60;
    out.endMinute = minuteOf(end) % 60;
    out.subject = row.items.front().stop + u" - " + row.items.back().stop;
    out.extendedForm = extendedForm;
    out.body.clear();
    for (std::size_t i = 0; i + 1 < row.items.size(); ++i) {
        const ConnectionRowItem& a = row.items[i];
        const ConnectionRowItem& b = row.items[i + 1];
        if (a.walking) {
            if (a.stop != b.stop) {
                std::u16string walk = platform::resources::loadResString(kTextWalkLong);
                if (const std::size_t at = walk.find(u"%d"); at != std::u16string::npos) {
                    walk.replace(at, 2, numberText(a.walkMinutes));
                }
                if (!out.body.empty()) out.body += u"\r\n\r\n";
                out.body += walk;
                if (i + 2 == row.items.size()) out.body += u"\r\n\r\n" + b.stop;
            }
            continue;
        }
        if (!out.body.empty()) out.body += u"\r\n\r\n";
        out.body += a.lineName;
        out.body += u"\r\n" + a.departureTime + u"\t" + a.stop;
        out.body += u"\r\n" + b.arrivalTime + u"\t" + b.stop;
    }
    return true;
}

}  // namespace pelorvant
