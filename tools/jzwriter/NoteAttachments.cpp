#include "tools/jzwriter/NoteAttachments.h"

#include "tools/jzwriter/CompileContext.h"

namespace jz {

namespace {

constexpr std::size_t kLargestPoolOffset = 0xFFFFFF;
constexpr std::size_t kLongestList = 255;

}  // namespace

NoteAttachments::NoteAttachments() {
    index_.emplace(std::vector<std::uint16_t>{}, 0);
    words_.emplace_back(0, 0);
}

std::uint32_t NoteAttachments::intern(const std::vector<std::uint16_t>& notes) {
    if (auto it = index_.find(notes); it != index_.end()) {
        return it->second;
    }
    if (notes.size() > kLongestList) {
        throw CompileError("an item carries more than 255 notes");
    }
    if (pool_.size() > kLargestPoolOffset) {
        throw CompileError("the note attachment pool outgrows its 24-bit offsets");
    }
    auto index = static_cast<std::uint32_t>(words_.size());
    words_.emplace_back(static_cast<std::uint32_t>(pool_.size()),
                        static_cast<std::uint8_t>(notes.size()));
    pool_.insert(pool_.end(), notes.begin(), notes.end());
    index_.emplace(notes, index);
    return index;
}

}  // namespace jz
