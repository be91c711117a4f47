#include "engine/data/Categories.h"

#include <algorithm>

#include "engine/data/CheckedReads.h"
#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

// "města a obce/obce JMK" in Windows-1250, listed as its first 12 bytes, "města a obce".
constexpr std::string_view kShortenedKindName =
    "m\xec"
    "sta a obce/obce JMK";
constexpr std::uint32_t kShortenedKindLength = 12;
// "zastávky" in Windows-1250.
constexpr std::string_view kStopsKindWord = "zast\xe1vky";

constexpr std::uint32_t kPoolOffsetMask = 0x3FFFFF;

}  // namespace

void cKategorie::read(TimetableFileReader& reader, const cNazvy& names, std::size_t stopCount) {
    reader.skipSection();

    pool_.resize(readCount(reader, 2));
    for (auto& s : pool_) {
        s = reader.readU16();
        if (s >= stopCount) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }

    kinds_.resize(readCount(reader, 8));
    stopsKind_ = -1;
    for (std::size_t k = 0; k < kinds_.size(); ++k) {
        cDruhKategorie& kind = kinds_[k];
        kind.nameReference = reader.readU32();
        std::string_view name = names.entryText(kind.nameReference);
        kind.nameLength = name == kShortenedKindName ? kShortenedKindLength
                                                     : static_cast<std::uint32_t>(name.size());
        if (countOccurrencesFoldedIn(name, kStopsKindWord) > 0) {
            stopsKind_ = static_cast<int>(k);
        }
        kind.elements.resize(readCount(reader, 14));
        for (auto& e : kind.elements) {
            e.nameReference = reader.readU32();
            names.checkReference(e.nameReference);
            e.poolOffset = reader.readU32() & kPoolOffsetMask;
            e.stopCount = reader.readU16();
            e.value = reader.readU32();
            if (static_cast<std::size_t>(e.poolOffset) + e.stopCount > pool_.size()) {
                raiseEngine(ENGINE_EXC_INDEX);
            }
        }
    }
    reader.skipSection();
}

const cDruhKategorie& cKategorie::kind(std::size_t k) const {
    if (k >= kinds_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return kinds_[k];
}

const cElementKategorie& cKategorie::element(std::size_t k, std::size_t e) const {
    const cDruhKategorie& d = kind(k);
    if (e >= d.elements.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return d.elements[e];
}

std::string_view cKategorie::kindName(const cNazvy& names, std::size_t k) const {
    const cDruhKategorie& d = kind(k);
    return names.entryText(d.nameReference).substr(0, d.nameLength);
}

std::string_view cKategorie::elementName(const cNazvy& names, std::size_t k, std::size_t e) const {
    return names.entryText(element(k, e).nameReference);
}

std::span<const std::uint16_t> cKategorie::stopsOf(std::size_t k, std::size_t e) const {
    const cElementKategorie& el = element(k, e);
    return std::span<const std::uint16_t>(pool_).subspan(el.poolOffset, el.stopCount);
}

std::vector<std::uint16_t> cKategorie::copyIndexList(std::size_t k, std::size_t e) const {
    auto run = stopsOf(k, e);
    return std::vector<std::uint16_t>(run.begin(), run.end());
}

std::vector<std::uint32_t> cKategorie::findEntriesByPrefix(const cNazvy& names, std::size_t k,
                                                           std::string_view key) const {
    const std::vector<cElementKategorie>& elements = kind(k).elements;
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(elements.size());
    std::vector<std::uint32_t> found;
    if (n == 0) {
        return found;
    }
    auto compareAt = [&](std::ptrdiff_t i) {
        return collateCompare(key,
                              names.entryText(elements[static_cast<std::size_t>(i)].nameReference));
    };

    // The probe moves by a step that halves down to 1; once it moves by single places, a
    // change of direction means the key lies between two neighbours. Each move either halves
    // the step or, at step 1, keeps one direction, so the search ends within about 2n probes
    // even when a file's elements are not sorted.
    std::ptrdiff_t probe = n / 2;
    std::ptrdiff_t step = std::max<std::ptrdiff_t>(n / 2, 1);
    int lastDirection = 0;
    for (;;) {
        int c = compareAt(probe);
        if (c == 0) {
            break;
        }
        int direction = c < 0 ? -1 : 1;
        if (step == 1 && lastDirection != 0 && direction != lastDirection) {
            return found;
        }
        step = std::max<std::ptrdiff_t>(step / 2, 1);
        probe += direction * step;
        if (probe < 0 || probe >= n) {
            return found;
        }
        lastDirection = direction;
    }

    std::ptrdiff_t first = probe;
    while (first > 0 && compareAt(first - 1) == 0) {
        --first;
    }
    for (std::ptrdiff_t i = first; i < n && compareAt(i) == 0; ++i) {
        found.push_back(static_cast<std::uint32_t>(i));
    }
    return found;
}

}  // namespace trasovnik
