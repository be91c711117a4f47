#include "engine/data/Stops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/Geography.h"
#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;
using testing::openContent;
using testing::SectionFixture;

// Takes the passage counts from the description's "passages" (what the trips would give),
// then writes the stops section.
void countAndCompileStops(jz::CompileContext& ctx, jz::ContentWriter& out) {
    ctx.passageCountOfStop = ctx.doc.value("passages", std::vector<std::uint32_t>{});
    jz::compileStops(ctx, out);
}

json stopsDoc(const std::string& version) {
    json doc = json::parse(R"({
      "towns": [{ "id": "ji", "name": "Jihlava" }, { "id": "br", "name": "Brno" }],
      "stopGroups": [{ "id": "g1", "name": "Jihlava", "value": 2 },
                     { "id": "g2", "name": "Brno", "value": -3 }],
      "stops": [
        { "id": "a", "name": "Jihlava, nádraží", "town": "ji", "group": "g1", "key": 900,
          "lat": 49.4, "lon": 15.6,
          "walk": [{ "to": "b", "minutes": 3 }, { "to": "c", "minutes": 12 }],
          "links": [{ "key": 77, "minutes": 5, "town": "br" }] },
        { "id": "b", "name": "Jihlava, centrum", "town": "ji", "group": "g1", "key": 15,
          "lat": 49.401, "lon": 15.601, "walk": [{ "to": "a", "minutes": 3 }] },
        { "id": "c", "name": "Brno", "group": "g2", "key": 4000000000,
          "lat": 0.005, "lon": -0.005,
          "links": [{ "key": 1, "minutes": 0, "town": "ji" }, { "key": 2, "minutes": 9, "town": "br" }] },
        { "id": "d", "name": "Bez klíče", "town": "br", "group": "g2", "lat": 49.2, "lon": 16.6 }
      ],
      "passages": [3, 0, 65535, 7]
    })");
    doc["version"] = version;
    return doc;
}

void internNotesAndCompileStops(jz::CompileContext& ctx, jz::ContentWriter& out);

struct StopsFixture {
    explicit StopsFixture(const json& doc) : f(doc, {internNotesAndCompileStops}) {
        stops.read(*f.reader, f.names);
        EXPECT_EQ(f.reader->readU32(), testing::kAfterSections);
    }
    SectionFixture f;
    cZastavky stops;
};

TEST(Stops, RecordsRoundTrip) {
    StopsFixture s(stopsDoc("4.0"));
    const cNazvy& names = s.f.names;
    ASSERT_EQ(s.stops.stopCount(), 4u);
    EXPECT_EQ(s.stops.name(names, 1), "Jihlava, centrum");
    EXPECT_EQ(s.stops.townCount(), 2u);
    EXPECT_EQ(s.stops.townOf(0), 0);
    EXPECT_EQ(s.stops.townName(names, s.stops.townOf(3)), "Brno");
    EXPECT_EQ(s.stops.townOf(2), cZastavky::kNoTown);
    EXPECT_EQ(s.stops.groupValue(0), 30);
    EXPECT_EQ(s.stops.groupValue(2), -45);
    EXPECT_EQ(s.stops.groupName(names, 3), "Brno");
    EXPECT_EQ(s.stops.passageCount(0), 3);
    EXPECT_EQ(s.stops.passageCount(2), 65535);
    EXPECT_EQ(engineCodeOf([&] { s.stops.stop(4); }), ENGINE_EXC_INDEX);
}

// As countAndCompileStops, with the stops' note lists interned first, as the whole file does.
void internNotesAndCompileStops(jz::CompileContext& ctx, jz::ContentWriter& out) {
    jz::internStopNotes(ctx);
    countAndCompileStops(ctx, out);
}

// Stop "b" carries two notes, "d" one; the others none.
json stopsWithNotes(const std::string& version) {
    json doc = stopsDoc(version);
    doc["notes"] = json::parse(R"([{ "id": "wc", "mark": "WC", "text": "toalety" },
                                   { "id": "p", "mark": "P", "text": "parkoviště" }])");
    doc["stops"][1]["notes"] = json::array({"wc", "p"});
    doc["stops"][3]["notes"] = json::array({"p"});
    return doc;
}

TEST(Stops, NoteAttachmentsFollowTheCoordinates) {
    for (const char* version : {"3.2", "3.3", "4.0"}) {
        SCOPED_TRACE(version);
        StopsFixture s(stopsWithNotes(version));
        // Attachment 0 is the empty list; the two lists come next in stop order.
        EXPECT_EQ(s.stops.noteAttachment(0), 0u);
        EXPECT_EQ(s.stops.noteAttachment(1), 1u);
        EXPECT_EQ(s.stops.noteAttachment(2), 0u);
        EXPECT_EQ(s.stops.noteAttachment(3), 2u);
        EXPECT_EQ(engineCodeOf([&] { (void)s.stops.noteAttachment(4); }), ENGINE_EXC_INDEX);
        EXPECT_NO_THROW(s.stops.checkNoteAttachments(3));
        EXPECT_EQ(engineCodeOf([&] { s.stops.checkNoteAttachments(2); }), ENGINE_EXC_INDEX);
    }
}

