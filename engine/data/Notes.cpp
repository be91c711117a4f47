#include "engine/data/Notes.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

int kindNumberOf(std::string_view mark) {
    for (std::size_t k = 0; k < kNoteKindNames.size(); ++k) {
        if (mark == kNoteKindNames[k]) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

}  // namespace

void cPoznamky::read(TimetableFileReader& reader, const cNazvy& names) {
    reader.skipSection();

    reader.skipSection();
    notes_.resize(readCount(reader, 8));
    kinds_.clear();
    kinds_.reserve(notes_.size());
    for (auto& n : notes_) {
        n.markReference = reader.readU32();
        n.textReference = reader.readU32();
        kinds_.push_back(static_cast<std::int8_t>(kindNumberOf(names.entryText(n.markReference))));
        names.checkReference(n.textReference);
    }
    reader.skipSection();

    reader.skipSection();
    attributes_.resize(readCount(reader, 3));
    for (auto& a : attributes_) {
        a.value = reader.readU16();
        a.byte = reader.readU8();
    }
    reader.skipSection();

    pool_.resize(readCount(reader, 2));
    for (auto& index : pool_) {
        index = reader.readU16();
        if (index >= notes_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }

    attachments_.resize(readCount(reader, 5));
    for (auto& w : attachments_) {
        w.offset = reader.readU32() & 0xFFFFFFu;
        w.count = reader.readU8();
        if (static_cast<std::size_t>(w.offset) + w.count > pool_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }
    reader.skipSection();
}

const cPoznamka& cPoznamky::note(std::size_t i) const {
    if (i >= notes_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return notes_[i];
}

std::span<const std::uint16_t> cPoznamky::attachedNotes(std::uint32_t attachment) const {
    if (attachment >= attachments_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const cVazba& w = attachments_[attachment];
    return std::span<const std::uint16_t>(pool_).subspan(w.offset, w.count);
}

int cPoznamky::kindOf(std::size_t i) const {
    note(i);
    return kinds_[i];
}

bool cPoznamky::isKind(std::size_t i) const {
    return kindOf(i) >= 0;
}

std::string cPoznamky::noteMark(const cNazvy& names, std::size_t i) const {
    return names.readPackedEntry(note(i).markReference);
}

std::string cPoznamky::noteText(const cNazvy& names, std::size_t i) const {
    return names.readPackedEntry(note(i).textReference);
}

int cPoznamky::findByMark(const cNazvy& names, std::string_view mark) const {
    for (std::size_t i = 0; i < notes_.size(); ++i) {
        if (names.packedEntryEquals(notes_[i].markReference, mark)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::uint16_t> cVazbyPoznamek::notesOf(std::uint32_t attachment) const {
    std::vector<std::uint16_t> out;
    for (std::uint16_t n : notes_.attachedNotes(attachment)) {
        if (!notes_.isKind(n)) {
            out.push_back(n);
        }
    }
    return out;
}

std::vector<std::uint16_t> cVazbyPoznamek::kindNotesOf(std::uint32_t attachment) const {
    std::vector<std::uint16_t> out;
    for (std::uint16_t n : notes_.attachedNotes(attachment)) {
        if (notes_.isKind(n)) {
            out.push_back(n);
        }
    }
    return out;
}

std::vector<std::uint16_t> cVazbyPoznamek::firstKindNotes(std::uint32_t attachment) const {
    std::vector<std::uint16_t> out;
    for (std::uint16_t n : notes_.attachedNotes(attachment)) {
        if (notes_.kindOf(n) == 0) {
            out.push_back(n);
        }
    }
    return out;
}

}  // namespace trasovnik
