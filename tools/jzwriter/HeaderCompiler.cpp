// The header at the start of the content: names, kind, validity and flags, then either the
// older tail (identifier only) or the extended header whose parts depend on the version.
#include <string>

#include "engine/data/TimetableHeader.h"
#include "tools/jzwriter/DescriptionFields.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TripTimes.h"

namespace jz {

namespace {

using nlohmann::json;

const char kWhere[] = "header";

std::int16_t dayOf(const json& v, const std::string& where) {
    if (v.is_number_integer()) {
        std::int64_t d = v.get<std::int64_t>();
        if (d < INT16_MIN || d > INT16_MAX) {
            throw CompileError(where + ": day number " + v.dump() + " outside 16 bits");
        }
        return static_cast<std::int16_t>(d);
    }
    return static_cast<std::int16_t>(parseCalendarDate(v, where));
}

void writeValidity(const json& h, ContentWriter& out) {
    const json& ranges = arrayField(h, "validity", kWhere);
    if (ranges.size() > 2) {
        throw CompileError("header.validity: at most two ranges");
    }
    for (std::size_t i = 0; i < 2; ++i) {
        std::string where = "header.validity[" + std::to_string(i) + "]";
        if (i >= ranges.size()) {
            out.i16(0);
            out.i16(0);
            continue;
        }
        requireKnownFields(ranges[i], {"from", "to"}, where);
        out.i16(ranges[i].contains("from") ? dayOf(ranges[i].at("from"), where + ".from") : 0);
        out.i16(ranges[i].contains("to") ? dayOf(ranges[i].at("to"), where + ".to") : 0);
    }
}

bool anyStopHasPosition(const json& doc) {
    if (!doc.contains("stops") || !doc.at("stops").is_array()) {
        return false;
    }
    for (const json& s : doc.at("stops")) {
        if (s.is_object() && (s.contains("lat") || s.contains("lon"))) {
            return true;
        }
    }
    return false;
}

void refuseUnless(bool allowed, const json& h, const char* key, const char* version) {
    if (!allowed && h.contains(key)) {
        throw CompileError(std::string("header.") + key + ": needs a file of version " + version +
                           " or later");
    }
}

void writeExtended(const CompileContext& ctx, const json& h, const std::string& title,
                   ContentWriter& out) {
    out.u32(0);
    out.u8(0);
    out.i16(static_cast<std::int16_t>(intField(h, "identifier", kWhere, INT16_MIN, INT16_MAX, -1)));
    for (int i = 0; i < 11; ++i) {
        out.u8(0);
    }
    out.u32(0);

    out.beginSection();
    out.u32(static_cast<std::uint32_t>(intField(h, "sourceCode", kWhere, 0, UINT32_MAX, 0)));
    const json& codes = h.contains("codes") ? h.at("codes") : json::array({1000});
    if (!codes.is_array()) {
        throw CompileError("header.codes: expected an array");
    }
    out.u32(static_cast<std::uint32_t>(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        json holder = {{"code", codes[i]}};
        out.i16(static_cast<std::int16_t>(requiredInt(
            holder, "code", "header.codes[" + std::to_string(i) + "]", INT16_MIN, INT16_MAX)));
    }

    const bool ownSeries = ctx.major >= 3;
    refuseUnless(ownSeries, h, "seriesName", "3.0");
    refuseUnless(ownSeries, h, "seriesNumber", "3.0");
    if (ownSeries) {
        trasovnik::SeriesName derived = trasovnik::deriveSeriesName(title);
        out.text(h.contains("seriesName") ? textField(h, "seriesName", kWhere) : derived.name);
        out.i32(static_cast<std::int32_t>(
            intField(h, "seriesNumber", kWhere, INT32_MIN, INT32_MAX, derived.number)));
    }

    const bool coordinateFlags = ctx.atLeast(3, 3);
    refuseUnless(coordinateFlags, h, "hasCoordinates", "3.3");
    refuseUnless(coordinateFlags, h, "coordinatesExact", "3.3");
    if (coordinateFlags) {
        out.u8(boolField(h, "hasCoordinates", kWhere, anyStopHasPosition(ctx.doc)) ? 1 : 0);
        out.u8(boolField(h, "coordinatesExact", kWhere, false) ? 1 : 0);
    }

    const bool valueList = ctx.atLeast(3, 4);
    refuseUnless(valueList, h, "values", "3.4");
    if (valueList) {
        const json& values = arrayField(h, "values", kWhere);
        out.u32(static_cast<std::uint32_t>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            json holder = {{"value", values[i]}};
            out.u32(static_cast<std::uint32_t>(requiredInt(
                holder, "value", "header.values[" + std::to_string(i) + "]", 0, UINT32_MAX)));
        }
    }
    // A little more than this version reads, which the reader's section end skips.
    out.bytes(std::string_view("\x5a\xa5", 2));
    out.endSection();
}

void writeOlder(const json& h, ContentWriter& out) {
    for (const char* key : {"sourceCode", "codes", "seriesName", "seriesNumber", "hasCoordinates",
                            "coordinatesExact", "values"}) {
        refuseUnless(false, h, key, "2.2");
    }
    if (h.contains("identifier")) {
        out.u32(2);
        out.u8(0);
        out.i16(
            static_cast<std::int16_t>(intField(h, "identifier", kWhere, INT16_MIN, INT16_MAX, -1)));
    } else {
        out.u32(0);
    }
}

}  // namespace

void compileHeader(CompileContext& ctx, ContentWriter& out) {
    static const json kEmpty = json::object();
    const json& h = ctx.doc.contains("header") ? ctx.doc.at("header") : kEmpty;
    requireKnownFields(
        h,
        {"title", "kind", "texts", "validity", "flagA", "sortKey", "identifier", "sourceCode",
         "codes", "seriesName", "seriesNumber", "hasCoordinates", "coordinatesExact", "values"},
        kWhere);

    std::string title = textField(h, "title", kWhere);
    out.text(title);
    out.text(textField(h, "kind", kWhere));
    const json& texts = arrayField(h, "texts", kWhere);
    if (texts.size() > 3) {
        throw CompileError("header.texts: at most three texts");
    }
    for (std::size_t i = 0; i < 3; ++i) {
        json holder = {{"text", i < texts.size() ? texts[i] : json("")}};
        out.text(textField(holder, "text", "header.texts[" + std::to_string(i) + "]"));
    }
    writeValidity(h, out);
    out.u8(boolField(h, "flagA", kWhere, false) ? 1 : 0);
    out.u32(static_cast<std::uint32_t>(intField(h, "sortKey", kWhere, 0, UINT32_MAX, 0)));

    if (ctx.major > 2 || ctx.minor > 1) {
        writeExtended(ctx, h, title, out);
    } else {
        writeOlder(h, out);
    }
}

}  // namespace jz
