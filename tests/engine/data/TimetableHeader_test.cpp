#include "engine/data/TimetableHeader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;
using testing::openContent;

// The header of `doc` compiled for the version it names and read back.
cHlavicka roundTrip(const json& doc) {
    jz::ContainerOptions options = jz::containerOptionsOf(doc);
    jz::CompileContext ctx{doc};
    ctx.major = static_cast<int>(options.major);
    ctx.minor = static_cast<int>(options.minor);
    jz::indexSourceObjects(ctx);
    jz::ContentWriter out;
    jz::compileHeader(ctx, out);
    out.u32(0xC0FFEE);  // what follows the header must be the next thing read
    auto reader = openContent(out, options.major, options.minor);
    cHlavicka h = nactiHlavicku(*reader);
    EXPECT_EQ(reader->readU32(), 0xC0FFEEu);
    return h;
}

json fullHeader(const std::string& version) {
    json doc = json::parse(R"({
      "header": { "title": "Autobusy 27", "kind": "BUS",
                  "texts": ["první", "Čáslav", "třetí"],
                  "validity": [{ "from": "2027-01-01", "to": "2027-12-31" }, { "from": 5, "to": -3 }],
                  "flagA": true, "sortKey": 77, "identifier": -12, "sourceCode": 1,
                  "codes": [1000, -5] }
    })");
    doc["version"] = version;
    return doc;
}

TEST(TimetableHeader, SeriesNameDerivation) {
    struct Case {
        const char* title;
        const char* series;
        int number;
    };
    const Case cases[] = {
        {"Vlaky 07/08", "Vlaky ?\?/08", 7},
        {"Linky 123", "Linky 1??", 23},
        {"12345", "123??", 45},
        {"Linka 5", "Linka 5", -1},
        {"a1b22c", "a1b??c", 22},
        {"", "", -1},
        {"99", "??", 99},
    };
    for (const Case& c : cases) {
        SeriesName s = deriveSeriesName(c.title);
        EXPECT_EQ(s.name, c.series) << c.title;
        EXPECT_EQ(s.number, c.number) << c.title;
    }
}

TEST(TimetableHeader, SeriesNameOfATitleLongerThanTheOldWorkArea) {
    std::string title(300, 'x');
    title += " 26";
    SeriesName s = deriveSeriesName(title);
    EXPECT_EQ(s.name, std::string(300, 'x') + " ??");
    EXPECT_EQ(s.number, 26);
}

TEST(TimetableHeader, ExtendedHeaderOfVersion4HasEveryField) {
    json doc = fullHeader("4.0");
    doc["header"]["seriesName"] = "Autobusy ??";
    doc["header"]["seriesNumber"] = 27;
    doc["header"]["hasCoordinates"] = true;
    doc["header"]["coordinatesExact"] = false;
    doc["header"]["values"] = {7, 4000000000u};
    cHlavicka h = roundTrip(doc);
    EXPECT_EQ(h.fileName, "section.jz");
    EXPECT_EQ(h.title, "Autobusy 27");
    EXPECT_EQ(h.kind, "BUS");
    EXPECT_EQ(h.firstText, "prvn\xed");
    EXPECT_EQ(h.secondText, "\xc8\xe1slav");
    EXPECT_EQ(h.thirdText,
              "t\xf8"
              "et\xed");
    EXPECT_EQ(h.firstValidFrom, 8401);
    EXPECT_EQ(h.firstValidTo, 8765);
    EXPECT_EQ(h.secondValidFrom, 5);
    EXPECT_EQ(h.secondValidTo, -3);
    EXPECT_EQ(h.flagA, 1);
    EXPECT_EQ(h.sortKey, 77u);
    EXPECT_EQ(h.identifier, -12);
    EXPECT_EQ(h.sourceCode, 1u);
    EXPECT_EQ(h.codes, (std::vector<std::int16_t>{1000, -5}));
    EXPECT_EQ(h.codeClass, 1);
    EXPECT_EQ(h.seriesName, "Autobusy ??");
    EXPECT_EQ(h.seriesNumber, 27);
    EXPECT_EQ(h.hasCoordinates, 1);
    EXPECT_EQ(h.coordinatesExact, 0);
    EXPECT_EQ(h.values, (std::vector<std::uint32_t>{7, 4000000000u}));
}

TEST(TimetableHeader, VersionDecidesWhichPartsAreRead) {
    struct Case {
        const char* version;
        bool coordinateFlags;
        bool values;
    };
    const Case cases[] = {{"3.2", false, false}, {"3.3", true, false}, {"3.4", true, true}};
    for (const Case& c : cases) {
        json doc = fullHeader(c.version);
        if (c.coordinateFlags) {
            doc["header"]["hasCoordinates"] = true;
            doc["header"]["coordinatesExact"] = true;
        }
        if (c.values) {
            doc["header"]["values"] = {3};
        }
        cHlavicka h = roundTrip(doc);
        EXPECT_EQ(h.hasCoordinates, c.coordinateFlags ? 1 : 0) << c.version;
        EXPECT_EQ(h.coordinatesExact, c.coordinateFlags ? 1 : 0) << c.version;
        EXPECT_EQ(h.values, (std::vector<std::uint32_t>{c.values ? 3u : 0u})) << c.version;
        // Without a series of its own the compiler writes the derived one.
        EXPECT_EQ(h.seriesName, "Autobusy ??") << c.version;
        EXPECT_EQ(h.seriesNumber, 27) << c.version;
        EXPECT_EQ(h.codes, (std::vector<std::int16_t>{1000, -5})) << c.version;
    }
}

