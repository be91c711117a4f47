#include "engine/data/Notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;
using testing::openContent;
using testing::SectionFixture;

// Interns the note lists of the description's "attach" (lists of note ids), then writes the
// notes section, as the trips do before it in a whole compile.
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

json notesDoc() {
    return json::parse(R"({
      "notes": [{ "id": "sc", "mark": "SC", "text": "spoj s místenkou" },
                { "id": "imp", "mark": "INFO_IMPORTANT", "text": "výluka" },
                { "id": "np", "mark": "NP", "text": "nejede v pátek" },
                { "id": "line", "mark": "LINE", "text": "linka" },
                { "id": "low", "mark": "info", "text": "malými písmeny" }],
      "attach": [["sc", "imp", "np", "line"], ["imp"], [], ["low", "imp", "sc"]]
    })");
}

struct NotesFixture {
    explicit NotesFixture(const json& doc) : f(doc, {attachAndCompileNotes}) {
        notes.read(*f.reader, f.names);
        EXPECT_EQ(f.reader->readU32(), testing::kAfterSections)
            << "the notes section was not read to its end";
    }
    SectionFixture f;
    cPoznamky notes;
    cVazbyPoznamek links() const { return cVazbyPoznamek(notes, f.names); }
};

TEST(Notes, TableRoundTrip) {
    NotesFixture n(notesDoc());
    ASSERT_EQ(n.notes.noteCount(), 5u);
    EXPECT_EQ(n.notes.noteMark(n.f.names, 0), "SC");
    EXPECT_EQ(n.notes.noteText(n.f.names, 0), "spoj s m\xedstenkou");
    EXPECT_EQ(n.notes.attributes().size(), 5u);
    EXPECT_EQ(engineCodeOf([&] { n.notes.noteMark(n.f.names, 5); }), ENGINE_EXC_INDEX);
}

TEST(Notes, FindByMarkIsExact) {
    NotesFixture n(notesDoc());
    EXPECT_EQ(n.notes.findByMark(n.f.names, "NP"), 2);
    EXPECT_EQ(n.notes.findByMark(n.f.names, "np"), -1);
    EXPECT_EQ(n.notes.findByMark(n.f.names, "N"), -1);
    EXPECT_EQ(n.notes.findByMark(n.f.names, ""), -1);
}

TEST(Notes, KindsAreMarksEqualToTheKindNames) {
    json doc = json::object();
    doc["notes"] = json::array();
    for (std::string_view kind : kNoteKindNames) {
        doc["notes"].push_back({{"id", std::string(kind)}, {"mark", std::string(kind)}});
    }
    doc["notes"].push_back({{"id", "x"}, {"mark", "INFO_IMPORTANT "}});
    doc["notes"].push_back({{"id", "y"}, {"mark", "Info"}});
    NotesFixture n(doc);
    for (std::size_t k = 0; k < kNoteKindNames.size(); ++k) {
        EXPECT_EQ(n.notes.kindOf(k), static_cast<int>(k)) << kNoteKindNames[k];
    }
    EXPECT_FALSE(n.notes.isKind(8));
    EXPECT_FALSE(n.notes.isKind(9));
}

TEST(Notes, AttachedRemarksAndImportantNotes) {
    NotesFixture n(notesDoc());
    cVazbyPoznamek links = n.links();
    struct Case {
        std::uint32_t attachment;
        std::vector<std::uint16_t> remarks;
        std::vector<std::uint16_t> important;
    };
    const Case cases[] = {
        {0, {}, {}},  // index 0 is the empty list
        {1, {0, 2}, {1}},
        {2, {}, {1}},
        {3, {4, 0}, {1}},  // "info" is a remark: kinds are compared byte for byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(links.notesOf(c.attachment), c.remarks) << c.attachment;
        EXPECT_EQ(links.firstKindNotes(c.attachment), c.important) << c.attachment;
    }
    // The empty list given in the description is the same as index 0.
    EXPECT_EQ(n.notes.attachments().size(), 4u);
    EXPECT_EQ(engineCodeOf([&] { links.notesOf(4); }), ENGINE_EXC_INDEX);
}

// A notes section of `noteCount` notes whose references are `markRef`, with a pool and words.
std::vector<std::uint8_t> craftedNotes(std::uint32_t noteCount, std::uint32_t markRef,
                                       std::vector<std::uint16_t> pool,
                                       std::vector<std::pair<std::uint32_t, std::uint8_t>> words) {
    jz::ContentWriter w;
    // Name block: one entry "M" at 0.
    w.skippedSection();
    w.u8(0);
    w.text(std::string_view("\x01M", 2));
    w.skippedSection();

    w.skippedSection();
    w.skippedSection();
    w.u32(noteCount);
    for (std::uint32_t i = 0; i < noteCount && i < 4; ++i) {
        w.u32(markRef);
        w.u32(0);
    }
    w.skippedSection();
    w.skippedSection();
    w.u32(0);
    w.skippedSection();
    w.u32(static_cast<std::uint32_t>(pool.size()));
    for (auto p : pool) {
        w.u16(p);
    }
    w.u32(static_cast<std::uint32_t>(words.size()));
    for (auto [offset, count] : words) {
        w.u32(offset);
        w.u8(count);
    }
    w.skippedSection();
    return w.data();
}

std::uint32_t readCrafted(const std::vector<std::uint8_t>& content) {
    return engineCodeOf([&] {
        auto reader = openContent(content);
        cNazvy names;
        names.read(*reader);
        cPoznamky notes;
        notes.read(*reader, names);
    });
}

TEST(Notes, BadIndexesAndCounts) {
    EXPECT_EQ(readCrafted(craftedNotes(2, 0, {0, 1}, {{0, 2}})), 0u);
    // The top byte of an attachment word is not part of the offset.
    EXPECT_EQ(readCrafted(craftedNotes(2, 0, {0, 1}, {{0xFF000001, 1}})), 0u);
    EXPECT_EQ(readCrafted(craftedNotes(2, 2, {0}, {})), ENGINE_EXC_INDEX);           // mark ref
    EXPECT_EQ(readCrafted(craftedNotes(2, 0, {2}, {})), ENGINE_EXC_INDEX);           // pool entry
    EXPECT_EQ(readCrafted(craftedNotes(2, 0, {0, 1}, {{1, 2}})), ENGINE_EXC_INDEX);  // run
    EXPECT_EQ(readCrafted(craftedNotes(2, 0, {0, 1}, {{0xFFFFFF, 1}})), ENGINE_EXC_INDEX);
    EXPECT_EQ(readCrafted(craftedNotes(0x7FFFFFFF, 0, {}, {})), ENGINE_EXC_SHORT_READ);
}

}  // namespace
}  // namespace trasovnik
