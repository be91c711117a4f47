// The notes section: the note table (mark and text references), the attribute table, and the
// attachment pool with its words. Every list of notes that trips and passages use must have
// been interned (prepareTrips does it) before this section is written.
#include <string>

#include "tools/jzwriter/DescriptionFields.h"
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileNotes(CompileContext& ctx, ContentWriter& out) {
    const nlohmann::json& notes = arrayField(ctx.doc, "notes", "description");
    out.skippedSection("notes");

    out.skippedSection("note table");
    out.u32(static_cast<std::uint32_t>(notes.size()));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        std::string where = "notes[" + std::to_string(i) + "]";
        requireKnownFields(notes[i], {"id", "mark", "text"}, where);
        out.u32(ctx.names.intern(requiredText(notes[i], "mark", where)));
        out.u32(ctx.names.intern(textField(notes[i], "text", where)));
    }
    out.skippedSection("end of note table");

    // One attribute entry per note; the description gives them no values.
    out.skippedSection("note attributes");
    out.u32(static_cast<std::uint32_t>(notes.size()));
    for (std::size_t i = 0; i < notes.size(); ++i) {
        out.u16(0);
        out.u8(0);
    }
    out.skippedSection("end of note attributes");

    const auto& pool = ctx.attachments.pool();
    out.u32(static_cast<std::uint32_t>(pool.size()));
    for (std::uint16_t n : pool) {
        out.u16(n);
    }
    const auto& words = ctx.attachments.words();
    out.u32(static_cast<std::uint32_t>(words.size()));
    for (const auto& [offset, count] : words) {
        out.u32(offset);
        out.u8(count);
    }
    out.skippedSection("end of notes");
}

}  // namespace jz
