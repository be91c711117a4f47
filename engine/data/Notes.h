#pragma once
// The notes of a timetable file: each note has a mark (a short symbol such as "SC") and a
// text in the name block; items that carry notes (trips, passages) hold an attachment index
// whose word names a run of note indexes in the attachment pool. Notes whose mark is one of
// the eight kind names are kinds, not remarks.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cNazvy;

struct cPoznamka {
    std::uint32_t markReference = 0;
    std::uint32_t textReference = 0;
};

struct cAtributPoznamky {
    std::uint16_t value = 0;
    std::uint8_t byte = 0;
};

// A run of note indexes in the attachment pool.
struct cVazba {
    std::uint32_t offset = 0;  // 24 bits
    std::uint8_t count = 0;
};

// The eight kind names, in their order; a note whose mark equals one of them byte for byte
// is a kind.
inline constexpr std::array<std::string_view, 8> kNoteKindNames = {
    "INFO_IMPORTANT", "INFO", "LINE", "LINE_NAME", "OWNER", "RESERV", "RESERV2", "DIRECTCARS"};

class cPoznamky {
public:
    // Reads the notes section; every mark and text reference is checked against `names`,
    // every pool entry against the note table and every attachment word against the pool
    // (ENGINE_EXC_INDEX).
    void read(TimetableFileReader& reader, const cNazvy& names);

    std::size_t noteCount() const { return notes_.size(); }
    const cPoznamka& note(std::size_t i) const;
    const std::vector<cAtributPoznamky>& attributes() const { return attributes_; }
    const std::vector<std::uint16_t>& pool() const { return pool_; }
    const std::vector<cVazba>& attachments() const { return attachments_; }

    // The note indexes attached at an attachment index; ENGINE_EXC_INDEX when it is out of
    // range.
    std::span<const std::uint16_t> attachedNotes(std::uint32_t attachment) const;
    // Whether note i's mark is one of the kind names.
    bool isKind(std::size_t i) const;
    // The kind number (index into kNoteKindNames) of note i, or -1 for a remark.
    int kindOf(std::size_t i) const;

    std::string noteMark(const cNazvy& names, std::size_t i) const;
    std::string noteText(const cNazvy& names, std::size_t i) const;
    // Index of the note whose mark equals `mark` exactly, or -1.
    int findByMark(const cNazvy& names, std::string_view mark) const;

private:
    std::vector<cPoznamka> notes_;
    std::vector<std::int8_t> kinds_;
    std::vector<cAtributPoznamky> attributes_;
    std::vector<std::uint16_t> pool_;
    std::vector<cVazba> attachments_;
};

// The notes attached to items, seen through the note table and the name block.
class cVazbyPoznamek {
public:
    cVazbyPoznamek(const cPoznamky& notes, const cNazvy& names) : notes_(notes), names_(names) {}

    // The attached notes that are remarks (not kinds), in pool order; empty when none.
    std::vector<std::uint16_t> notesOf(std::uint32_t attachment) const;
    // The attached notes that are kinds (their mark is one of the eight kind names), in pool
    // order.
    std::vector<std::uint16_t> kindNotesOf(std::uint32_t attachment) const;
    // The attached notes whose mark is the first kind name, "INFO_IMPORTANT".
    std::vector<std::uint16_t> firstKindNotes(std::uint32_t attachment) const;

    std::string mark(std::size_t note) const { return notes_.noteMark(names_, note); }
    std::string text(std::size_t note) const { return notes_.noteText(names_, note); }
    const cPoznamky& notes() const { return notes_; }
    const cNazvy& names() const { return names_; }

private:
    const cPoznamky& notes_;
    const cNazvy& names_;
};

}  // namespace trasovnik
