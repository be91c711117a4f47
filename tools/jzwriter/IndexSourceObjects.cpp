// Before any section is written: the indexes of every named object, the name block's pairs
// (which decide the layout of every name entry) and whether the file is a city timetable.
#include <string>

#include "engine/data/Cp1250Text.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TextEncoding.h"

namespace jz {

namespace {

using nlohmann::json;

void indexArray(const json& doc, const char* key, std::size_t limit,
                std::map<std::string, int>& table) {
    table.clear();
    if (!doc.contains(key)) {
        return;
    }
    const json& items = doc.at(key);
    if (!items.is_array()) {
        throw CompileError(std::string(key) + ": expected an array");
    }
    if (items.size() > limit) {
        throw CompileError(std::string(key) + ": more than " + std::to_string(limit) + " entries");
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string where = std::string(key) + "[" + std::to_string(i) + "]";
        const json& item = items[i];
        if (!item.is_object() || !item.contains("id") || !item.at("id").is_string()) {
            throw CompileError(where + ": expected an object with a string \"id\"");
        }
        std::string id = item.at("id").get<std::string>();
        if (!table.emplace(id, static_cast<int>(i)).second) {
            throw CompileError(where + ": duplicate id \"" + id + "\"");
        }
    }
}

void registerNamePairs(CompileContext& ctx) {
    if (!ctx.doc.contains("namePairs")) {
        return;
    }
    const json& pairs = ctx.doc.at("namePairs");
    if (!pairs.is_array()) {
        throw CompileError("namePairs: expected an array of [first, second] pairs");
    }
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::string where = "namePairs[" + std::to_string(i) + "]";
        const json& p = pairs[i];
        if (!p.is_array() || p.size() != 2 || !p[0].is_string() || !p[1].is_string()) {
            throw CompileError(where + ": expected [first, second] texts");
        }
        ctx.names.addPair(toCp1250(p[0].get<std::string>(), where + "[0]"),
                          toCp1250(p[1].get<std::string>(), where + "[1]"));
    }
}

bool isCityKind(const CompileContext& ctx) {
    if (!ctx.doc.contains("header")) {
        return false;
    }
    std::string kind = toCp1250(ctx.doc.at("header").value("kind", std::string()), "header.kind");
    return trasovnik::collateCompare(kind, "CITY") == 0 ||
           trasovnik::collateCompare(kind, "MHD") == 0;
}

}  // namespace

void indexSourceObjects(CompileContext& ctx) {
    // Index limits follow the widths the file gives them (0xFFFF stays free as "none" where
    // the engine uses it so).
    indexArray(ctx.doc, "towns", 0xFFFF, ctx.townIndex);
    indexArray(ctx.doc, "stopGroups", 128, ctx.groupIndex);
    indexArray(ctx.doc, "stops", 0xFFFF, ctx.stopIndex);
    indexArray(ctx.doc, "notes", 0xFFFF, ctx.noteIndex);
    indexArray(ctx.doc, "lineKinds", 256, ctx.lineKindIndex);
    indexArray(ctx.doc, "lineGroups", 0xFFFF, ctx.lineGroupIndex);
    indexArray(ctx.doc, "lines", 0xFFFF, ctx.lineIndex);
    indexArray(ctx.doc, "calendars", 0xFFFF, ctx.calendarIndex);
    registerNamePairs(ctx);
    ctx.cityFile = isCityKind(ctx);
}

}  // namespace jz
