#include "engine/data/ValidityCalendars.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

void cKalendare::read(TimetableFileReader& reader, const cNazvy& names) {
    reader.skipSection();
    first_ = reader.readI16();
    last_ = reader.readI16();
    base_ = reader.readI16();
    // Per calendar at least a 32-bit length and a 32-bit note reference.
    std::uint32_t count = readCount(reader, 8);
    bits_.clear();
    notes_.clear();
    bitmapStart_.assign(1, 0);
    notes_.reserve(count);
    bitmapStart_.reserve(std::size_t{count} + 1);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = readCount(reader, 1);
        std::size_t at = bits_.size();
        bits_.resize(at + length);
        reader.readInto(bits_.data() + at, length);
        bitmapStart_.push_back(static_cast<std::uint32_t>(bits_.size()));
        std::uint32_t note = reader.readU32();
        names.checkReference(note);
        notes_.push_back(note);
    }
    reader.skipSection();
}

std::uint32_t cKalendare::noteReference(std::size_t index) const {
    if (index >= notes_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return notes_[index];
}

std::string_view cKalendare::noteText(std::size_t index, const cNazvy& names) const {
    return names.entryText(noteReference(index));
}

}  // namespace trasovnik
