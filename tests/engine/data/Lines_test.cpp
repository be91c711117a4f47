#include "engine/data/Lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/data/Notes.h"
#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;
using testing::openContent;
using testing::SectionFixture;

// Interns the note lists of "attach", then writes the notes section.
void attachAndCompileNotes(jz::CompileContext& ctx, jz::ContentWriter& out) {
    for (const json& list : ctx.doc.value("attach", json::array())) {
        std::vector<std::uint16_t> notes;
        for (const json& id : list) {
            notes.push_back(static_cast<std::uint16_t>(ctx.noteIndex.at(id.get<std::string>())));
        }
        ctx.attachments.intern(notes);
    }
    jz::compileNotes(ctx, out);
}

json linesDoc() {
    return json::parse(R"({
      "notes": [{ "id": "r", "mark": "R", "text": "místenka" },
                { "id": "imp", "mark": "INFO_IMPORTANT", "text": "výluka" },
                { "id": "x", "mark": "x", "text": "na znamení" }],
      "attach": [["r", "imp", "x"], ["imp"]],
      "lineKinds": [{ "id": "bus", "code": 2, "name": "Bus", "colour": "#1C5CA8" },
                    { "id": "none", "code": 9, "name": "", "colour": 255 }],
      "lineGroups": [{ "id": "mhd", "name": "" }, { "id": "reg", "name": "Vysočina" }],
      "lines": [{ "id": "11", "kind": "bus", "group": "mhd", "name": "11" },
                { "id": "310", "kind": "bus", "group": "reg", "name": "310" },
                { "id": "bare", "kind": "none", "group": "mhd", "name": "" },
                { "id": "nogroup", "kind": "bus", "name": "N1" }]
    })");
}

struct LinesFixture {
    explicit LinesFixture(const json& doc)
        : f(doc, {attachAndCompileNotes, jz::compileLineTables}) {
        notes.read(*f.reader, f.names);
        lines.read(*f.reader, f.names);
        EXPECT_EQ(f.reader->readU32(), testing::kAfterSections);
    }
    SectionFixture f;
    cPoznamky notes;
    cLinky lines;
    cVazbyPoznamek links() const { return cVazbyPoznamek(notes, f.names); }
};

TEST(Lines, TablesRoundTrip) {
    LinesFixture l(linesDoc());
    ASSERT_EQ(l.lines.kindCount(), 2u);
    EXPECT_EQ(l.lines.kind(0).code, 2u);
    EXPECT_EQ(l.lines.kind(0).name, "Bus");
    EXPECT_EQ(l.lines.kind(0).colour, 0xA85C1Cu) << "\"#1C5CA8\" is kept as 0x00BBGGRR";
    EXPECT_EQ(l.lines.kind(1).colour, 255u);
    EXPECT_EQ(l.lines.groupName(1), "Vyso\xe8ina");
    ASSERT_EQ(l.lines.lineCount(), 4u);
    EXPECT_EQ(l.lines.line(1).kind, 0);
    EXPECT_EQ(l.lines.line(1).group, 1);
    // Each line's own name sits at the line's index.
    ASSERT_EQ(l.lines.lineNameCount(), 4u);
    EXPECT_EQ(l.lines.lineOwnName(1), "310");
    EXPECT_EQ(l.lines.kindNameOfLine(2), "");
    EXPECT_EQ(engineCodeOf([&] { l.lines.line(4); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { l.lines.lineOwnName(4); }), ENGINE_EXC_INDEX);
}

TEST(Lines, DisplayName) {
    LinesFixture l(linesDoc());
    cVazbyPoznamek links = l.links();
    struct Case {
        std::size_t line;
        std::size_t nameIndex;
        std::uint32_t attachment;
        const char* name;
    };
    const Case cases[] = {
        {0, 0, 0, "Bus 11"},     {1, 1, 0, "Bus Vyso\xe8ina 310"},
        {0, 0, 1, "Bus 11 R x"},  // remarks only: the kind note is left out
        {0, 0, 2, "Bus 11"},     {2, 2, 0, ""},
        {2, 2, 1, "R x"},        {1, 0, 0, "Bus Vyso\xe8ina 11"},  // the route chooses the own name
        {3, 3, 0, "Bus N1"},                                       // a line without a group
    };
    for (const Case& c : cases) {
        EXPECT_EQ(l.lines.lineName(c.line, c.nameIndex, c.attachment, links), c.name)
            << c.line << "/" << c.attachment;
    }
    EXPECT_EQ(engineCodeOf([&] { l.lines.lineName(0, 0, 3, links); }), ENGINE_EXC_INDEX);
}

// Line tables written by hand over a name block holding "a" at 0.
std::vector<std::uint8_t> craftedLines(std::uint32_t kindRef, std::uint8_t lineKind,
                                       std::uint16_t lineGroup, std::uint32_t nameCount) {
    jz::ContentWriter w;
    w.skippedSection();
    w.u8(0);
    w.text(
        std::string_view("\x01"
                         "a",
                         2));
    w.skippedSection();

    w.skippedSection();
    w.u32(1);
    w.u32(1);
    w.u32(kindRef);
    w.u32(0);
    w.u32(1);
    w.u32(0);
    w.u32(1);
    w.u8(lineKind);
    w.u16(lineGroup);
    w.skippedSection();
    w.u32(nameCount);
    w.u32(0);
    return w.data();
}

TEST(Lines, BadIndexesAndCounts) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> content;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"well formed", craftedLines(0, 0, 0, 1), 0},
        {"kind name", craftedLines(2, 0, 0, 1), ENGINE_EXC_INDEX},
        {"line kind", craftedLines(0, 1, 0, 1), ENGINE_EXC_INDEX},
        {"line group", craftedLines(0, 0, 1, 1), ENGINE_EXC_INDEX},
        {"line names", craftedLines(0, 0, 0, 0x40000000), ENGINE_EXC_SHORT_READ},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engineCodeOf([&] {
                      auto reader = openContent(c.content);
                      cNazvy names;
                      names.read(*reader);
                      cLinky lines;
                      lines.read(*reader, names);
                  }),
                  c.code)
            << c.what;
    }
}

}  // namespace
}  // namespace trasovnik
