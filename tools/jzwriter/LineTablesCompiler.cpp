// The line tables inside the trips section: line kinds, line groups, lines and the lines' own
// names. Every line has one own name, at the line's index in the line-name table.
#include <string>

#include "tools/jzwriter/DescriptionFields.h"
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

namespace {

using nlohmann::json;

// A line kind's colour as the file keeps it: a platform colour value 0x00BBGGRR (red in the
// lowest byte). "#RRGGBB" is written the web's way round and turned into that order; a number
// is taken as the file value itself.
std::uint32_t colourOf(const json& kind, const std::string& where) {
    if (!kind.contains("colour")) {
        return 0;
    }
    const json& c = kind.at("colour");
    if (c.is_string()) {
        std::string text = c.get<std::string>();
        bool ok = text.size() == 7 && text[0] == '#';
        std::uint32_t value = 0;
        for (std::size_t i = 1; ok && i < text.size(); ++i) {
            char h = text[i];
            int digit = h >= '0' && h <= '9'   ? h - '0'
                        : h >= 'a' && h <= 'f' ? h - 'a' + 10
                        : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                               : -1;
            ok = digit >= 0;
            value = value << 4 | static_cast<std::uint32_t>(digit < 0 ? 0 : digit);
        }
        if (!ok) {
            throw CompileError(where + ".colour: expected \"#RRGGBB\", got \"" + text + "\"");
        }
        const std::uint32_t red = value >> 16 & 0xFF, green = value >> 8 & 0xFF,
                            blue = value & 0xFF;
        return red | green << 8 | blue << 16;
    }
    return static_cast<std::uint32_t>(requiredInt(kind, "colour", where, 0, UINT32_MAX));
}

}  // namespace

void compileLineTables(CompileContext& ctx, ContentWriter& out) {
    const json& kinds = arrayField(ctx.doc, "lineKinds", "description");
    const json& groups = arrayField(ctx.doc, "lineGroups", "description");
    const json& lines = arrayField(ctx.doc, "lines", "description");

    out.skippedSection("line tables");
    out.u32(static_cast<std::uint32_t>(kinds.size()));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        std::string where = "lineKinds[" + std::to_string(i) + "]";
        requireKnownFields(kinds[i], {"id", "code", "name", "colour"}, where);
        out.u32(static_cast<std::uint32_t>(intField(kinds[i], "code", where, 0, UINT32_MAX, 0)));
        out.u32(ctx.names.intern(textField(kinds[i], "name", where)));
        out.u32(colourOf(kinds[i], where));
    }

    // A line without a group gets an extra group with an empty name after the given ones.
    bool implicitGroup = false;
    for (const json& l : lines) {
        implicitGroup = implicitGroup || !l.contains("group");
    }
    if (implicitGroup && groups.size() >= 0xFFFF) {
        throw CompileError("lines: a line without a group needs a free group index");
    }
    out.u32(static_cast<std::uint32_t>(groups.size() + (implicitGroup ? 1 : 0)));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        std::string where = "lineGroups[" + std::to_string(i) + "]";
        requireKnownFields(groups[i], {"id", "name"}, where);
        out.u32(ctx.names.intern(textField(groups[i], "name", where)));
    }
    if (implicitGroup) {
        out.u32(ctx.names.intern(""));
    }

    out.u32(static_cast<std::uint32_t>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string where = "lines[" + std::to_string(i) + "]";
        requireKnownFields(lines[i], {"id", "kind", "group", "name"}, where);
        out.u8(static_cast<std::uint8_t>(
            lookupId(ctx.lineKindIndex, idField(lines[i], "kind", where), "line kind")));
        out.u16(lines[i].contains("group")
                    ? static_cast<std::uint16_t>(lookupId(
                          ctx.lineGroupIndex, idField(lines[i], "group", where), "line group"))
                    : static_cast<std::uint16_t>(groups.size()));
    }
    out.skippedSection("end of lines");

    out.u32(static_cast<std::uint32_t>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out.u32(ctx.names.intern(textField(lines[i], "name", "lines[" + std::to_string(i) + "]")));
    }
}

}  // namespace jz
