#include "tools/jzwriter/TimetableCompiler.h"

#include <functional>
#include <string>

#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TripLayout.h"

namespace jz {

namespace {

void parseVersion(const nlohmann::json& doc, int& major, int& minor) {
    std::string v = doc.value("version", std::string("4.0"));
    std::size_t dot = v.find('.');
    try {
        major = std::stoi(v.substr(0, dot));
        minor = dot == std::string::npos ? 0 : std::stoi(v.substr(dot + 1));
    } catch (const std::exception&) {
        throw CompileError("version: expected \"major.minor\", got \"" + v + "\"");
    }
}

}  // namespace

int lookupId(const std::map<std::string, int>& table, const std::string& id, const char* what) {
    auto it = table.find(id);
    if (it == table.end()) {
        throw CompileError(std::string("unknown ") + what + " \"" + id + "\"");
    }
    return it->second;
}

std::uint32_t internNoteIds(CompileContext& ctx, const nlohmann::json& ids) {
    std::vector<std::uint16_t> notes;
    for (const nlohmann::json& id : ids) {
        notes.push_back(
            static_cast<std::uint16_t>(lookupId(ctx.noteIndex, id.get<std::string>(), "note")));
    }
    return ctx.attachments.intern(notes);
}

namespace {

// Compiles every section into its own writer (they all add names) and lays them out in the
// order the loader reads them. The trips are laid out once, by `layTrips`, from the
// description or from a compact trip table.
ContentWriter compileSections(const nlohmann::json& doc,
                              const std::function<TripLayout(CompileContext&)>& layTrips) {
    CompileContext ctx{doc};
    parseVersion(doc, ctx.major, ctx.minor);
    indexSourceObjects(ctx);
    // Before the notes: laying out the trips interns the note lists they use, and the stops
    // section needs the passage counts.
    TripLayout layout = layTrips(ctx);
    ctx.passageCountOfStop = layout.passageCountOfStop;
    internStopNotes(ctx);

    ContentWriter header, defaults, notes, stops, categories, trips, passages, nameBlock;
    compileHeader(ctx, header);
    compileSearchDefaults(ctx, defaults);
    compileNotes(ctx, notes);
    compileStops(ctx, stops);
    compileCategories(ctx, categories);
    writeTripsSection(ctx, layout, trips);
    {
        const PassageSection section = layoutPassageSection(layout);
        layout = TripLayout{};  // the passages are all that is still needed
        writePassageSection(section, passages);
    }
    compileNameBlock(ctx, nameBlock);

    ContentWriter content;
    for (const ContentWriter* part :
         {&header, &defaults, &nameBlock, &notes, &stops, &categories, &trips, &passages}) {
        content.append(*part);
    }
    // The loader's closing section, skipped whole.
    content.skippedSection("end");
    return content;
}

}  // namespace

ContentWriter compileContent(const nlohmann::json& doc) {
    return compileSections(doc, [](CompileContext& ctx) { return layoutTrips(ctx); });
}

ContentWriter compileContent(const nlohmann::json& doc, const CompactTripTable& table) {
    return compileSections(doc, [&](CompileContext& ctx) { return layoutTrips(ctx, table); });
}

ContainerOptions containerOptionsOf(const nlohmann::json& doc) {
    ContainerOptions o;
    int major = 4, minor = 0;
    parseVersion(doc, major, minor);
    o.major = static_cast<std::uint32_t>(major);
    o.minor = static_cast<std::uint32_t>(minor);
    if (doc.contains("container")) {
        const auto& c = doc.at("container");
        if (c.contains("plainBlocks")) {
            o.plainBlocks = c.at("plainBlocks").get<std::vector<std::size_t>>();
        }
        o.compressedBlockContent = c.value("compressedBlockContent", o.compressedBlockContent);
        o.insertNonContentBlock = c.value("insertNonContentBlock", o.insertNonContentBlock);
        if (c.contains("magic")) {
            o.magic = c.at("magic").get<std::uint32_t>();
        }
    }
    if (o.compressedBlockContent == 0) {
        throw CompileError("container.compressedBlockContent must be above 0");
    }
    return o;
}

std::vector<std::uint8_t> compileTimetable(const nlohmann::json& doc) {
    return writeContainer(compileContent(doc), containerOptionsOf(doc));
}

}  // namespace jz
