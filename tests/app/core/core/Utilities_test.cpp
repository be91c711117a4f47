#include "app/core/Cp1250.h"
#include "app/core/CountryTables.h"
#include "app/core/DateTexts.h"
#include "app/core/FileUtils.h"
#include "app/core/TextConversion.h"
#include "CoreTestSupport.h"
#include "engine/data/Cp1250Text.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

// The program keeps its own copy of the engine's text tables (it links nothing of the engine);
// both must agree byte for byte or names would sort differently in the two.
TEST(Cp1250, TablesAgreeWithTheEngine) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(cp1250ToWideChar(byte), trasovnik::cp1250CharToWide(byte)) << b;
        EXPECT_EQ(cp1250Lower(byte), trasovnik::lowerByte(byte)) << b;
        EXPECT_EQ(cp1250Rank(byte), trasovnik::rankByte(byte)) << b;
    }
    for (char16_t c = 0; c < 0x2200; ++c) EXPECT_EQ(wideCharToCp1250(c), trasovnik::wideCharToCp1250(c)) << int(c);
}

TEST(Cp1250, CzechOrderPutsCaronLettersAfterTheirBase) {
    const std::string c = toNarrowString(u"Cyklo");
    const std::string cz = toNarrowString(u"\u010Clun");
    const std::string d = toNarrowString(u"Doprava");
    EXPECT_LT(collateCompare(c, cz), 0);
    EXPECT_LT(collateCompare(cz, d), 0);
    EXPECT_EQ(collateCompare(toNarrowString(u"BUS"), toNarrowString(u"bus")), 0);
    EXPECT_LT(collateCompare("bus", "busy"), 0);
    EXPECT_EQ(lowerText(u"\u0160KODA Ostrava \u2603"), u"\u0161koda ostrava \u2603");
}

TEST(TextConversion, RoundTripsAndMarksWhatTheCodePageLacks) {
    const std::u16string text = u"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148";
    const std::string narrow = toNarrowString(text);
    EXPECT_EQ(narrow.size(), text.size());
    EXPECT_EQ(fromNarrowString(narrow), text);
    EXPECT_EQ(toNarrowString(u"a\u00C3b"), std::string("a\0b", 3));
    EXPECT_EQ(fromNarrowString("\x8A", 1), u"\u0160");
    EXPECT_EQ(fromNarrowString(nullptr, 5), u"");
    EXPECT_EQ(fromNarrowString("abc", -1), u"");
}

TEST(DateTexts, TimesAndDurations) {
    EXPECT_EQ(formatMinutesAsTime(65), u"1:05");
    EXPECT_EQ(formatMinutesAsTime(600), u"10:00");
    EXPECT_EQ(formatDurationText(45), u"45 min");
    EXPECT_EQ(formatDurationText(125), u"2 h 5 min");
    EXPECT_EQ(formatDurationText(60), u"1 h 0 min");
    EXPECT_EQ(msToRoundedSeconds(1500), 1);
    EXPECT_EQ(msToRoundedSeconds(1501), 2);
    EXPECT_EQ(formatDateText(4, 1, 2027), u"4.1.2027");
    EXPECT_EQ(formatDateTimeText(DateTimeParts{7, 5, 10, 12, 2026}), u"7:05 10. 12. 2026");
    EXPECT_EQ(minInt(-3, 2), -3);
    const std::int32_t table[] = {0, 0, 30, 1, 0, 60, 2, 0, 120};
    EXPECT_EQ(choiceIndexForValue(table, 3, 3, 45), 1);
    EXPECT_EQ(choiceIndexForValue(table, 3, 3, 30), 0);
    EXPECT_EQ(choiceIndexForValue(table, 3, 3, 500), 0);
}

TEST(DateTexts, DayNumbersThroughTheEngine) {
    const auto library = EngineLibrary::open(TRASA_LIBRARY_PATH);
    const EngineApi& api = library->api();
    std::int16_t day = 0;
    ASSERT_EQ(api.api_DatumToShortDen(10, 12, 2026, &day), ENGINE_OK);
    EXPECT_EQ(dayNumberToDateText(api, day), u"10.12.2026");
    EXPECT_EQ(dayNumberToDayMonthText(api, day), u"10. 12.");
    EXPECT_EQ(dayNumberToYearText(api, day), u"2026");
    EXPECT_EQ(dayRangeText(api, 0, 1), u"1.1.2004-2.1.2004");
}

