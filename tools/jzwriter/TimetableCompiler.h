#pragma once
// Compiles a readable timetable description (JSON, see tools/jzc/FORMAT.md) into the bytes of
// a timetable file that the engine loads.

#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/jzwriter/ContainerWriter.h"

namespace jz {

// The content stream: every section in the order the engine's loader reads them.
ContentWriter compileContent(const nlohmann::json& doc);
// The same for a description whose trips come from `table` instead of its "trips" (the feed
// importer's lean path for large networks).
struct CompactTripTable;
ContentWriter compileContent(const nlohmann::json& doc, const CompactTripTable& table);

// The container options the description asks for ("version", "container").
ContainerOptions containerOptionsOf(const nlohmann::json& doc);

// The whole file. Throws CompileError for a faulty description.
std::vector<std::uint8_t> compileTimetable(const nlohmann::json& doc);

}  // namespace jz
