#pragma once
// The attachment pool of the notes section: each distinct run of note indexes attached to an
// item (stop, trip, passage) gets one attachment index.

#include <cstdint>
#include <map>
#include <vector>

namespace jz {

class NoteAttachments {
public:
    // The attachment index of this list of note indexes, adding it when it is new.
    // Index 0 is always the empty list, so items without notes use 0.
    std::uint32_t intern(const std::vector<std::uint16_t>& notes);
    // Attachment words in index order: (offset in pool, count).
    const std::vector<std::pair<std::uint32_t, std::uint8_t>>& words() const { return words_; }
    const std::vector<std::uint16_t>& pool() const { return pool_; }

    NoteAttachments();

private:
    std::map<std::vector<std::uint16_t>, std::uint32_t> index_;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> words_;
    std::vector<std::uint16_t> pool_;
};

}  // namespace jz