TEST(Texts, MissingStringIdGivesQuestionMarks) {
    EXPECT_EQ(platform::resources::loadResString(1), u"???");
    EXPECT_EQ(platform::resources::loadResString(128), u"Pelorvant");
}

TEST(CountryTables, LanguageIndexesTheTablesAndStrayIndexesReadAsCzech) {
    EXPECT_EQ(countryCode(0), u"CZ");
    EXPECT_EQ(countryCode(1), u"SK");
    EXPECT_EQ(countryCode(7), u"CZ");
    EXPECT_EQ(countryName(0), u"\u010CR");
    EXPECT_EQ(languageName(1), u"Sloven\u0161tina");
    EXPECT_NE(updateInfoAddress(1).find(u"pelorakt.ini"), std::u16string_view::npos);
    EXPECT_NE(updatePageAddress(1).find(u"os=ppc"), std::u16string_view::npos);
    EXPECT_EQ(indexInCodeTable(1000), 0);
    EXPECT_EQ(indexInCodeTable(2000), 1);
    EXPECT_EQ(indexInCodeTable(3000), 0);
}

TEST(FileUtils, PathsAndParts) {
    EXPECT_EQ(folderOfPath(u"/opt/pelorvant/pelorvant"), u"/opt/pelorvant/");
    EXPECT_EQ(folderOfPath(u"\\Storage Card\\x.jz"), u"\\Storage Card\\");
    EXPECT_EQ(folderOfPath(u"A:file"), u"A/");
    EXPECT_EQ(folderOfPath(u"file"), u"");
    EXPECT_EQ(splitString(u"a|b,,c", u"|,"), (std::vector<std::u16string>{u"a", u"b", u"", u"c"}));
    EXPECT_EQ(findSubstring(u"hello", u"ll"), 2u);
    EXPECT_EQ(findSubstring(u"hello", u"x"), std::nullopt);
    EXPECT_EQ(getProgramFolder(), fs::canonical("/proc/self/exe").parent_path());
}

TEST(FileUtils, FilesSizesAndFreeSpace) {
    testing::TempFolder folder;
    const fs::path file = folder.path() / "log.txt";
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(getFileSize(file), -1);
    ASSERT_TRUE(appendToFile(file, "abc"));
    ASSERT_TRUE(appendToFile(file, "de"));
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(fileExists(folder.path()));
    EXPECT_EQ(getFileSize(file), 5);
    EXPECT_EQ(getFileSize(folder.path()), -1);
    EXPECT_FALSE(appendToFile(folder.path() / "no" / "such", "x"));
    const auto free = getFreeSpace(folder.path());
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0);
    EXPECT_EQ(getFreeSpace(folder.path() / "missing"), std::nullopt);
}

// Disks of 2 TiB and more: the kilobytes go on counting instead of wrapping round to a small
// figure that would refuse a download for want of space.
TEST(FileUtils, FreeSpaceCountsBeyondTwoTebibytes) {
    struct Row {
        std::uint64_t blocks;
        std::uint64_t blockSize;
        std::int64_t kilobytes;
    };
    for (const Row& r : {Row{1, 4096, 4}, Row{3, 512, 1}, Row{0, 4096, 0}, Row{1000, 0, 0},
                         Row{(1ull << 41) / 4096, 4096, 1ll << 31},            // 2 TiB
                         Row{(5ull << 40) / 4096, 4096, 5ll << 30},            // 5 TiB
                         Row{~0ull, 65536, INT64_MAX}, Row{1ull << 20, ~0ull, INT64_MAX}}) {
        EXPECT_EQ(freeKilobytes(r.blocks, r.blockSize), r.kilobytes) << r.blocks << " x " << r.blockSize;
    }
}

TEST(FileUtils, TimetableFilesMatchTheExtensionInAnyCase) {
    testing::TempFolder folder;
    for (const char* name : {"b.jz", "A.JZ", "c.Jz", "d.jzx", "e.txt", ".jz"}) testing::writeFile(folder.path() / name, "x");
    fs::create_directories(folder.path() / "dir.jz");
    EXPECT_EQ(listFilesWithExtension(folder.path(), ".jz"), (std::vector<std::string>{"A.JZ", "b.jz", "c.Jz"}));
    EXPECT_TRUE(listFilesWithExtension(folder.path() / "missing", ".jz").empty());
}

}  // namespace
}  // namespace pelorvant