TEST(Stops, FilesWithoutStopNotesHaveNone) {
    // Written without the table, as files before stop notes were; the section still ends
    // with bytes the reader skips.
    StopsFixture none(stopsDoc("4.0"));
    EXPECT_EQ(none.stops.noteAttachment(1), std::nullopt);
    EXPECT_NO_THROW(none.stops.checkNoteAttachments(0));
    // Files older than 3.2 have no room for them.
    EXPECT_THROW(testing::compileSections(stopsWithNotes("3.1"), {internNotesAndCompileStops}),
                 jz::CompileError);
}

TEST(Stops, WalkingLinksAndLinksOfAStop) {
    StopsFixture s(stopsDoc("4.0"));
    auto walks = s.stops.walkingLinks(0);
    ASSERT_EQ(walks.size(), 2u);
    EXPECT_EQ(walks[1].stop, 2);
    EXPECT_EQ(walks[1].minutes, 12);
    ASSERT_EQ(s.stops.walkingLinks(1).size(), 1u);
    EXPECT_EQ(s.stops.walkingLinks(1)[0].stop, 0);
    EXPECT_TRUE(s.stops.walkingLinks(2).empty());

    auto links = s.stops.links(2);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].key, 1u);
    EXPECT_EQ(links[0].town, 0u);
    EXPECT_EQ(links[1].key, 2u);
    EXPECT_EQ(links[1].value, 9);
    EXPECT_EQ(links[1].town, 1u);
    ASSERT_EQ(s.stops.links(0).size(), 1u);
    EXPECT_EQ(s.stops.links(0)[0].key, 77u);
    EXPECT_TRUE(s.stops.links(3).empty());
}

TEST(Stops, KeyLookup) {
    StopsFixture s(stopsDoc("4.0"));
    struct Case {
        std::uint32_t key;
        std::uint16_t stop;
    };
    const Case cases[] = {{900, 0},
                          {15, 1},
                          {4000000000u, 2},
                          {0, cZastavky::kNoStop},
                          {16, cZastavky::kNoStop},
                          {0xFFFFFFFF, cZastavky::kNoStop}};
    for (const Case& c : cases) {
        EXPECT_EQ(s.stops.findByKey(c.key), c.stop) << c.key;
    }
}

TEST(Stops, CoordinatesFromVersion32) {
    StopsFixture v40(stopsDoc("4.0"));
    EXPECT_TRUE(v40.stops.hasCoordinates());
    EXPECT_DOUBLE_EQ(v40.stops.position(1).latitude, 49.401);
    EXPECT_DOUBLE_EQ(v40.stops.position(1).longitude, 15.601);

    StopsFixture v32(stopsDoc("3.2"));
    EXPECT_TRUE(v32.stops.hasCoordinates());
    EXPECT_DOUBLE_EQ(v32.stops.position(3).longitude, 16.6);

    StopsFixture v31(stopsDoc("3.1"));
    EXPECT_FALSE(v31.stops.hasCoordinates());
    EXPECT_EQ(v31.stops.position(1).latitude, 0.0);
    EXPECT_TRUE(v31.stops.stopsWithin(49.4, 15.6, 1e7).empty());

    json none = stopsDoc("4.0");
    for (auto& stop : none["stops"]) {
        stop.erase("lat");
        stop.erase("lon");
    }
    StopsFixture noCoordinates(none);
    EXPECT_FALSE(noCoordinates.stops.hasCoordinates());
}

TEST(Stops, StopsWithinALimit) {
    StopsFixture s(stopsDoc("4.0"));
    double toB = vzdalenostBodu(49.4, 15.6, 49.401, 15.601);
    auto near = s.stops.stopsWithin(49.4, 15.6, toB + 1);
    ASSERT_EQ(near.size(), 2u);
    EXPECT_EQ(near[0].stop, 0);
    EXPECT_EQ(near[0].kind, 255);
    EXPECT_EQ(near[0].value, -1);
    EXPECT_NEAR(near[0].metres, 0.0, 1e-6);
    EXPECT_EQ(near[1].stop, 1);
    EXPECT_DOUBLE_EQ(near[1].metres, toB);
    // The limit itself is not near.
    EXPECT_EQ(s.stops.stopsWithin(49.4, 15.6, toB).size(), 1u);
    // A stop at (0.005, -0.005) has no position, even right next to it.
    EXPECT_TRUE(s.stops.stopsWithin(0.005, -0.005, 100).empty());
}

