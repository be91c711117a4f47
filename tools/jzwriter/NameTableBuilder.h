#pragma once
// Builds a timetable file's packed name block: every text of the file is interned once and
// referred to by its byte offset (its name reference). Lengths above 254 use the 255 escape;
// when the block carries prefix pairs, every entry starts with a 2-byte prefix.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jz {

class NameTableBuilder {
public:
    // The reference of `text` (Windows-1250 bytes), adding it when it is new.
    std::uint32_t intern(std::string_view text);
    // Adds a pair to the block's pair table; a block with pairs gives every entry a prefix.
    void addPair(std::string first, std::string second);
    bool hasPairs() const { return !pairs_.empty(); }
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }
    // The packed entries, in reference order.
    const std::vector<std::uint8_t>& block() const { return block_; }

private:
    std::map<std::string, std::uint32_t, std::less<>> refs_;
    std::vector<std::uint8_t> block_;
    std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace jz
