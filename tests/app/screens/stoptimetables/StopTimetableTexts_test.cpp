// The engine's placeholders replaced by the program's texts, and the letters of the notes.
#include "app/screens/stoptimetables/StopTimetableTexts.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

struct TextCase {
    std::u16string engine;
    std::u16string shown;
};

TEST(StopTimetableTexts, DayPlaceholdersAreReplacedAndAnythingElseStaysAsWritten) {
    const TextCase cases[] = {
        {u"{stDateWorkingDays}", u"Pracovní dny"},
        {u"{stDateSaturday} + {stDateHolidays}", u"Sobota + Svátky"},
        {u"{stDateMonday}-{stDateThursday}", u"Pondělí-Čtvrtek"},
        {u"{stDateWeekend}{stDateWeekend}", u"VíkendVíkend"},
        {u"5.3.2012", u"5.3.2012"},
        {u"", u""},
        // Unknown, unterminated or broken placeholders are shown as the engine wrote them.
        {u"{stDateSomeday}", u"{stDateSomeday}"},
        {u"{stDateMonday", u"{stDateMonday"},
        {u"{{stDateSunday}}", u"{Neděle}"},
        {u"}{", u"}{"},
        // Route placeholders are not day placeholders.
        {u"{stEndsAt} X", u"{stEndsAt} X"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(replaceDayPlaceholders(c.engine), c.shown);
}

TEST(StopTimetableTexts, RoutePlaceholdersKeepTheSpaceTheEngineWritesAfterThem) {
    EXPECT_EQ(replaceRoutePlaceholders(u" {stRunsThourgh} Náměstí, Divadlo, {stEndsAt} Nádraží"),
              u" jede přes zastávky Náměstí, Divadlo, končí v zastávce Nádraží");
    EXPECT_EQ(replaceRoutePlaceholders(u" {stDoesNotRunThrough} Škola, "), u" nejede přes zastávky Škola, ");
    EXPECT_EQ(replaceRoutePlaceholders(u"{stRunsThourgh"), u"{stRunsThourgh");
}

TEST(StopTimetableTexts, ANoteLosesTheLeadingSpaceAndTheCommaAfterItsLastList) {
    const TextCase cases[] = {
        {u" {stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží, ",
         u"{stRunsThourgh} Škola, {stDoesNotRunThrough} Nádraží"},
        {u" {stDoesNotRunThrough} Škola, ", u"{stDoesNotRunThrough} Škola"},
        {u" {stRunsThourgh} Náměstí, Divadlo, {stEndsAt} Nádraží",
         u"{stRunsThourgh} Náměstí, Divadlo, {stEndsAt} Nádraží"},
        {u" {stEndsAt} Nádraží", u"{stEndsAt} Nádraží"},
        // Only the engine's one separator goes: a comma that is part of a stop's name stays.
        {u" {stEndsAt} Konec,", u"{stEndsAt} Konec,"},
        {u", ", u""},
        {u"  ", u""},
        {u"", u""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(trimNoteText(c.engine), c.shown);
}

TEST(StopTimetableTexts, NotesAreLetteredBeyondZWithoutRepeatingALetter) {
    const std::pair<std::int32_t, std::u16string> cases[] = {
        {0, u"A"}, {1, u"B"}, {25, u"Z"}, {26, u"AA"}, {27, u"AB"}, {51, u"AZ"}, {52, u"BA"},
        {701, u"ZZ"}, {702, u"AAA"}, {-1, u""},
    };
    for (const auto& [n, letter] : cases) EXPECT_EQ(noteLetter(n), letter) << n;
}

}  // namespace
}  // namespace pelorvant
