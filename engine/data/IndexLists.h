#pragma once
// Index lists: runs of 16-bit indexes in a shared pool, each named by one 32-bit word that
// holds the run's length in its top 10 bits and its offset in the pool in its low 22 bits.

#include <cstdint>
#include <span>
#include <vector>

namespace trasovnik {

constexpr std::uint32_t indexListCount(std::uint32_t word) {
    return word >> 22;
}
constexpr std::uint32_t indexListOffset(std::uint32_t word) {
    return word & 0x3FFFFF;
}
constexpr std::uint32_t makeIndexListWord(std::uint32_t offset, std::uint32_t count) {
    return (count << 22) | (offset & 0x3FFFFF);
}

// The run named by `word`; ENGINE_EXC_INDEX when it does not lie inside the pool.
std::span<const std::uint16_t> indexListOf(const std::vector<std::uint16_t>& pool,
                                           std::uint32_t word);
// A copy of the run named by `word`.
std::vector<std::uint16_t> copyIndexList(const std::vector<std::uint16_t>& pool,
                                         std::uint32_t word);
// The position in `words` of the first list that holds `value`, or -1 when none does.
int findInIndexLists(const std::vector<std::uint16_t>& pool, std::span<const std::uint32_t> words,
                     std::uint16_t value);

}  // namespace trasovnik
