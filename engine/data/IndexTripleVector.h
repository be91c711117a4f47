#pragma once
// Names objects of the timetable files of a set by (timetable, category kind, element) triples:
// the places of a search request, favourites and history entries. The vector grows by one
// triple at a time and holds at most 255 triples; the same triples with a count form the place
// record that crosses the library boundary.

#include <cstdint>
#include <memory>

namespace trasovnik {

struct IndexTriple {
    std::int32_t timetable = 0;  // timetable index within the set
    std::int32_t kind = 0;       // category kind index
    std::int32_t element = 0;    // element index within the kind
};
static_assert(sizeof(IndexTriple) == 12, "a triple is three 32-bit values");

// A place record: `count` triples at `items`, owned by someone else.
struct PlaceRecord {
    const IndexTriple* items = nullptr;
    std::uint8_t count = 0;
};

class IndexTripleVector {
public:
    static constexpr std::uint32_t kMaxTriples = 255;

    // Room for one triple, count 0, spare 1.
    IndexTripleVector();
    IndexTripleVector(const IndexTripleVector& other);
    IndexTripleVector& operator=(const IndexTripleVector& other);
    IndexTripleVector(IndexTripleVector&& other) noexcept;
    IndexTripleVector& operator=(IndexTripleVector&& other) noexcept;
    ~IndexTripleVector() = default;

    // A vector with a copy of the record's triples, in order. A record with triples but no
    // items pointer raises ENGINE_EXC_BAD_ARGUMENT.
    static IndexTripleVector fromRecord(const PlaceRecord& record);

    // Count 0; the used slots become spare.
    void reset();
    // Appends a triple; the 256th raises ENGINE_EXC_INDEX and leaves the vector unchanged.
    void append(std::int32_t timetable, std::int32_t kind, std::int32_t element);

    std::uint8_t count() const { return count_; }
    std::uint8_t spare() const { return spare_; }
    // Triple i; an index not below count raises ENGINE_EXC_INDEX.
    const IndexTriple& at(std::uint32_t i) const;
    const IndexTriple* items() const { return items_.get(); }
    PlaceRecord record() const { return PlaceRecord{items_.get(), count_}; }

    bool contains(std::int32_t timetable, std::int32_t kind, std::int32_t element) const;
    bool containsKindElement(std::int32_t kind, std::int32_t element) const;
    bool containsKind(std::int32_t kind) const;

    // The same tests on a place record.
    static bool contains(const PlaceRecord& record, std::int32_t timetable, std::int32_t kind,
                         std::int32_t element);
    static bool containsKindElement(const PlaceRecord& record, std::int32_t kind,
                                    std::int32_t element);
    static bool containsKind(const PlaceRecord& record, std::int32_t kind);

private:
    std::unique_ptr<IndexTriple[]> items_;
    std::uint8_t count_ = 0;
    std::uint8_t spare_ = 0;  // free slots behind the last triple
};

}  // namespace trasovnik
