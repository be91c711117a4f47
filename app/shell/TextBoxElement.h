#pragma once
// The program's key of a timetable object (stop, town, other category element): triples of
// (timetable, category kind, element), one per timetable of the set that has the object. It
// has the engine's place layout, so the engine fills arrays of these in place; the triple
// array comes from the C heap both sides share and grows one slot at a time.

#include "engine/api/trasovnik.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pelorvant {

class ObjectNames;

class cTextBoxKategorieElement {
public:
    // Room for one triple, none in use.
    cTextBoxKategorieElement();
    ~cTextBoxKategorieElement();
    cTextBoxKategorieElement(const cTextBoxKategorieElement& other);
    cTextBoxKategorieElement& operator=(const cTextBoxKategorieElement& other);

    // Appends a triple; a full array is replaced by one exactly one slot larger.
    void Add(std::int32_t timetable, std::int32_t kind, std::int32_t element);
    // Count 0; the slots stay allocated as free ones.
    void clear();
    // A new element with a copy of the triples (the caller owns it).
    std::unique_ptr<cTextBoxKategorieElement> clone() const;

    // The element's name (kind name) through triple n; outside 0..count-1 an error box
    // "cTextBoxKategorieElement::GetName" is shown and the text is empty.
    std::u16string GetName(int n, ObjectNames& names) const;
    std::u16string GetKindName(int n, ObjectNames& names) const;

    int capacity() const { return count + free; }
    // The engine's view of this element (same object).
    TrasaPlace* place() { return reinterpret_cast<TrasaPlace*>(this); }
    const TrasaPlace* place() const { return reinterpret_cast<const TrasaPlace*>(this); }

    TrasaTriple* items = nullptr;
    std::uint8_t count = 0;
    std::uint8_t free = 0;
};

static_assert(sizeof(cTextBoxKategorieElement) == sizeof(TrasaPlace), "the engine's place layout");
static_assert(offsetof(cTextBoxKategorieElement, count) == offsetof(TrasaPlace, count),
              "the engine's place layout");
static_assert(offsetof(cTextBoxKategorieElement, free) == offsetof(TrasaPlace, spare),
              "the engine's place layout");

}  // namespace pelorvant
