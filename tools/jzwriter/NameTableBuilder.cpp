#include "tools/jzwriter/NameTableBuilder.h"

#include <stdexcept>
#include <string>

#include "tools/jzwriter/CompileContext.h"

namespace jz {

namespace {

constexpr std::size_t kLongestShortLength = 254;
constexpr std::uint8_t kLengthEscape = 255;
constexpr std::size_t kLongestName = 0xFFFF;

}  // namespace

std::uint32_t NameTableBuilder::intern(std::string_view text) {
    if (auto it = refs_.find(text); it != refs_.end()) {
        return it->second;
    }
    if (text.size() > kLongestName) {
        throw CompileError("a name of " + std::to_string(text.size()) +
                           " bytes is longer than the name block allows (65535)");
    }
    if (block_.size() > 0xFFFFFFFFu - text.size() - 5) {
        throw CompileError("the name block outgrows 32-bit references");
    }
    auto reference = static_cast<std::uint32_t>(block_.size());
    if (hasPairs()) {
        block_.push_back(0);
        block_.push_back(0);
    }
    if (text.size() <= kLongestShortLength) {
        block_.push_back(static_cast<std::uint8_t>(text.size()));
    } else {
        block_.push_back(kLengthEscape);
        block_.push_back(static_cast<std::uint8_t>(text.size() >> 8));
        block_.push_back(static_cast<std::uint8_t>(text.size()));
    }
    block_.insert(block_.end(), text.begin(), text.end());
    refs_.emplace(std::string(text), reference);
    return reference;
}

void NameTableBuilder::addPair(std::string first, std::string second) {
    // Whether entries carry a prefix depends on the pairs, so they must all come first.
    if (!block_.empty()) {
        throw std::logic_error("name pairs added after names were interned");
    }
    pairs_.emplace_back(std::move(first), std::move(second));
}

}  // namespace jz