// A stops section with one town, one group and two stops, whose fields the test alters.
struct Crafted {
    std::uint32_t stopCount = 2;
    std::uint32_t linkTown = 0;
    std::uint16_t walkTarget = 1;
    std::uint16_t stopTown = 0;
    std::uint16_t firstWalk = 0;
    std::uint16_t walkCount = 1;
    std::uint32_t firstLink = 0;
    std::uint8_t linkCount = 1;
    std::uint32_t groupRef = 0;
    std::uint16_t keyStop = 1;
    std::vector<std::uint32_t> keys = {5};

    std::vector<std::uint8_t> content() const {
        jz::ContentWriter w;
        w.skippedSection();
        w.u8(0);
        w.text(std::string_view("\x01S", 2));  // one name, "S" at 0
        w.skippedSection();

        w.skippedSection();
        w.u32(1);
        w.u32(0);
        w.skippedSection();
        w.u32(0);
        w.u32(1);
        w.u32(groupRef);
        w.i8(1);
        w.skippedSection();
        w.u32(1);
        w.u16(walkTarget);
        w.u8(2);
        w.u32(1);
        w.u32(9);
        w.u8(1);
        w.u32(linkTown);
        w.u32(stopCount);
        for (std::uint32_t s = 0; s < stopCount && s < 2; ++s) {
            w.u32(0);
            w.u16(0);
            w.u16(0);
            w.u16(s == 0 ? walkCount : 0);
            w.u16(stopTown);
            w.u16(s == 0 ? firstWalk : 0);
            w.u8(0);
            w.u32(s == 0 ? firstLink : 0);
            w.u8(s == 0 ? linkCount : 0);
        }
        w.u32(static_cast<std::uint32_t>(keys.size()));
        for (auto k : keys) {
            w.u32(k);
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            w.u16(i == 0 ? keyStop : 0);
        }
        w.skippedSection();
        return w.data();
    }

    std::uint32_t readCode(cZastavky& stops) const {
        return engineCodeOf([&] {
            auto reader = openContent(content());
            cNazvy names;
            names.read(*reader);
            stops.read(*reader, names);
        });
    }
};

TEST(Stops, BadIndexesAndCounts) {
    struct Case {
        const char* what;
        Crafted crafted;
        std::uint32_t code;
    };
    std::vector<Case> cases = {{"well formed", {}, 0}};
    auto add = [&](const char* what, auto alter, std::uint32_t code) {
        Crafted c;
        alter(c);
        cases.push_back({what, c, code});
    };
    add(
        "walking target", [](Crafted& c) { c.walkTarget = 2; }, ENGINE_EXC_INDEX);
    add(
        "link town", [](Crafted& c) { c.linkTown = 1; }, ENGINE_EXC_INDEX);
    add(
        "stop town", [](Crafted& c) { c.stopTown = 1; }, ENGINE_EXC_INDEX);
    add(
        "no town", [](Crafted& c) { c.stopTown = cZastavky::kNoTown; }, 0);
    add(
        "walking run", [](Crafted& c) { c.firstWalk = 1; }, ENGINE_EXC_INDEX);
    add(
        "walking count", [](Crafted& c) { c.walkCount = 2; }, ENGINE_EXC_INDEX);
    add(
        "link run", [](Crafted& c) { c.firstLink = 0xFFFFFFFF; }, ENGINE_EXC_INDEX);
    add(
        "link count", [](Crafted& c) { c.linkCount = 2; }, ENGINE_EXC_INDEX);
    add(
        "key stop", [](Crafted& c) { c.keyStop = 2; }, ENGINE_EXC_INDEX);
    add(
        "stop count", [](Crafted& c) { c.stopCount = 0x10000000; }, ENGINE_EXC_SHORT_READ);
    for (const Case& c : cases) {
        cZastavky stops;
        EXPECT_EQ(c.crafted.readCode(stops), c.code) << c.what;
    }
}

TEST(Stops, GroupNameOutsideTheBlockIsNone) {
    Crafted c;
    c.groupRef = 1000;
    cZastavky stops;
    auto reader = openContent(c.content());
    cNazvy names;
    names.read(*reader);
    stops.read(*reader, names);
    EXPECT_FALSE(stops.groupName(names, 0).has_value());
    EXPECT_EQ(stops.groupValue(0), 15);
}

TEST(Stops, UnsortedKeysStillEndInBounds) {
    Crafted c;
    c.keys = {9, 3, 7, 1, 5, 2};
    cZastavky stops;
    ASSERT_EQ(c.readCode(stops), 0u);
    for (std::uint32_t key = 0; key < 12; ++key) {
        std::uint16_t s = stops.findByKey(key);
        EXPECT_TRUE(s == cZastavky::kNoStop || s < stops.stopCount()) << key;
    }
}

}  // namespace
}  // namespace trasovnik
