#pragma once
// Names objects of the timetable files of a set by (timetable, category kind, element) triples:
// the places of a search request, favourites and history entries. The vector grows by one
// triple at a time and holds at most 255 triples; the same triples with a count form the place
// record that crosses the library boundary.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace trasovnik {

struct IndexTriple {
    std::int32_t timetable = 0;  // timetable index within the set
    std::int32_t kind = 0;       // category kind index
    std::int32_t element = 0;    // element index within the kind
};
static_assert(sizeof(IndexTriple) == 12, "a triple is three 32-bit values");

// Where the names of triples are read: the category section of the file that a triple's
// timetable index names (a set reads it from its files, a single file's store from its own).
class TripleNameSource {
public:
    virtual ~TripleNameSource() = default;
    // ENGINE_EXC_INDEX for a triple that names no element (or kind) of the source.
    virtual std::string_view elementNameOf(const IndexTriple& t) const = 0;
    virtual std::string_view kindNameOf(const IndexTriple& t) const = 0;
};

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

    // The name of the element, or of the category kind, that triple i names, as a new
    // buffer; ENGINE_EXC_INDEX when i is not below count.
    std::string elementName(std::uint32_t i, const TripleNameSource& names) const;
    std::size_t elementNameLength(std::uint32_t i, const TripleNameSource& names) const;
    std::string categoryName(std::uint32_t i, const TripleNameSource& names) const;
    // Whether the element name, or the kind name, of the first triple equals `text` under
    // collateCompare; false for an empty vector.
    bool firstElementNameEquals(std::string_view text, const TripleNameSource& names) const;
    bool firstCategoryNameEquals(std::string_view text, const TripleNameSource& names) const;

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
