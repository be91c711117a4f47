#include "engine/data/NameBlock.h"

#include <algorithm>
#include <cstring>

#include "engine/data/CheckedReads.h"
#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

constexpr std::uint8_t kLengthEscape = 255;

bool foldedEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && collateCompareFolded(a, b) == 0;
}

}  // namespace

void cNazvy::read(TimetableFileReader& reader) {
    reader.skipSection();
    pairs_.clear();
    if (reader.readBool()) {
        // Each pair needs at least two 4-byte length words.
        std::uint32_t count = readCount(reader, 8);
        pairs_.resize(count);
        for (auto& p : pairs_) {
            p.first = readCheckedText(reader);
        }
        for (auto& p : pairs_) {
            p.second = readCheckedText(reader);
        }
    }
    block_ = readCheckedText(reader);
    reader.skipSection();
}

std::optional<std::string_view> cNazvy::tryEntryText(std::uint32_t reference) const {
    std::size_t at = reference;
    std::size_t size = block_.size();
    if (hasPrefixes()) {
        if (size - std::min(size, at) < 2) {
            return std::nullopt;
        }
        at += 2;
    }
    if (at >= size) {
        return std::nullopt;
    }
    std::size_t length = static_cast<std::uint8_t>(block_[at]);
    ++at;
    if (length == kLengthEscape) {
        if (size - at < 2) {
            return std::nullopt;
        }
        length = static_cast<std::size_t>(static_cast<std::uint8_t>(block_[at])) << 8 |
                 static_cast<std::uint8_t>(block_[at + 1]);
        at += 2;
    }
    if (size - at < length) {
        return std::nullopt;
    }
    return std::string_view(block_).substr(at, length);
}

std::string_view cNazvy::entryText(std::uint32_t reference) const {
    auto text = tryEntryText(reference);
    if (!text) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return *text;
}

std::uint16_t cNazvy::entryPrefix(std::uint32_t reference) const {
    entryText(reference);
    if (!hasPrefixes()) {
        return 0;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(block_[reference]) << 8 |
                                      static_cast<std::uint8_t>(block_[reference + 1]));
}

std::string cNazvy::readPackedEntry(std::uint32_t reference) const {
    return std::string(entryText(reference));
}

std::size_t cNazvy::packedEntryLength(std::uint32_t reference) const {
    return entryText(reference).size();
}

std::size_t cNazvy::copyPackedEntryInto(std::uint32_t reference, char* dest,
                                        std::size_t capacity) const {
    std::string_view text = entryText(reference);
    if (text.size() > capacity) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    if (!text.empty()) {
        std::memcpy(dest, text.data(), text.size());
    }
    return text.size();
}

bool cNazvy::packedEntryEquals(std::uint32_t reference, std::string_view text) const {
    return entryText(reference) == text;
}

bool cNazvy::packedEntryEqualsFolded(std::uint32_t reference, std::string_view text) const {
    return foldedEqual(entryText(reference), text);
}

std::size_t cNazvy::countOccurrences(std::uint32_t reference, std::string_view pattern) const {
    return countOccurrencesIn(entryText(reference), pattern);
}

std::size_t cNazvy::countOccurrencesFolded(std::uint32_t reference,
                                           std::string_view pattern) const {
    return countOccurrencesFoldedIn(entryText(reference), pattern);
}

std::size_t countOccurrencesIn(std::string_view text, std::string_view pattern) {
    if (pattern.empty() || pattern.size() > text.size()) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        if (text.compare(i, pattern.size(), pattern) == 0) {
            ++count;
        }
    }
    return count;
}

std::size_t countOccurrencesFoldedIn(std::string_view text, std::string_view pattern) {
    if (pattern.empty() || pattern.size() > text.size()) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
        if (foldedEqual(text.substr(i, pattern.size()), pattern)) {
            ++count;
        }
    }
    return count;
}

}  // namespace trasovnik