TEST(TimetableHeader, ExtendedHeaderBeforeVersion3DerivesTheSeries) {
    json doc = fullHeader("2.2");
    cHlavicka h = roundTrip(doc);
    EXPECT_EQ(h.identifier, -12);
    EXPECT_EQ(h.sourceCode, 1u);
    EXPECT_EQ(h.seriesName, "Autobusy ??");
    EXPECT_EQ(h.seriesNumber, 27);
    EXPECT_EQ(h.codes, (std::vector<std::int16_t>{1000, -5}));
    EXPECT_EQ(h.codeClass, 0);  // major version below 3
}

TEST(TimetableHeader, OlderHeaderHasDefaults) {
    json doc = json::parse(R"({ "version": "2.1",
        "header": { "title": "Vlaky 07/08", "kind": "VLAK", "sortKey": 3, "identifier": 44 } })");
    cHlavicka h = roundTrip(doc);
    EXPECT_EQ(h.title, "Vlaky 07/08");
    EXPECT_EQ(h.identifier, 44);
    EXPECT_EQ(h.sourceCode, 0u);
    EXPECT_EQ(h.codes, (std::vector<std::int16_t>{1000}));
    EXPECT_EQ(h.seriesName, "Vlaky ?\?/08");
    EXPECT_EQ(h.seriesNumber, 7);
    EXPECT_EQ(h.values, (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(h.codeClass, 0);

    doc["header"].erase("identifier");
    EXPECT_EQ(roundTrip(doc).identifier, -1);
}

TEST(TimetableHeader, KindFlags) {
    struct Case {
        const char* kind;
        int city;
        int common;
        int notBus;
    };
    const Case cases[] = {
        {"CITY", 1, 1, 1}, {"city", 1, 1, 1}, {"MHD", 1, 1, 1},   {"mhd", 1, 1, 1},
        {"BUS", 0, 1, 0},  {"Bus", 0, 1, 0},  {"CITYX", 0, 0, 1}, {"CIT", 0, 0, 1},
        {"VLAK", 0, 0, 1}, {"", 0, 0, 1},
    };
    for (const Case& c : cases) {
        json doc = fullHeader("4.0");
        doc["header"]["kind"] = c.kind;
        cHlavicka h = roundTrip(doc);
        EXPECT_EQ(h.cityFlag, c.city) << c.kind;
        EXPECT_EQ(h.commonKindFlag, c.common) << c.kind;
        EXPECT_EQ(h.notBusFlag, c.notBus) << c.kind;
    }
}

TEST(TimetableHeader, CodeClass) {
    struct Case {
        json codes;
        int codeClass;
    };
    const Case cases[] = {
        {json::array({1000}), 1}, {json::array({5, 1000}), 2}, {json::array(), 0}};
    for (const Case& c : cases) {
        json doc = fullHeader("4.0");
        doc["header"]["codes"] = c.codes;
        EXPECT_EQ(roundTrip(doc).codeClass, c.codeClass) << c.codes.dump();
    }
}

// A version 4.0 header whose code count is `codes` and whose title length is `titleLength`.
std::vector<std::uint8_t> craftedHeader(std::uint32_t titleLength, std::uint32_t codes) {
    jz::ContentWriter w;
    w.u32(titleLength);
    w.bytes(std::string_view("T"));
    for (int i = 0; i < 4; ++i) {
        w.text("");
    }
    for (int i = 0; i < 4; ++i) {
        w.i16(0);
    }
    w.u8(0);
    w.u32(0);
    w.u32(0);
    w.u8(0);
    w.i16(1);
    w.bytes(std::string(11, '\0'));
    w.u32(0);
    w.beginSection();
    w.u32(0);
    w.u32(codes);
    w.i16(1000);
    w.endSection();
    return w.data();
}

TEST(TimetableHeader, HugeCountsFailAsShortReads) {
    EXPECT_EQ(engineCodeOf([] { nactiHlavicku(*openContent(craftedHeader(0xFFFFFFF0u, 1))); }),
              ENGINE_EXC_SHORT_READ);
    EXPECT_EQ(engineCodeOf([] { nactiHlavicku(*openContent(craftedHeader(1, 0x7FFFFFFFu))); }),
              ENGINE_EXC_SHORT_READ);
}

}  // namespace
}  // namespace trasovnik
