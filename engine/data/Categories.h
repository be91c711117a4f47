#pragma once
// The category section: the kinds of places a user can choose (towns, stops and other kinds
// of objects) and their elements, each naming a run of stops in the stop pool. Elements of a
// kind are sorted by collateCompare, which the name lookup relies on.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cNazvy;

struct cElementKategorie {
    std::uint32_t nameReference = 0;
    // Offset of the element's stops in the stop pool (22 bits) and their number.
    std::uint32_t poolOffset = 0;
    std::uint16_t stopCount = 0;
    std::uint32_t value = 0;
};

struct cDruhKategorie {
    std::uint32_t nameReference = 0;
    // The length the kind's name is shown with (may be shorter than its entry).
    std::uint32_t nameLength = 0;
    std::vector<cElementKategorie> elements;
};

class cKategorie {
public:
    // Reads the category section. Name references are checked against `names`, stop indexes
    // against `stopCount` and every element's stops against the pool (ENGINE_EXC_INDEX).
    void read(TimetableFileReader& reader, const cNazvy& names, std::size_t stopCount);

    std::size_t kindCount() const { return kinds_.size(); }
    // The last kind whose name contains "zastávky" (ignoring case and diacritics), or -1.
    int stopsKind() const { return stopsKind_; }
    // ENGINE_EXC_INDEX for a kind or element out of range, here and below.
    const cDruhKategorie& kind(std::size_t k) const;
    std::size_t elementCount(std::size_t k) const { return kind(k).elements.size(); }
    const cElementKategorie& element(std::size_t k, std::size_t e) const;

    std::string_view kindName(const cNazvy& names, std::size_t k) const;
    std::string_view elementName(const cNazvy& names, std::size_t k, std::size_t e) const;
    // The stops of an element, as a copy of its run of the pool.
    std::vector<std::uint16_t> copyIndexList(std::size_t k, std::size_t e) const;
    std::span<const std::uint16_t> stopsOf(std::size_t k, std::size_t e) const;

    // The indexes, ascending, of every element of kind k whose name compares equal to `key`
    // under collateCompare; empty when none does.
    std::vector<std::uint32_t> findEntriesByPrefix(const cNazvy& names, std::size_t k,
                                                   std::string_view key) const;

    const std::vector<std::uint16_t>& pool() const { return pool_; }

private:
    std::vector<std::uint16_t> pool_;
    std::vector<cDruhKategorie> kinds_;
    int stopsKind_ = -1;
};

}  // namespace trasovnik
