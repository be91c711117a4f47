#include "engine/data/FavouritesHistory.h"

#include <algorithm>

#include "engine/data/Categories.h"
#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/IniStore.h"

namespace trasovnik {
namespace {

constexpr std::string_view kDelimiterKey = "delimiter";

bool sharesPair(const IndexTripleVector& entry, const IndexTripleVector& place) {
    for (std::uint32_t i = 0; i < place.count(); ++i) {
        const IndexTriple& t = place.at(i);
        if (entry.containsKindElement(t.kind, t.element)) {
            return true;
        }
    }
    return false;
}

bool occursIn(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

}  // namespace

// ---- Common part ---------------------------------------------------------------------------

cOblibeneHistorie::cOblibeneHistorie(IniStore& store, const cKategorie& categories,
                                     const cNazvy& names, std::string_view seriesName,
                                     std::string_view suffix)
    : store_(store),
      categories_(categories),
      names_(names),
      suffix_(suffix),
      sectionName_(std::string(seriesName) + std::string(suffix)) {}

std::string_view cOblibeneHistorie::elementNameOf(const IndexTriple& t) const {
    if (t.kind < 0 || t.element < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return categories_.elementName(names_, static_cast<std::size_t>(t.kind),
                                   static_cast<std::size_t>(t.element));
}

std::string_view cOblibeneHistorie::kindNameOf(const IndexTriple& t) const {
    if (t.kind < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return categories_.kindName(names_, static_cast<std::size_t>(t.kind));
}

const IndexTripleVector& cOblibeneHistorie::entry(std::size_t i) const {
    if (i >= entries_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return entries_[i].place;
}

std::int64_t cOblibeneHistorie::value(std::size_t i) const {
    if (i >= entries_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return entries_[i].value;
}

std::string_view cOblibeneHistorie::elementName(std::size_t i) const {
    return elementNameOf(entry(i).at(0));
}

std::string_view cOblibeneHistorie::kindName(std::size_t i) const {
    return kindNameOf(entry(i).at(0));
}

void cOblibeneHistorie::checkPlace(const IndexTripleVector& place) const {
    if (place.count() == 0) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    for (std::uint32_t i = 0; i < place.count(); ++i) {
        elementNameOf(place.at(i));
    }
}

int cOblibeneHistorie::findShared(const IndexTripleVector& place) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (sharesPair(entries_[i].place, place)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool cOblibeneHistorie::remove(const IndexTripleVector& place) {
    const int at = findShared(place);
    if (at < 0) {
        return false;
    }
    entries_.erase(entries_.begin() + at);
    return true;
}

int cOblibeneHistorie::find(std::string_view name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].place.firstElementNameEquals(name, *this)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

char cOblibeneHistorie::chooseDelimiter() const {
    for (const char c : kDelimiters) {
        bool used = false;
        for (const Entry& e : entries_) {
            for (std::uint32_t i = 0; i < e.place.count() && !used; ++i) {
                const IndexTriple& t = e.place.at(i);
                used = occursIn(kindNameOf(t), c) || occursIn(elementNameOf(t), c);
            }
            if (used) {
                break;
            }
        }
        if (!used) {
            return c;
        }
    }
    raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
}

void cOblibeneHistorie::save() {
    // Chosen before the section goes, so that a failure leaves the stored entries alone.
    const char d = chooseDelimiter();
    store_.removeSection(sectionName_);
    delimiter_ = d;
    store_.writeString(sectionName_, kDelimiterKey, std::string_view(&delimiter_, 1));
    for (const Entry& e : entries_) {
        const IndexTriple& t = e.place.at(0);
        std::string key(elementNameOf(t));
        key += d;
        key += kindNameOf(t);
        store_.writeString(sectionName_, key, std::to_string(e.value));
    }
    saveExtra();
}

int cOblibeneHistorie::kindNamed(std::string_view text) const {
    for (std::size_t k = 0; k < categories_.kindCount(); ++k) {
        if (collatePrefixCompare(text, categories_.kindName(names_, k)) == 0) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

void cOblibeneHistorie::load(std::optional<std::string_view> prefix) {
    entries_.clear();
    delimiter_ = 0;
    std::string section = prefix ? std::string(*prefix) + suffix_ : sectionName_;
    std::string d = store_.readString(section, kDelimiterKey, "");
    if (d.size() != 1) {
        const auto q = section.find("??");
        if (q == std::string::npos) {
            afterLoad(nullptr);
            return;
        }
        section.replace(q, 2, "08");
        d = store_.readString(section, kDelimiterKey, "");
        if (d.size() != 1) {
            afterLoad(nullptr);
            return;
        }
    }
    delimiter_ = d[0];
    readEntries(section);
    afterLoad(&section);
}

void cOblibeneHistorie::readEntries(const std::string& section) {
    const std::vector<IniKey> keys = store_.readSection(section);
    const std::size_t taken = std::min(keys.size(), kMaxKeysRead);
    for (std::size_t i = 0; i < taken && entries_.size() < kMaxEntries; ++i) {
        const std::string& key = keys[i].name;
        const auto c = key.find(delimiter_);
        if (c == std::string::npos || c == 0 || c + 1 == key.size()) {
            continue;
        }
        const int kind = kindNamed(std::string_view(key).substr(c + 1));
        if (kind < 0) {
            continue;
        }
        const std::int64_t value = store_.readInt(section, key, 0);
        const std::vector<std::uint32_t> found = categories_.findEntriesByPrefix(
            names_, static_cast<std::size_t>(kind), std::string_view(key).substr(0, c));
        for (const std::uint32_t element : found) {
            if (entries_.size() == kMaxEntries) {
                break;
            }
            Entry e;
            e.place.append(0, kind, static_cast<std::int32_t>(element));
            // Two keys may name one element (kind names matched by prefix); keep it once.
            if (findShared(e.place) >= 0) {
                continue;
            }
            e.value = value;
            entries_.push_back(std::move(e));
        }
    }
}

// ---- Favourites ----------------------------------------------------------------------------

cOblibene::cOblibene(IniStore& store, const cKategorie& categories, const cNazvy& names,
                     std::string_view seriesName)
    : cOblibeneHistorie(store, categories, names, seriesName, kSuffix) {}

int cOblibene::add(const IndexTripleVector& place) {
    checkPlace(place);
    if (entries_.size() >= kMaxEntries) {
        return kFull;
    }
    if (findShared(place) >= 0) {
        return kPresent;
    }
    entries_.push_back(Entry{place, 0});
    sortByName();
    return kAdded;
}

void cOblibene::afterLoad(const std::string*) {
    sortByName();
}

void cOblibene::sortByName() {
    std::stable_sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        return collateCompare(elementNameOf(a.place.at(0)), elementNameOf(b.place.at(0))) < 0;
    });
}

// ---- History -------------------------------------------------------------------------------

cHistorie::cHistorie(IniStore& store, const cKategorie& categories, const cNazvy& names,
                     std::string_view seriesName)
    : cOblibeneHistorie(store, categories, names, seriesName, kSuffix) {}

int cHistorie::add(const IndexTripleVector& place) {
    checkPlace(place);
    const int at = findShared(place);
    if (at >= 0) {
        entries_[static_cast<std::size_t>(at)].value = counter_;
    } else if (entries_.size() >= kMaxEntries) {
        entries_.back() = Entry{place, counter_};
    } else {
        entries_.push_back(Entry{place, counter_});
    }
    normalise();
    return 0;
}

void cHistorie::incHistorySearchId() {
    ++counter_;
    std::erase_if(entries_, [this](const Entry& e) { return e.value < counter_ - kMaxAge; });
    normalise();
    save();
}

void cHistorie::afterLoad(const std::string* section) {
    // The counter is read before normalising, so that the entries' ages (counter - value) are
    // kept as stored whatever values the file holds.
    counter_ = section != nullptr ? store_.readInt(*section, kCounterKey, 0) : 0;
    normalise();
}

void cHistorie::saveExtra() {
    store_.writeString(sectionName_, kCounterKey, std::to_string(counter_));
}

void cHistorie::normalise() {
    std::int64_t m = counter_;
    for (const Entry& e : entries_) {
        m = std::min(m, e.value);
    }
    counter_ -= m;
    for (Entry& e : entries_) {
        e.value -= m;
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.value > b.value; });
}

}  // namespace trasovnik
