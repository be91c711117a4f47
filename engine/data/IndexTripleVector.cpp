#include "engine/data/IndexTripleVector.h"

#include <algorithm>
#include <new>
#include <utility>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"

namespace trasovnik {

namespace {

std::unique_ptr<IndexTriple[]> allocateTriples(std::uint32_t n) {
    std::unique_ptr<IndexTriple[]> items(new (std::nothrow) IndexTriple[n]);
    if (!items) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
    return items;
}

template <typename Pred>
bool any(const PlaceRecord& record, Pred pred) {
    if (record.items == nullptr) {
        return false;
    }
    return std::any_of(record.items, record.items + record.count, pred);
}

}  // namespace

IndexTripleVector::IndexTripleVector() : items_(allocateTriples(1)), spare_(1) {}

IndexTripleVector::IndexTripleVector(const IndexTripleVector& other)
    : items_(allocateTriples(other.count_ == 0 ? 1u : other.count_)),
      count_(other.count_),
      spare_(other.count_ == 0 ? 1 : 0) {
    std::copy(other.items_.get(), other.items_.get() + other.count_, items_.get());
}

IndexTripleVector& IndexTripleVector::operator=(const IndexTripleVector& other) {
    if (this != &other) {
        IndexTripleVector copy(other);
        *this = std::move(copy);
    }
    return *this;
}

IndexTripleVector::IndexTripleVector(IndexTripleVector&& other) noexcept
    : items_(std::move(other.items_)),
      count_(std::exchange(other.count_, 0)),
      spare_(std::exchange(other.spare_, 0)) {}

IndexTripleVector& IndexTripleVector::operator=(IndexTripleVector&& other) noexcept {
    items_ = std::move(other.items_);
    count_ = std::exchange(other.count_, 0);
    spare_ = std::exchange(other.spare_, 0);
    return *this;
}

IndexTripleVector IndexTripleVector::fromRecord(const PlaceRecord& record) {
    if (record.count > 0 && record.items == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    IndexTripleVector v;
    if (record.count > 0) {
        v.items_ = allocateTriples(record.count);
        std::copy(record.items, record.items + record.count, v.items_.get());
        v.count_ = record.count;
        v.spare_ = 0;
    }
    return v;
}

void IndexTripleVector::reset() {
    spare_ = static_cast<std::uint8_t>(spare_ + count_);
    count_ = 0;
}

void IndexTripleVector::append(std::int32_t timetable, std::int32_t kind, std::int32_t element) {
    if (count_ >= kMaxTriples) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    if (spare_ == 0) {
        // Grow by exactly one triple.
        std::unique_ptr<IndexTriple[]> bigger = allocateTriples(count_ + 1u);
        if (items_) {
            std::copy(items_.get(), items_.get() + count_, bigger.get());
        }
        items_ = std::move(bigger);
        spare_ = 1;
    }
    items_[count_] = IndexTriple{timetable, kind, element};
    ++count_;
    --spare_;
}

const IndexTriple& IndexTripleVector::at(std::uint32_t i) const {
    if (i >= count_) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return items_[i];
}

bool IndexTripleVector::contains(std::int32_t timetable, std::int32_t kind,
                                 std::int32_t element) const {
    return contains(record(), timetable, kind, element);
}

bool IndexTripleVector::containsKindElement(std::int32_t kind, std::int32_t element) const {
    return containsKindElement(record(), kind, element);
}

bool IndexTripleVector::containsKind(std::int32_t kind) const {
    return containsKind(record(), kind);
}

bool IndexTripleVector::contains(const PlaceRecord& record, std::int32_t timetable,
                                 std::int32_t kind, std::int32_t element) {
    return any(record, [&](const IndexTriple& t) {
        return t.timetable == timetable && t.kind == kind && t.element == element;
    });
}

bool IndexTripleVector::containsKindElement(const PlaceRecord& record, std::int32_t kind,
                                            std::int32_t element) {
    return any(record,
               [&](const IndexTriple& t) { return t.kind == kind && t.element == element; });
}

bool IndexTripleVector::containsKind(const PlaceRecord& record, std::int32_t kind) {
    return any(record, [&](const IndexTriple& t) { return t.kind == kind; });
}

std::string IndexTripleVector::elementName(std::uint32_t i, const TripleNameSource& names) const {
    return std::string(names.elementNameOf(at(i)));
}

std::size_t IndexTripleVector::elementNameLength(std::uint32_t i,
                                                 const TripleNameSource& names) const {
    return names.elementNameOf(at(i)).size();
}

std::string IndexTripleVector::categoryName(std::uint32_t i, const TripleNameSource& names) const {
    return std::string(names.kindNameOf(at(i)));
}

bool IndexTripleVector::firstElementNameEquals(std::string_view text,
                                               const TripleNameSource& names) const {
    return count_ > 0 && collateCompare(names.elementNameOf(at(0)), text) == 0;
}

bool IndexTripleVector::firstCategoryNameEquals(std::string_view text,
                                                const TripleNameSource& names) const {
    return count_ > 0 && collateCompare(names.kindNameOf(at(0)), text) == 0;
}

}  // namespace trasovnik
