#pragma once
// Section round trips for tests: a description's chosen sections are compiled, packed into a
// container behind the name block, and opened again with the engine's reader, which then
// stands at the start of the first chosen section with the name block already read.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"
#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/ContentWriter.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace trasovnik::testing {

using SectionCompiler = void (*)(jz::CompileContext&, jz::ContentWriter&);

// Runs `f` and returns the engine code it raised (0 when it returned normally).
inline std::uint32_t engineCodeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EngineException& e) {
        return e.code();
    }
    return 0;
}

// A reader over a container holding `content`, its plain block table read. Section lengths
// are completed by the container writer (the flag bytes of blocks inside each section).
inline std::unique_ptr<TimetableFileReader> openContent(const jz::ContentWriter& content,
                                                        std::uint32_t major = 4,
                                                        std::uint32_t minor = 0) {
    jz::ContainerOptions options;
    options.major = major;
    options.minor = minor;
    options.plainBlocks = {5, 17};
    options.compressedBlockContent = 61;
    auto reader = std::make_unique<TimetableFileReader>();
    reader->openBytes(jz::writeContainer(content, options), "section.jz");
    reader->readPlainBlockTable();
    return reader;
}

// The same over raw bytes, kept in plain blocks only so that no flag byte falls inside a
// hand-made section.
inline std::unique_ptr<TimetableFileReader> openContent(const std::vector<std::uint8_t>& content,
                                                        std::uint32_t major = 4,
                                                        std::uint32_t minor = 0) {
    jz::ContainerOptions options;
    options.major = major;
    options.minor = minor;
    options.plainBlocks = {5, 17, content.size()};
    auto reader = std::make_unique<TimetableFileReader>();
    reader->openBytes(jz::writeContainer(content, options), "section.jz");
    reader->readPlainBlockTable();
    return reader;
}

// Written after the chosen sections: a reader that read them to their end reads this next.
inline constexpr std::uint32_t kAfterSections = 0x5EC7E4D5;

// The content of the name block followed by the chosen sections of `doc` and kAfterSections.
inline jz::ContentWriter compileSections(const nlohmann::json& doc,
                                         std::initializer_list<SectionCompiler> sections) {
    jz::ContainerOptions options = jz::containerOptionsOf(doc);
    jz::CompileContext ctx{doc};
    ctx.major = static_cast<int>(options.major);
    ctx.minor = static_cast<int>(options.minor);
    jz::indexSourceObjects(ctx);
    std::vector<jz::ContentWriter> parts(sections.size());
    std::size_t i = 0;
    for (SectionCompiler compile : sections) {
        compile(ctx, parts[i++]);
    }
    jz::ContentWriter content;
    jz::compileNameBlock(ctx, content);
    for (const auto& part : parts) {
        content.append(part);
    }
    content.u32(kAfterSections);
    return content;
}

// The chosen sections of `doc` opened again, the name block read into `names`.
struct SectionFixture {
    SectionFixture(const nlohmann::json& doc, std::initializer_list<SectionCompiler> sections) {
        jz::ContainerOptions options = jz::containerOptionsOf(doc);
        reader = openContent(compileSections(doc, sections), options.major, options.minor);
        names.read(*reader);
    }

    std::unique_ptr<TimetableFileReader> reader;
    cNazvy names;
};

}  // namespace trasovnik::testing
