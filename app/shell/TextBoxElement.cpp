#include "app/shell/TextBoxElement.h"

#include "app/core/ExceptionExit.h"
#include "app/shell/ObjectNames.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace pelorvant {

cTextBoxKategorieElement::cTextBoxKategorieElement() {
    items = static_cast<TrasaTriple*>(std::calloc(1, sizeof(TrasaTriple)));
    if (items == nullptr)
        throw std::bad_alloc();
    free = 1;
}

cTextBoxKategorieElement::~cTextBoxKategorieElement() {
    std::free(items);
}

cTextBoxKategorieElement::cTextBoxKategorieElement(const cTextBoxKategorieElement& other)
    : cTextBoxKategorieElement() {
    *this = other;
}

cTextBoxKategorieElement& cTextBoxKategorieElement::operator=(
    const cTextBoxKategorieElement& other) {
    if (this == &other)
        return *this;
    clear();
    for (int i = 0; i < other.count; ++i) {
        Add(other.items[i].timetable, other.items[i].kind, other.items[i].element);
    }
    return *this;
}

void cTextBoxKategorieElement::Add(std::int32_t timetable, std::int32_t kind,
                                   std::int32_t element) {
    if (free == 0) {
        if (count == 255)
            return;  // a count byte cannot hold more
        auto* grown = static_cast<TrasaTriple*>(std::malloc(sizeof(TrasaTriple) * (count + 1u)));
        if (grown == nullptr)
            throw std::bad_alloc();
        if (count > 0)
            std::memcpy(grown, items, sizeof(TrasaTriple) * count);
        std::free(items);
        items = grown;
        free = 1;
    }
    items[count] = TrasaTriple{timetable, kind, element};
    ++count;
    --free;
}

void cTextBoxKategorieElement::clear() {
    free = static_cast<std::uint8_t>(free + count);
    count = 0;
}

std::unique_ptr<cTextBoxKategorieElement> cTextBoxKategorieElement::clone() const {
    return std::make_unique<cTextBoxKategorieElement>(*this);
}

namespace {

constexpr std::uint32_t kTextElementOutOfRange = 12305;

bool tripleInRange(int n, int count) {
    if (n >= 0 && n < count)
        return true;
    platform::shell::messageBox(platform::kNullWindow, platform::resources::loadResString(kTextElementOutOfRange),
                                platform::resources::loadResString(kTextErrorCaption),
                                platform::shell::MB_OK | platform::shell::MB_ICONERROR);
    return false;
}

}  // namespace

std::u16string cTextBoxKategorieElement::GetName(int n, ObjectNames& names) const {
    return tripleInRange(n, count) ? names.elementName(items[n]) : std::u16string();
}

std::u16string cTextBoxKategorieElement::GetKindName(int n, ObjectNames& names) const {
    return tripleInRange(n, count) ? names.kindName(items[n]) : std::u16string();
}

}  // namespace pelorvant
