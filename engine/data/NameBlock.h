#pragma once
// The name block: every text of a timetable file packed once, referred to by the byte offset
// of its entry (the name reference). An entry is an optional 2-byte prefix (present when the
// block carries a pair table), a length byte (255 escapes to a 16-bit length in the next two
// bytes) and the Windows-1250 bytes. Every reference is checked against the block.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trasovnik {

class TimetableFileReader;

class cNazvy {
public:
    void read(TimetableFileReader& reader);

    // The pair table; entries carry a prefix when it is not empty.
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }
    bool hasPrefixes() const { return !pairs_.empty(); }
    const std::string& block() const { return block_; }

    // The text of the entry at `reference`; ENGINE_EXC_INDEX when the entry does not lie
    // wholly inside the block.
    std::string_view entryText(std::uint32_t reference) const;
    // The same, or none when the entry does not lie inside the block.
    std::optional<std::string_view> tryEntryText(std::uint32_t reference) const;
    // The entry's 2-byte prefix (big-endian), 0 in a block without prefixes.
    std::uint16_t entryPrefix(std::uint32_t reference) const;
    // Raises ENGINE_EXC_INDEX unless `reference` names an entry inside the block.
    void checkReference(std::uint32_t reference) const { entryText(reference); }

    std::string readPackedEntry(std::uint32_t reference) const;
    std::size_t packedEntryLength(std::uint32_t reference) const;
    // Copies the entry's bytes (no terminator) into dest and returns their number;
    // ENGINE_EXC_BAD_ARGUMENT when they do not fit in `capacity`.
    std::size_t copyPackedEntryInto(std::uint32_t reference, char* dest,
                                    std::size_t capacity) const;
    bool packedEntryEquals(std::uint32_t reference, std::string_view text) const;
    // Equal after lowercasing and stripping diacritics of both sides.
    bool packedEntryEqualsFolded(std::uint32_t reference, std::string_view text) const;
    // Start positions at which `pattern` occurs in the entry; 0 for an empty pattern.
    std::size_t countOccurrences(std::uint32_t reference, std::string_view pattern) const;
    std::size_t countOccurrencesFolded(std::uint32_t reference, std::string_view pattern) const;

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::string block_;
};

// Occurrences of `pattern` in `text`, exactly or ignoring case and diacritics.
std::size_t countOccurrencesIn(std::string_view text, std::string_view pattern);
std::size_t countOccurrencesFoldedIn(std::string_view text, std::string_view pattern);

}  // namespace trasovnik
