#include "engine/data/IndexLists.h"

#include <algorithm>

#include "engine/data/EngineException.h"

namespace trasovnik {

std::span<const std::uint16_t> indexListOf(const std::vector<std::uint16_t>& pool,
                                           std::uint32_t word) {
    std::uint64_t offset = indexListOffset(word);
    std::uint64_t count = indexListCount(word);
    if (offset + count > pool.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return std::span<const std::uint16_t>(pool).subspan(offset, count);
}

std::vector<std::uint16_t> copyIndexList(const std::vector<std::uint16_t>& pool,
                                         std::uint32_t word) {
    auto run = indexListOf(pool, word);
    return {run.begin(), run.end()};
}

int findInIndexLists(const std::vector<std::uint16_t>& pool, std::span<const std::uint32_t> words,
                     std::uint16_t value) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto run = indexListOf(pool, words[i]);
        if (std::find(run.begin(), run.end(), value) != run.end()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace trasovnik
