#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using platform::resources::loadResString;

struct TextCase {
    std::uint32_t id;
    const char16_t* text;
};

// Texts with diacritics, control characters, quotes, trailing blanks and format marks, which
// must reach the program exactly.
const TextCase kExactTexts[] = {
    {350, u"Ano"},
    {351, u"Ne"},
    {162, u"Chyba"},
    {344, u"Upozornění"},
    {128, u"Pelorvant"},
    {167, u"Nová záložka"},
    {398, u"Úterý"},
    {414, u"ZJŘ"},
    {181, u"Platnost: "},
    {270, u"\rPlatnost:"},
    {345, u"přesun %d minut"},
    {356,
     u"Vybrané jízdní řády nelze načíst najednou! Jízdní řád: '%s' pochází z jiného zdroje, "
     u"než ostaní vybrané jízdní řády."},
    {357,
     u"V průběhu hledání došlo k vyčerpání operační paměti!\r\n\r\nUvolněte víc paměti a "
     u"zkuste to znovu. Nejvíce paměti uvolníte restartem vašeho zařízení."},
    {129,
     u"Můžete vytvořit maximálně deset záložek!\n\nPro vytvoření nové záložky musíte zavřít "
     u"některou již vytvořenou záložku."},
    {278,
     u"Opravdu chcete odeslat žádost o SMS jízdenku na tel. číslo dopravního podniku? "
     u"\nUpozornění: tato služba je zpoplatněna částkou %s."},
    {304, u"<*b*>Jazyk<*b*>\r\rJaký jazyk má být v aplikaci použit."},
    {426, u"V blízkosti daného GPS bodu se nenachází žadná zastávka."},
    {138, u"Chyba při načítání knihovny Trasovnik.dll!"},
    {226, u"5 dní"},
    {250, u"50"},
    {12009, u"Zařízení nemá modem, který umí posílat SMS zprávy."},
};

TEST(StringTable, TextsComeOutExactly) {
    for (const TextCase& c : kExactTexts) {
        EXPECT_EQ(loadResString(c.id), std::u16string(c.text)) << "string " << c.id;
    }
}

TEST(StringTable, QuotesInsideTextsSurvive) {
    std::u16string gsm = loadResString(164);
    EXPECT_NE(gsm.find(u"s názvem: \"Poloha vlaku\" a u jízdního řádu pražské MHD polozka "
                       u"\"SMS jízdenka\". Tato"),
              std::u16string::npos);
    std::u16string interval = loadResString(264);
    EXPECT_NE(interval.find(u"(Parametr 'Minimální počet výsledků\" je možné"),
              std::u16string::npos);
}

// Every string id that the program's screens, threads and utilities name with a text.
const std::uint32_t kUsedIds[] = {
    128,   129,   133,   134,   135,   136,   138,   143,   144,   145, 146,   150,   151,   152,
    153,   154,   155,   156,   157,   158,   160,   161,   162,   163, 164,   167,   168,   169,
    170,   171,   172,   173,   174,   175,   176,   177,   178,   179, 180,   181,   182,   184,
    186,   189,   190,   192,   193,   194,   195,   196,   197,   198, 199,   200,   201,   202,
    205,   206,   207,   208,   209,   210,   211,   218,   226,   227, 242,   243,   250,   251,
    252,   253,   254,   256,   257,   258,   259,   260,   261,   262, 263,   264,   265,   266,
    267,   268,   269,   270,   271,   272,   273,   275,   277,   278, 279,   280,   282,   283,
    284,   285,   286,   287,   288,   289,   291,   292,   293,   294, 295,   296,   297,   298,
    299,   300,   301,   303,   304,   305,   307,   308,   317,   318, 319,   320,   321,   322,
    323,   324,   325,   326,   327,   329,   332,   333,   334,   335, 344,   345,   346,   348,
    349,   350,   351,   352,   356,   357,   358,   359,   360,   361, 362,   363,   366,   367,
    368,   369,   370,   371,   372,   373,   374,   375,   376,   377, 378,   379,   380,   381,
    382,   383,   384,   386,   387,   388,   389,   390,   391,   392, 393,   394,   395,   396,
    397,   398,   399,   400,   401,   402,   403,   404,   405,   406, 407,   408,   409,   410,
    411,   412,   413,   414,   423,   424,   425,   426,   427,   428, 429,   430,   431,   432,
    433,   434,   435,   436,   437,   438,   439,   440,   441,   442, 12000, 12001, 12002, 12003,
    12004, 12005, 12006, 12007, 12008, 12009, 12010, 12011, 12012, 12013, 12014, 12015,
};

TEST(StringTable, EveryUsedIdResolves) {
    for (std::uint32_t id : kUsedIds) {
        std::u16string text = loadResString(id);
        EXPECT_NE(text, u"???") << "string " << id;
        EXPECT_FALSE(text.empty()) << "string " << id;
    }
}

TEST(StringTable, ValueRowsFollowTheirBlocks) {
    // The interval rows run from "1 hod." to "5 dní" and the number rows from "0" to "50".
    EXPECT_EQ(loadResString(211), u"1 hod.");
    EXPECT_EQ(loadResString(222), u"1 den");
    const char16_t* numbers[] = {u"0",  u"1",  u"2",  u"3",  u"4",  u"5",  u"6",  u"7",
                                 u"8",  u"9",  u"10", u"12", u"14", u"16", u"18", u"20",
                                 u"22", u"25", u"27", u"30", u"35", u"40", u"45", u"50"};
    for (std::uint32_t i = 0; i < 24; ++i) {
        EXPECT_EQ(loadResString(227 + i), numbers[i]) << "string " << 227 + i;
    }
}

TEST(StringTable, MissingIdGivesQuestionMarks) {
    // 203 is named by a screen without a text, 290 lies between two texts; the others lie
    // outside the table.
    for (std::uint32_t id : {0u, 1u, 127u, 203u, 290u, 443u, 11999u, 65535u, 0xFFFFFFFFu}) {
        EXPECT_EQ(loadResString(id), u"???") << "string " << id;
    }
}

}  // namespace
