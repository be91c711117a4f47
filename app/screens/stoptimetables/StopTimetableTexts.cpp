#include "app/screens/stoptimetables/StopTimetableTexts.h"

#include "platform/resources/StringTable.h"

#include <span>

namespace pelorvant {

namespace {

struct Placeholder {
    std::u16string_view name;
    std::uint32_t textId;
};

// In the order they are replaced.
constexpr Placeholder kDayPlaceholders[] = {
    {u"{stDateWorkingDays}", 390}, {u"{stDateDaily}", 391},    {u"{stDateFriday}", 392},
    {u"{stDateHolidays}", 393},    {u"{stDateMonday}", 394},   {u"{stDateSaturday}", 395},
    {u"{stDateSunday}", 396},      {u"{stDateThursday}", 397}, {u"{stDateTuesday}", 398},
    {u"{stDateWednesday}", 399},   {u"{stDateWeekend}", 400},
};
constexpr Placeholder kRoutePlaceholders[] = {
    {u"{stDoesNotRunThrough}", 401},
    {u"{stEndsAt}", 402},
    {u"{stRunsThourgh}", 403},
};

std::u16string replaceAll(std::u16string_view text, std::span<const Placeholder> placeholders) {
    std::u16string out(text);
    for (const Placeholder& p : placeholders) {
        const std::u16string replacement = platform::resources::loadResString(p.textId);
        std::size_t at = 0;
        while ((at = out.find(p.name, at)) != std::u16string::npos) {
            out.replace(at, p.name.size(), replacement);
            at += replacement.size();
        }
    }
    return out;
}

}  // namespace

std::u16string replaceDayPlaceholders(std::u16string_view text) { return replaceAll(text, kDayPlaceholders); }

std::u16string replaceRoutePlaceholders(std::u16string_view text) { return replaceAll(text, kRoutePlaceholders); }

std::u16string trimNoteText(std::u16string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    if (text.substr(begin, end - begin).ends_with(u", "))
        end -= 2;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return std::u16string(text.substr(begin, end - begin));
}

std::u16string noteLetter(std::int32_t n) {
    if (n < 0) return {};
    std::u16string letters;
    std::int64_t rest = static_cast<std::int64_t>(n) + 1;
    while (rest > 0) {
        --rest;
        letters.insert(letters.begin(), static_cast<char16_t>(u'A' + rest % 26));
        rest /= 26;
    }
    return letters;
}

}  // namespace pelorvant
